// The notification area that Wine shows on a display without a desktop shell: one window of
// its own, with a child window for each icon that passes clicks on to the icon's owner.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

// The icons shown, in the order of the tray's windows.
inline std::vector<HWND> TrayIcons() {
    std::vector<HWND> icons;
    HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    for (HWND icon = tray ? GetWindow(tray, GW_CHILD) : nullptr; icon;
         icon = GetWindow(icon, GW_HWNDNEXT))
        if (IsWindowVisible(icon))
            icons.push_back(icon);
    return icons;
}

inline int TrayIconCount() {
    return int(TrayIcons().size());
}

// An icon shown now that was not among `before`, or null.
inline HWND NewTrayIcon(const std::vector<HWND>& before) {
    for (HWND icon : TrayIcons())
        if (std::find(before.begin(), before.end(), icon) == before.end())
            return icon;
    return nullptr;
}

// A click of the left or the right button on the icon, as the person's mouse gives it.
inline void ClickTrayIcon(HWND icon, bool right = false) {
    PostMessageA(icon, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    PostMessageA(icon, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}
