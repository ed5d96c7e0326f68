#include "ShredDlg.h"

#include "FileSystem.h"
#include "Product.h"
#include "WinApp.h"
#include "resource.h"

#include <utility>

namespace {

const UINT kStepStarted = WM_APP + 1;
const UINT kRunEnded = WM_APP + 2;

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
// the dialog, which reads them once the worker has ended.
void CShredDlg::Run() {
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

LRESULT CShredDlg::OnStepStarted(WPARAM step, LPARAM) {
    if (m_stage == Stage::Running && step < m_steps.size())
        SetDlgItemText(IDC_PROGRESS_LINE, m_steps[step].line);
    return 0;
}

// A run that could not erase every file says so instead of being completed.
LRESULT CShredDlg::OnRunEnded(WPARAM left, LPARAM) {
    WaitForWorker();
    m_running = 0;
    const Stage stage = std::exchange(m_stage, Stage::Ended);
    if (stage == Stage::Running) {
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
