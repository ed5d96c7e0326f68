// Keeps the stored erase method of the build's Wine profile as it was before a test or a
// benchmark run, and changes it meanwhile.
#pragma once

#include "StoredSettings.h"
#include "ValueGuard.h"

class SettingGuard {
public:
    static bool Write(DWORD type, const void* data, DWORD size) {
        return WriteRegistryValue(HKEY_CURRENT_USER, kSettingsKey, kMethodValue, type, data,
                                  size) == ERROR_SUCCESS;
    }
    static bool WriteDword(DWORD value) { return Write(REG_DWORD, &value, sizeof value); }
    static void Remove() { DeleteRegistryValue(HKEY_CURRENT_USER, kSettingsKey, kMethodValue); }

private:
    ValueGuard m_value{HKEY_CURRENT_USER, kSettingsKey, kMethodValue};
};
