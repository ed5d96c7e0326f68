#include "Profile.h"

#include "Handle.h"
#include "StoredValue.h"

#include <cstring>
#include <vector>

CString CProfile::SectionPath(const char* section) const {
    return section && *section ? m_key + "\\" + section : m_key;
}

UINT CProfile::GetInt(const char* section, const char* entry, int defaultValue) const {
    return FindInt(section, entry).value_or(UINT(defaultValue));
}

std::optional<UINT> CProfile::FindInt(const char* section, const char* entry) const {
    RegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section), 0, KEY_QUERY_VALUE, key.Put()) !=
        ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0, value = 0, size = sizeof value;
    if (RegQueryValueExA(key.Get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS)
        return std::nullopt;
    return StoredNumber(type, reinterpret_cast<const uint8_t*>(&value), size);
}

BOOL CProfile::WriteInt(const char* section, const char* entry, int value) const {
    RegKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath(section), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.Put(),
                        nullptr) != ERROR_SUCCESS)
        return FALSE;
    const DWORD data = DWORD(value);
    return RegSetValueExA(key.Get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

CString CProfile::GetString(const char* section, const char* entry,
                            const char* defaultValue) const {
    RegKey key;
    DWORD type = 0, size = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section), 0, KEY_QUERY_VALUE, key.Put()) !=
            ERROR_SUCCESS ||
        RegQueryValueExA(key.Get(), entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return defaultValue;
    std::vector<uint8_t> data(size);
    if (RegQueryValueExA(key.Get(), entry, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return defaultValue;
    const std::optional<std::string> text = StoredText(type, data.data(), size);
    return text ? CString(text->c_str()) : CString(defaultValue);
}

BOOL CProfile::WriteString(const char* section, const char* entry, const char* value) const {
    RegKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath(section), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.Put(),
                        nullptr) != ERROR_SUCCESS)
        return FALSE;
    if (!value)
        return RegDeleteValueA(key.Get(), entry) == ERROR_SUCCESS;
    return RegSetValueExA(key.Get(), entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                          DWORD(std::strlen(value) + 1)) == ERROR_SUCCESS;
}
