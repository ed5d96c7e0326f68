#include "SettingGuard.h"

#include "Handle.h"
#include "StoredSettings.h"

SettingGuard::SettingGuard() {
    RegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, key.Put()) !=
        ERROR_SUCCESS)
        return;
    DWORD size = 0;
    if (RegQueryValueExA(key.Get(), kMethodValue, nullptr, &m_type, nullptr, &size) ==
        ERROR_SUCCESS) {
        m_data.resize(size);
        m_present = RegQueryValueExA(key.Get(), kMethodValue, nullptr, &m_type, m_data.data(),
                                     &size) == ERROR_SUCCESS;
    }
}

SettingGuard::~SettingGuard() {
    if (m_present)
        Write(m_type, m_data.data(), DWORD(m_data.size()));
    else
        Remove();
}

bool SettingGuard::Write(DWORD type, const void* data, DWORD size) {
    RegKey key;
    return RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                           key.Put(), nullptr) == ERROR_SUCCESS &&
           RegSetValueExA(key.Get(), kMethodValue, 0, type, static_cast<const BYTE*>(data), size) ==
               ERROR_SUCCESS;
}

void SettingGuard::Remove() {
    RegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, key.Put()) ==
        ERROR_SUCCESS)
        RegDeleteValueA(key.Get(), kMethodValue);
}
