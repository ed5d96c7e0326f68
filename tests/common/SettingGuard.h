// Keeps the stored erase method ("Setting") of the build's Wine profile as it was before a test
// or a benchmark run, and changes it meanwhile.
#pragma once

#include <windows.h>

#include <vector>

class SettingGuard {
public:
    SettingGuard();
    ~SettingGuard();
    SettingGuard(const SettingGuard&) = delete;
    SettingGuard& operator=(const SettingGuard&) = delete;

    static bool Write(DWORD type, const void* data, DWORD size);
    static bool WriteDword(DWORD value) { return Write(REG_DWORD, &value, sizeof value); }
    static void Remove();

private:
    bool m_present = false;
    DWORD m_type = 0;
    std::vector<BYTE> m_data;
};
