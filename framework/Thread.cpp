#include "Thread.h"

#include <new>

DWORD WINAPI CWinThread::Start(LPVOID self) {
    auto* thread = static_cast<CWinThread*>(self);
    try {
        return thread->m_function(thread->m_parameter);
    } catch (...) {
        return DWORD(-1);
    }
}

BOOL CWinThread::CreateThread() {
    m_hThread.Reset(::CreateThread(nullptr, 0, Start, this, 0, &m_nThreadID));
    return m_hThread ? TRUE : FALSE;
}

CWinThread* AfxBeginThread(AFX_THREADPROC function, LPVOID parameter) {
    auto* thread = new (std::nothrow) CWinThread(function, parameter);
    if (thread && !thread->CreateThread()) {
        delete thread;
        return nullptr;
    }
    return thread;
}
