// The progress dialog of a shred run: it owns the engine for the run and one worker thread that
// calls the engine for every entry of the request, writing a progress line before each call.
#pragma once

#include "Dialog.h"
#include "RunRequest.h"
#include "Thread.h"
#include "VxMain.h"

#include <atomic>
#include <memory>

class CShredDlg : public CDialog {
public:
    CShredDlg();
    ~CShredDlg() override;

    static UINT ShredThreadProc(LPVOID dialog);

    // 1 while the worker is between the engine's initialisation and its clean-up.
    std::atomic<int> m_running{0};
    std::unique_ptr<CWinThread> m_thread;
    CVxMain m_engine;
    RunRequest m_request;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void Run();
    // Writes the progress line; false once the user has cancelled, so that no entry starts
    // after Cancel.
    bool Announce(const CString& line);
    void ShowWorking(bool working);
    void WaitForWorker();

    std::atomic<bool> m_cancelled{false};
};
