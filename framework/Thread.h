// Worker threads. The thread object owns the thread's handle; no exception leaves the thread.
#pragma once

#include "Handle.h"

using AFX_THREADPROC = UINT (*)(LPVOID);

class CWinThread {
public:
    CWinThread(AFX_THREADPROC function, LPVOID parameter)
        : m_function(function), m_parameter(parameter) {}
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    BOOL CreateThread();
    KernelHandle m_hThread;
    DWORD m_nThreadID = 0;

private:
    static DWORD WINAPI Start(LPVOID self);
    AFX_THREADPROC m_function;
    LPVOID m_parameter;
};

// Starts `function(parameter)` on a new thread; null when the thread could not be started. The
// caller deletes the returned object once the thread has ended.
CWinThread* AfxBeginThread(AFX_THREADPROC function, LPVOID parameter);
