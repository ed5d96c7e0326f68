// The stored "Setting" value that selects the erase method, changed for one benchmark run and
// put back as it was when the object goes.
#pragma once

#include <windows.h>

#include <vector>

class SettingOverride {
public:
    explicit SettingOverride(DWORD value) {
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &m_key,
                            nullptr) != ERROR_SUCCESS) {
            m_key = nullptr;
            return;
        }
        DWORD size = 0;
        if (RegQueryValueExA(m_key, kValue, nullptr, &m_type, nullptr, &size) == ERROR_SUCCESS) {
            m_old.resize(size);
            m_present = RegQueryValueExA(m_key, kValue, nullptr, &m_type, m_old.data(), &size) ==
                        ERROR_SUCCESS;
        }
        m_set = RegSetValueExA(m_key, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                               sizeof value) == ERROR_SUCCESS;
    }
    SettingOverride(const SettingOverride&) = delete;
    SettingOverride& operator=(const SettingOverride&) = delete;
    ~SettingOverride() {
        if (!m_key)
            return;
        if (m_present)
            RegSetValueExA(m_key, kValue, 0, m_type, m_old.data(), DWORD(m_old.size()));
        else
            RegDeleteValueA(m_key, kValue);
        RegCloseKey(m_key);
    }

    bool IsSet() const { return m_set; }

private:
    static constexpr const char* kKey = "Software\\Dravok\\nv";
    static constexpr const char* kValue = "Setting";

    HKEY m_key = nullptr;
    bool m_present = false;
    bool m_set = false;
    DWORD m_type = 0;
    std::vector<BYTE> m_old;
};
