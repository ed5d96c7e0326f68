// The application object: one running copy, one main window.
#pragma once

#include "Handle.h"
#include "WinApp.h"

class CCleanerApp : public CWinApp {
public:
    BOOL InitInstance() override;

private:
    KernelHandle m_oneCopy;
};
