#include "ShredDlg.h"

#include "FileSystem.h"
#include "Product.h"
#include "ProgressText.h"
#include "ReportFacts.h"
#include "ReportStore.h"
#include "RunSize.h"
#include "WinApp.h"
#include "resource.h"

#include <commctrl.h>
#include <shellapi.h>

#include <utility>

namespace {

const UINT kStepStarted = WM_APP + 1;
const UINT kRunEnded = WM_APP + 2;
const UINT kPlanned = WM_APP + 3;
const UINT_PTR kProgressTimer = 1;
const UINT kProgressMilliseconds = 1000;
// The bar's range: tenths of a percent.
const int kBarRange = 1000;

CString EndLine(unsigned left) {
    if (left == 0)
        return "Shredding is completed.";
    CString line;
    line.Format("Done, but %u %s could not be erased.", left, left == 1 ? "item" : "items");
    return line;
}

} // namespace

BEGIN_MESSAGE_MAP(CShredDlg, CDialog)
ON_MESSAGE(kStepStarted, OnStepStarted)
ON_MESSAGE(kRunEnded, OnRunEnded)
ON_MESSAGE(kPlanned, OnPlanned)
ON_MESSAGE(WM_TIMER, OnTimer)
ON_BN_CLICKED(IDC_KEEP_REPORTS, OnKeepReports)
ON_CONTROL(EN_KILLFOCUS, IDC_REPORTS_KEPT, OnReportsKept)
ON_BN_CLICKED(IDC_VIEW_REPORT, OnViewReport)
END_MESSAGE_MAP()

CShredDlg::CShredDlg(CWnd* parent) : CDialog(IDD_SHRED, parent) {}

CShredDlg::~CShredDlg() {
    m_cancel.Cancel();
    WaitForWorker();
}

// The run counts as running before the worker exists, so that a Cancel at any moment stops it.
BOOL CShredDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_steps = PlanRun(m_request);
    m_running = 1;
    m_stage = Stage::Running;
    ShowWorking(true);
    SetDlgItemText(IDCANCEL, "Cancel");
    SetDlgItemText(IDC_PROGRESS_LINE, "Counting what the run will erase...");
    ::SendDlgItemMessageA(m_hWnd, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, kBarRange);
    ShowReportSettings();
    m_window = m_hWnd;
    m_thread.reset(AfxBeginThread(ShredThreadProc, this));
    if (!m_thread) {
        m_running = 0;
        m_stage = Stage::Ended;
        Finish("The shred run could not be started.");
    } else if (m_animation.LoadFromResource(MAKEINTRESOURCEA(IDR_WORKING_GIF), "GIF")) {
        m_animation.Play();
    }
    return TRUE;
}

void CShredDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_ANIMATION, m_animation);
}

UINT CShredDlg::ShredThreadProc(LPVOID dialog) {
    static_cast<CShredDlg*>(dialog)->Run();
    return 0;
}

// On the worker. The end carries the number of items the run could not erase; the notes wait in
// the dialog, which reads them once the worker has ended. A plan that cannot be made leaves the
// bytes unshown.
void CShredDlg::Run() {
    try {
        m_gauge.emplace(PlannedBytes(m_request, m_method));
        ::PostMessageA(m_window, kPlanned, 0, 0);
    } catch (...) {
    }
    RunRecord record;
    BeginRecord(record, m_method);
    const RunOutcome outcome = RunShred(
        m_engine, m_steps, m_method, m_cancel,
        [this](size_t step) { ::PostMessageA(m_window, kStepStarted, WPARAM(step), 0); }, {},
        &record);
    EndRecord(record, outcome);
    KeepReport(record);
    m_notes = outcome.notes;
    ::PostMessageA(m_window, kRunEnded, WPARAM(outcome.left), 0);
}

// On the worker, with the settings as they stand when the run ends: the user may turn reports
// off while it runs.
void CShredDlg::KeepReport(const RunRecord& record) {
    const ReportSettings settings = ReadReportSettings();
    if (!settings.keep)
        return;
    try {
        const StoredReport stored = StoreReport(m_engine, record, settings.kept);
        m_report = stored.html;
        m_reportFailure = stored.failure;
        m_reportFallback = stored.fallback;
    } catch (...) {
        m_reportFailure = "memory ran out while it was written";
    }
}

void CShredDlg::ShowReportSettings() {
    const ReportSettings settings = ReadReportSettings();
    CheckDlgButton(m_hWnd, IDC_KEEP_REPORTS, settings.keep ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemInt(m_hWnd, IDC_REPORTS_KEPT, settings.kept, FALSE);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_KEEP_REPORTS), !settings.keepLocked);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_REPORTS_KEPT), !settings.keptLocked);
    if (settings.keepLocked || settings.keptLocked)
        SetDlgItemText(IDC_REPORT_LINE, "Reports are set by your organisation.");
}

void CShredDlg::OnKeepReports() {
    ReportSettings settings = ReadReportSettings();
    settings.keep = IsDlgButtonChecked(m_hWnd, IDC_KEEP_REPORTS) == BST_CHECKED;
    WriteReportSettings(settings);
}

// A number out of range is refused with a line that says which numbers are taken.
void CShredDlg::OnReportsKept() {
    ReportSettings settings = ReadReportSettings();
    BOOL number = FALSE;
    const UINT kept = GetDlgItemInt(m_hWnd, IDC_REPORTS_KEPT, &number, FALSE);
    if (number && kept >= 1 && kept <= kMostReportsKept) {
        settings.kept = kept;
        WriteReportSettings(settings);
        return;
    }
    SetDlgItemInt(m_hWnd, IDC_REPORTS_KEPT, settings.kept, FALSE);
    const std::string line = "Keep from 1 to " + std::to_string(kMostReportsKept) + " reports.";
    SetDlgItemText(IDC_REPORT_LINE, line.c_str());
}

