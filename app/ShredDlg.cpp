#include "ShredDlg.h"

#include "UserItemParser.h"
#include "WinApp.h"
#include "resource.h"
#include "vxerase.h"

CShredDlg::CShredDlg() : CDialog(IDD_SHRED) {}

CShredDlg::~CShredDlg() {
    WaitForWorker();
}

BOOL CShredDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_thread.reset(AfxBeginThread(ShredThreadProc, this));
    return TRUE;
}

UINT CShredDlg::ShredThreadProc(LPVOID dialog) {
    static_cast<CShredDlg*>(dialog)->Run();
    return 0;
}

void CShredDlg::ShowWorking(bool working) {
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_SHRED_ICON), working ? SW_HIDE : SW_SHOW);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_ANIMATION), working ? SW_SHOW : SW_HIDE);
}

bool CShredDlg::Announce(const CString& line) {
    if (m_cancelled)
        return false;
    SetDlgItemTextA(m_hWnd, IDC_PROGRESS_LINE, line);
    return !m_cancelled;
}

void CShredDlg::Run() {
    m_engine.IniLib();
    m_running = 1;
    ShowWorking(true);
    SetDlgItemTextA(m_hWnd, IDCANCEL, "Cancel");

    CString line;
    for (int i = 0; i < m_request.driveRoots.GetCount(); ++i) {
        line.Format("< %s >: %s", "Unused Space",
                    static_cast<const char*>(m_request.driveNames.GetAt(i)));
        if (!Announce(line))
            break;
        m_engine.ShredUnSpace(m_request.driveRoots.GetAt(i));
    }
    const CatalogueEntry* const* order = RunOrder();
    for (int i = 0; i < kCatalogueSize && !m_cancelled; ++i) {
        const CatalogueEntry& entry = *order[i];
        if (!(m_request.selection & (SelectionMask(1) << entry.bit)))
            continue;
        line.Format("< %s >: %s", CategoryName(entry.category), entry.name);
        if (!Announce(line))
            break;
        (m_engine.*entry.member)();
    }
    for (const CString& item : m_request.userItems) {
        UserItemRun run;
        if (m_cancelled || !ParseUserItem(item, run))
            continue;
        for (const CString& pattern : run.patterns) {
            line.Format("< %s >: %s\\%s", "User Define", static_cast<const char*>(run.folder),
                        static_cast<const char*>(pattern));
            if (!Announce(line))
                break;
            m_engine.ShredFiles(run.folder, pattern, run.subfolders);
        }
    }

    if (!m_cancelled) {
        SetDlgItemTextA(m_hWnd, IDC_PROGRESS_EXTRA, "");
        SetDlgItemTextA(m_hWnd, IDC_PROGRESS_LINE, "Shredding is completed.");
        ShowWorking(false);
        SetDlgItemTextA(m_hWnd, IDCANCEL, "OK");
    }
    m_running = 0;
    m_engine.UnIniLib();
}

// Enter must not end the dialog while the worker still uses it.
void CShredDlg::OnOK() {
    if (!m_running)
        CDialog::OnOK();
}

// A running job stops at its next buffer, and no further entry starts; the dialog closes once
// the worker has let go of it.
void CShredDlg::OnCancel() {
    if (m_running) {
        m_cancelled = true;
        eraserCancel();
        ShowWorking(false);
        MessageBoxA(m_hWnd, "Canceled by user!", AfxGetApp()->m_appName, MB_OK);
        WaitForWorker();
    }
    EndDialog(IDCANCEL);
}

// The worker sends its updates to this thread's windows, so the wait keeps serving them.
void CShredDlg::WaitForWorker() {
    if (!m_thread)
        return;
    while (MsgWaitForMultipleObjects(1, &m_thread->m_hThread, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    m_thread.reset();
}
