#include "CleanerApp.h"

#include "CleanerDlg.h"
#include "Product.h"
#include "StoredSettings.h"

#include <cstring>

CCleanerApp theApp;

namespace {

// Whether one of the words after the program's own name is `argument` (in any case).
bool HasArgument(const char* commandLine, const char* argument) {
    const char* rest = commandLine;
    if (*rest == '"') {
        const char* close = std::strchr(rest + 1, '"');
        rest = close ? close + 1 : rest + std::strlen(rest);
    }
    rest += std::strcspn(rest, " \t");
    while (*(rest += std::strspn(rest, " \t"))) {
        const size_t length = std::strcspn(rest, " \t");
        if (length == std::strlen(argument) && _strnicmp(rest, argument, length) == 0)
            return true;
        rest += length;
    }
    return false;
}

} // namespace

BOOL CCleanerApp::InitInstance() {
    SetRegistryKey(kSettingsCompany);
    m_oneCopy.Reset(CreateMutexA(nullptr, TRUE, VX_PRODUCT_NAME));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        AfxMessageBox("Norvexa has already run !", MB_OK);
        return FALSE;
    }
    CCleanerDlg dialog;
    dialog.m_startInTray = HasArgument(GetCommandLineA(), "/tray");
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
