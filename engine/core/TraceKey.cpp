#include "TraceKey.h"

#include "Recording.h"
#include "Registry.h"

#include <string>

namespace {

const char* RootName(HKEY root) {
    if (root == HKEY_LOCAL_MACHINE)
        return "HKEY_LOCAL_MACHINE";
    if (root == HKEY_USERS)
        return "HKEY_USERS";
    if (root == HKEY_CLASSES_ROOT)
        return "HKEY_CLASSES_ROOT";
    return "HKEY_CURRENT_USER";
}

} // namespace

TraceKey::TraceKey(HKEY root, const CString& path, Rights rights) : m_root(root), m_path(path) {
    const LONG status = RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, m_key.Put());
    m_open = status == ERROR_SUCCESS ||
             (removal::Previewing() && rights == Rights::Taken && status == ERROR_ACCESS_DENIED);
}

TraceKey::TraceKey(const TraceKey& parent, const char* name)
    : m_root(parent.m_root), m_path(parent.m_path + "\\" + name) {
    if (!parent.m_open)
        return;
    if (removal::Previewing()) {
        RegOpenKeyExA(m_root, m_path, 0, KEY_ALL_ACCESS, m_key.Put());
        m_open = true;
        return;
    }
    m_open = RegCreateKeyExA(parent.m_key.Get(), name, 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_ALL_ACCESS, nullptr, m_key.Put(), nullptr) == ERROR_SUCCESS;
}

CString TraceKey::Below(const char* name) const {
    return name && *name ? m_path + "\\" + name : m_path;
}

CString TraceKey::Place(const char* name) const {
    return CString(RootName(m_root)) + "\\" + Below(name);
}

// A key whose rights deny reading is there all the same.
bool TraceKey::SubkeyExists(const char* name, DWORD* subkeys) const {
    RegKey key;
    const LONG status = RegOpenKeyExA(m_root, Below(name), 0, KEY_READ, key.Put());
    *subkeys = 0;
    if (status == ERROR_SUCCESS)
        RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, subkeys, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr);
    return status == ERROR_SUCCESS || status == ERROR_ACCESS_DENIED;
}

void TraceKey::DeleteValue(const char* name) {
    if (!m_open)
        return;
    if (!removal::Previewing()) {
        if (RegDeleteValueA(m_key.Get(), name) == ERROR_SUCCESS)
            removal::Report(VxTraceKind::Value, Place(nullptr), name);
        return;
    }
    DWORD size = 0;
    if (m_key &&
        RegQueryValueExA(m_key.Get(), name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS)
        removal::Report(VxTraceKind::Value, Place(nullptr), name, size);
}

void TraceKey::DeleteKey(const char* name) {
    if (!m_open)
        return;
    if (!removal::Previewing()) {
        if (RegDeleteKeyA(m_key.Get(), name) == ERROR_SUCCESS)
            removal::Report(VxTraceKind::Key, Place(name));
        return;
    }
    DWORD subkeys = 0;
    if (m_key && SubkeyExists(name, &subkeys) && subkeys == 0)
        removal::Report(VxTraceKind::Key, Place(name));
}

LONG TraceKey::DeleteTree(const char* name) {
    if (!m_open)
        return ERROR_INVALID_HANDLE;
    if (!removal::Previewing()) {
        const LONG status = DeleteKeyTree(m_key.Get(), name);
        if (status == ERROR_SUCCESS)
            removal::Report(VxTraceKind::Key, Place(name));
        return status;
    }
    DWORD subkeys = 0;
    if (!SubkeyExists(name, &subkeys))
        return ERROR_FILE_NOT_FOUND;
    removal::Report(VxTraceKind::Key, Place(name));
    return ERROR_SUCCESS;
}

void TraceKey::SetText(const char* name, const char* text) {
    if (!m_open)
        return;
    const DWORD length = lstrlenA(text) + 1;
    const bool told = removal::Previewing() || removal::RunRecorded();
    const bool changes = told && !HoldsText(name, text, length);
    if (!removal::Previewing() &&
        RegSetValueExA(m_key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), length) !=
            ERROR_SUCCESS)
        return;
    if (changes)
        removal::Report(VxTraceKind::BlankedValue, Place(nullptr), name);
}

bool TraceKey::HoldsText(const char* name, const char* text, DWORD length) const {
    std::string current(length, '\0');
    DWORD type = 0, size = length;
    return m_key &&
           RegQueryValueExA(m_key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&current[0]),
                            &size) == ERROR_SUCCESS &&
           type == REG_SZ && size == length && current.compare(0, length, text, length) == 0;
}
