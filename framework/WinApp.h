// The application object: its name, its per-user settings in the registry, and message boxes
// captioned with its name.
#pragma once

#include "CString.h"
#include "Profile.h"
#include "Wnd.h"

// The standard command that ends the application, from a menu of any of its windows.
constexpr UINT kAppExitCommand = 0xE141;

class CWinApp {
public:
    // Without a name, the application is named after its program file.
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return FALSE; }
    // Closes the main window, as its own close box would.
    virtual void OnAppExit();

    // Settings go to HKEY_CURRENT_USER\Software\<key>\<application name>\<section>; an empty
    // section means the application key itself.
    void SetRegistryKey(const char* key);
    UINT GetProfileInt(const char* section, const char* entry, int defaultValue) const;
    BOOL WriteProfileInt(const char* section, const char* entry, int value) const;
    CString GetProfileString(const char* section, const char* entry,
                             const char* defaultValue = "") const;
    BOOL WriteProfileString(const char* section, const char* entry, const char* value) const;

    HICON LoadIcon(UINT id) const;

    CString m_appName;
    CString m_registryKey;
    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance;

private:
    CProfile Profile() const;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetResourceHandle();
// A message box captioned with the application's name.
int AfxMessageBox(const char* text, UINT type = MB_OK);