void CShredDlg::OnViewReport() {
    if (reinterpret_cast<INT_PTR>(
            ShellExecuteW(m_hWnd, L"open", m_report.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32)
        return;
    MessageBoxW(m_hWnd, (L"No program opens the report. It is kept at:\n" + m_report).c_str(),
                fs::FromUtf8(VX_PRODUCT_NAME).c_str(), MB_OK | MB_ICONINFORMATION);
}

void CShredDlg::ShowWorking(bool working) {
    if (!working)
        m_animation.Stop();
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_SHRED_ICON), working ? SW_HIDE : SW_SHOW);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_ANIMATION), working ? SW_SHOW : SW_HIDE);
}

void CShredDlg::Finish(const char* line) {
    SetDlgItemText(IDC_PROGRESS_EXTRA, "");
    SetDlgItemText(IDC_PROGRESS_LINE, line);
    ShowWorking(false);
    SetDlgItemText(IDCANCEL, "OK");
}

LRESULT CShredDlg::OnPlanned(WPARAM, LPARAM) {
    if (m_stage != Stage::Running)
        return 0;
    ShowProgress(m_gauge->Read());
    ::SetTimer(m_hWnd, kProgressTimer, kProgressMilliseconds, nullptr);
    return 0;
}

LRESULT CShredDlg::OnTimer(WPARAM timer, LPARAM) {
    if (timer == kProgressTimer && m_stage == Stage::Running)
        ShowProgress(m_gauge->Read());
    return 0;
}

// A run that overwrites nothing (registry entries only) shows its steps alone.
void CShredDlg::ShowProgress(const RunProgress& progress) {
    if (progress.total == 0)
        return;
    const int position = int(progress.done * kBarRange / progress.total);
    ::SendDlgItemMessageA(m_hWnd, IDC_PROGRESS_BAR, PBM_SETPOS, WPARAM(position), 0);
    SetDlgItemText(IDC_PROGRESS_BYTES, ProgressText(progress).c_str());
}

LRESULT CShredDlg::OnStepStarted(WPARAM step, LPARAM) {
    if (m_stage == Stage::Running && step < m_steps.size())
        SetDlgItemText(IDC_PROGRESS_LINE, m_steps[step].line);
    return 0;
}

// A run that could not erase every file says so instead of being completed, and its bar stays
// at the bytes it wrote.
LRESULT CShredDlg::OnRunEnded(WPARAM left, LPARAM) {
    WaitForWorker();
    m_running = 0;
    ::KillTimer(m_hWnd, kProgressTimer);
    const Stage stage = std::exchange(m_stage, Stage::Ended);
    if (stage == Stage::Running) {
        if (m_gauge)
            ShowProgress(m_gauge->Read());
        if (left == 0)
            ::SendDlgItemMessageA(m_hWnd, IDC_PROGRESS_BAR, PBM_SETPOS, kBarRange, 0);
        Finish(EndLine(unsigned(left)));
        ::EnableWindow(::GetDlgItem(m_hWnd, IDC_VIEW_REPORT), !m_report.empty());
        if (!m_reportFailure.empty())
            SetDlgItemText(IDC_REPORT_LINE, "No report was written.");
        ShowNotes();
    } else if (stage == Stage::Stopping) {
        EndDialog(IDCANCEL);
    }
    return 0;
}

// What the run left and why, such as a browser that was running, and why its report is missing
// or not where the organisation keeps them, in one message.
void CShredDlg::ShowNotes() {
    if (m_notes.empty() && m_reportFailure.empty() && m_reportFallback.empty())
        return;
    std::string text = m_notes.empty() ? "" : "Some traces were left:";
    for (const std::string& note : m_notes)
        text += "\n" + note;
    if (!m_reportFailure.empty())
        text += (text.empty() ? "" : "\n\n") +
                ("The report of this run was not written: " + m_reportFailure + ".");
    if (!m_reportFallback.empty())
        text += (text.empty() ? "" : "\n\n") + m_reportFallback;
    MessageBoxW(m_hWnd, fs::FromUtf8(text).c_str(), fs::FromUtf8(VX_PRODUCT_NAME).c_str(),
                MB_OK | MB_ICONINFORMATION);
}

// Enter ends the dialog only after the run.
void CShredDlg::OnOK() {
    if (m_stage == Stage::Ended)
        CDialog::OnOK();
}

// A running job stops at its next buffer and no further step starts. The dialog closes once
// the message is answered and the worker has returned from the engine.
void CShredDlg::OnCancel() {
    if (m_stage == Stage::Ended) {
        EndDialog(IDCANCEL);
        return;
    }
    if (m_stage != Stage::Running)
        return;
    m_stage = Stage::Cancelling;
    m_cancel.Cancel();
    ShowWorking(false);
    MessageBoxA(m_hWnd, "Canceled by user!", AfxGetApp()->m_appName, MB_OK);
    if (m_stage == Stage::Ended) {
        EndDialog(IDCANCEL);
        return;
    }
    m_stage = Stage::Stopping;
    ::EnableWindow(::GetDlgItem(m_hWnd, IDCANCEL), FALSE);
}

void CShredDlg::WaitForWorker() {
    if (!m_thread)
        return;
    WaitForSingleObject(m_thread->m_hThread.Get(), INFINITE);
    m_thread.reset();
}
