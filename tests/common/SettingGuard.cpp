#include "SettingGuard.h"

namespace {
const char kKey[] = "Software\\Dravok\\nv";
}

SettingGuard::SettingGuard() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return;
    DWORD size = 0;
    if (RegQueryValueExA(key, "Setting", nullptr, &m_type, nullptr, &size) == ERROR_SUCCESS) {
        m_data.resize(size);
        m_present = RegQueryValueExA(key, "Setting", nullptr, &m_type, m_data.data(), &size) ==
                    ERROR_SUCCESS;
    }
    RegCloseKey(key);
}

SettingGuard::~SettingGuard() {
    if (m_present)
        Write(m_type, m_data.data(), DWORD(m_data.size()));
    else
        Remove();
}

void SettingGuard::Write(DWORD type, const void* data, DWORD size) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "Setting", 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void SettingGuard::Remove() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, "Setting");
    RegCloseKey(key);
}
