// The program's application object for tests that open its windows in this process: settings
// under HKEY_CURRENT_USER\Software\Dravok\nv, as the program keeps them.
#pragma once

#include "WinApp.h"

#include <commctrl.h>

inline void UseProgramSettings() {
    static CWinApp app("nv");
    app.SetRegistryKey("Dravok");
    InitCommonControls();
}
