#include "ValueGuard.h"

#include "Handle.h"

#include <utility>

LONG WriteRegistryValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                        const void* data, DWORD size) {
    RegKey key;
    const LONG created = RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                         key.Put(), nullptr);
    if (created != ERROR_SUCCESS)
        return created;
    return RegSetValueExA(key.Get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
}

void DeleteRegistryValue(HKEY root, const std::string& path, const std::string& name) {
    RegKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, key.Put()) == ERROR_SUCCESS)
        RegDeleteValueA(key.Get(), name.c_str());
}

ValueGuard::ValueGuard(HKEY root, std::string path, std::string name)
    : m_root(root), m_path(std::move(path)), m_name(std::move(name)) {
    RegKey key;
    if (RegOpenKeyExA(root, m_path.c_str(), 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS)
        return;
    DWORD size = 0;
    if (RegQueryValueExA(key.Get(), m_name.c_str(), nullptr, &m_type, nullptr, &size) ==
        ERROR_SUCCESS) {
        m_data.resize(size);
        m_present = RegQueryValueExA(key.Get(), m_name.c_str(), nullptr, &m_type, m_data.data(),
                                     &size) == ERROR_SUCCESS;
    }
}

ValueGuard::~ValueGuard() {
    if (m_present)
        WriteRegistryValue(m_root, m_path, m_name, m_type, m_data.data(), DWORD(m_data.size()));
    else
        DeleteRegistryValue(m_root, m_path, m_name);
}
