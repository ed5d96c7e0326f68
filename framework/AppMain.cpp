// The program's entry point: the application object, constructed as a global of the program,
// does all its work in InitInstance; a dialog-based program ends when that returns.
#include "WinApp.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    app->m_hInstance = instance;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    try {
        app->InitInstance();
    } catch (...) {
        return 1;
    }
    return 0;
}
