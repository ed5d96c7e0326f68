#include "AboutDlg.h"

#include "FileSystem.h"
#include "TaskScheduler.h"
#include "resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const FoundSchedule found = FindScheduledRun();
    const std::string line = !found.asked ? "The Task Scheduler could not be asked whether a "
                                            "scheduled shred is set up."
                             : found.description.empty()
                                 ? "No scheduled shred (nvc schedule add sets one up)."
                                 : found.description;
    SetDlgItemTextW(m_hWnd, IDC_SCHEDULE, fs::FromUtf8(line).c_str());
    return TRUE;
}
