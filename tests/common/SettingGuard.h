// Keeps the stored "Setting" value of the build's Wine profile as it was before a test.
#pragma once

#include <windows.h>

#include <vector>

class SettingGuard {
public:
    SettingGuard();
    ~SettingGuard();
    SettingGuard(const SettingGuard&) = delete;
    SettingGuard& operator=(const SettingGuard&) = delete;

    static void Write(DWORD type, const void* data, DWORD size);
    static void WriteDword(DWORD value) { Write(REG_DWORD, &value, sizeof value); }
    static void Remove();

private:
    bool m_present = false;
    DWORD m_type = 0;
    std::vector<BYTE> m_data;
};
