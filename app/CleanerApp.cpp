#include "CleanerApp.h"

#include "CleanerDlg.h"
#include "StoredSettings.h"

CCleanerApp theApp;

BOOL CCleanerApp::InitInstance() {
    SetRegistryKey(kSettingsCompany);
    m_oneCopy.Reset(CreateMutexA(nullptr, TRUE, "Norvexa"));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        AfxMessageBox("Norvexa has already run !", MB_OK);
        return FALSE;
    }
    CCleanerDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
