// The progress dialog of a shred run: it owns the engine for the run and one worker thread that
// plans the run's bytes from its preview and drives the run loop over the steps of the request.
// The worker touches no window: it posts that the bytes are planned, the number of the step it
// starts and, at the end, what the run left; this dialog shows them, and once a second the bytes
// written, the rate and the time left. The worker keeps the run's report where the user keeps
// reports, and the dialog then offers it.
#pragma once

#include "AnimatedPicture.h"
#include "Dialog.h"
#include "RunGauge.h"
#include "RunLoop.h"
#include "Thread.h"
#include "VxMain.h"

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CShredDlg : public CDialog {
public:
    explicit CShredDlg(CWnd* parent = nullptr);
    ~CShredDlg() override;

    static UINT ShredThreadProc(LPVOID dialog);

    // 1 from just before the worker starts until the dialog has taken its last message.
    std::atomic<int> m_running{0};
    std::unique_ptr<CWinThread> m_thread;
    CVxMain m_engine;
    RunRequest m_request;
    // The slider's method, for this run.
    EraseMethod m_method = EraseMethod::PseudoRandom;
    // Plays while the run is under way.
    CAnimatedPicture m_animation;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    LRESULT OnStepStarted(WPARAM step, LPARAM);
    LRESULT OnRunEnded(WPARAM, LPARAM);
    LRESULT OnPlanned(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    void OnKeepReports();
    void OnReportsKept();
    void OnViewReport();

    DECLARE_MESSAGE_MAP()

private:
    enum class Stage { Running, Cancelling, Stopping, Ended };

    void Run();
    void KeepReport(const RunRecord& record);
    void ShowReportSettings();
    void ShowWorking(bool working);
    void Finish(const char* line);
    void ShowNotes();
    void WaitForWorker();
    void ShowProgress(const RunProgress& progress);

    std::vector<RunStep> m_steps;
    // The dialog as the worker knows it: fixed before the worker starts.
    HWND m_window = nullptr;
    RunCancel m_cancel;
    // Made by the worker before it posts that the bytes are planned; read by this dialog after.
    std::optional<RunGauge> m_gauge;
    std::vector<std::string> m_notes;
    // Set by the worker before it posts the end: the report's HTML form, or why there is none.
    std::wstring m_report;
    std::string m_reportFailure;
    std::string m_reportFallback;
    Stage m_stage = Stage::Ended;
};
