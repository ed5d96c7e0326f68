#include "WinApp.h"

#include <cstring>

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

CProfile CWinApp::Profile() const {
    return CProfile("Software\\" + m_registryKey + "\\" + m_appName);
}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue) const {
    return Profile().GetInt(section, entry, defaultValue);
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value) const {
    return Profile().WriteInt(section, entry, value);
}

CString CWinApp::GetProfileString(const char* section, const char* entry,
                                  const char* defaultValue) const {
    return Profile().GetString(section, entry, defaultValue);
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value) const {
    return Profile().WriteString(section, entry, value);
}

HICON CWinApp::LoadIcon(UINT id) const {
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(id));
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd && m_pMainWnd->m_hWnd)
        m_pMainWnd->PostMessage(WM_CLOSE);
}
