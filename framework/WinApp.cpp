#include "WinApp.h"

#include "Handle.h"
#include "StoredValue.h"

#include <cstring>
#include <vector>

namespace {
CWinApp* g_app = nullptr;

CString ProgramBaseName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = std::strrchr(path, '\\');
    CString base = name ? name + 1 : path;
    const int dot = base.ReverseFind('.');
    return dot > 0 ? base.Left(dot) : base;
}
} // namespace

CWinApp::CWinApp(const char* appName)
    : m_appName(appName ? CString(appName) : ProgramBaseName()),
      m_hInstance(GetModuleHandleA(nullptr)) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* AfxGetApp() {
    return g_app;
}

HINSTANCE AfxGetResourceHandle() {
    return g_app ? g_app->m_hInstance : GetModuleHandleA(nullptr);
}

int AfxMessageBox(const char* text, UINT type) {
    CWnd* owner = g_app ? g_app->m_pMainWnd : nullptr;
    return MessageBoxA(owner ? owner->m_hWnd : nullptr, text, g_app ? g_app->m_appName : "", type);
}

void CWinApp::SetRegistryKey(const char* key) {
    m_registryKey = key;
}

CString CWinApp::SectionPath(const char* section) const {
    CString path = "Software\\" + m_registryKey + "\\" + m_appName;
    if (section && *section)
        path += CString("\\") + section;
    return path;
}

// A value of another type or size than a 32-bit number counts as missing.
UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue) const {
    RegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section), 0, KEY_QUERY_VALUE, key.Put()) !=
        ERROR_SUCCESS)
        return UINT(defaultValue);
    DWORD type = 0, value = 0, size = sizeof value;
    if (RegQueryValueExA(key.Get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS)
        return UINT(defaultValue);
    return StoredNumber(type, reinterpret_cast<const uint8_t*>(&value), size)
        .value_or(UINT(defaultValue));
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value) const {
    RegKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath(section), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.Put(),
                        nullptr) != ERROR_SUCCESS)
        return FALSE;
    const DWORD data = DWORD(value);
    return RegSetValueExA(key.Get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(const char* section, const char* entry,
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

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value) const {
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

HICON CWinApp::LoadIcon(UINT id) const {
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(id));
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd && m_pMainWnd->m_hWnd)
        m_pMainWnd->PostMessage(WM_CLOSE);
}
