// The progress dialog of a shred run: it owns the engine for the run and one worker thread that
// drives the run loop over the steps of the request. The worker touches no window: it posts the
// number of the step it starts and, at the end, what the run left; this dialog shows them.
#pragma once

#include "AnimatedPicture.h"
#include "Dialog.h"
#include "RunLoop.h"
#include "Thread.h"
#include "VxMain.h"

#include <atomic>
#include <memory>
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

    DECLARE_MESSAGE_MAP()

private:
    enum class Stage { Running, Cancelling, Stopping, Ended };

    void Run();
    void ShowWorking(bool working);
    void Finish(const char* line);
    void ShowNotes();
    void WaitForWorker();

    std::vector<RunStep> m_steps;
    // The dialog as the worker knows it: fixed before the worker starts.
    HWND m_window = nullptr;
    RunCancel m_cancel;
    std::vector<std::string> m_notes;
    Stage m_stage = Stage::Ended;
};
