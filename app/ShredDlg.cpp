#include "ShredDlg.h"

#include "FileSystem.h"
#include "Product.h"
#include "ProgressText.h"
#include "RunSize.h"
#include "WinApp.h"
#include "resource.h"

#include <commctrl.h>

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
        m_gauge.emplace(PlannedBytes(PreviewRun(m_request), m_method));
        ::PostMessageA(m_window, kPlanned, 0, 0);
    } catch (...) {
    }
    const RunOutcome outcome = RunShred(m_engine, m_steps, m_method, m_cancel, [this](size_t step) {
        ::PostMessageA(m_window, kStepStarted, WPARAM(step), 0);
    });
    m_notes = outcome.notes;
    ::PostMessageA(m_window, kRunEnded, WPARAM(outcome.left), 0);
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

// A run that could not erase every file says so instead of being completed.
LRESULT CShredDlg::OnRunEnded(WPARAM left, LPARAM) {
    WaitForWorker();
    m_running = 0;
    ::KillTimer(m_hWnd, kProgressTimer);
    const Stage stage = std::exchange(m_stage, Stage::Ended);
    if (stage == Stage::Running) {
        if (m_gauge)
            ShowProgress(m_gauge->Read());
        ::SendDlgItemMessageA(m_hWnd, IDC_PROGRESS_BAR, PBM_SETPOS, kBarRange, 0);
        Finish(EndLine(unsigned(left)));
        ShowNotes();
    } else if (stage == Stage::Stopping) {
        EndDialog(IDCANCEL);
    }
    return 0;
}

// What the run left and why, such as a browser that was running, in one message.
void CShredDlg::ShowNotes() {
    if (m_notes.empty())
        return;
    std::string text = "Some traces were left:";
    for (const std::string& note : m_notes)
        text += "\n" + note;
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
