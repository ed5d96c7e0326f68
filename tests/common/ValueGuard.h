// Registry values that a test or a benchmark run changes in the build's Wine profile: one writer,
// and a guard that puts a value back as it was, or removes it again, when it goes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Creates the key when missing; the Win32 code of the call that failed.
LONG WriteRegistryValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                        const void* data, DWORD size);
void DeleteRegistryValue(HKEY root, const std::string& path, const std::string& name);

class ValueGuard {
public:
    ValueGuard(HKEY root, std::string path, std::string name);
    ~ValueGuard();
    ValueGuard(const ValueGuard&) = delete;
    ValueGuard& operator=(const ValueGuard&) = delete;

private:
    HKEY m_root;
    std::string m_path, m_name;
    bool m_present = false;
    DWORD m_type = 0;
    std::vector<BYTE> m_data;
};
