// Puts text on the clipboard, as copying in any program would.
#pragma once

#include <windows.h>

#include <cstring>

inline bool PutTextOnClipboard(const char* text) {
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    lstrcpyA(static_cast<char*>(GlobalLock(copy)), text);
    GlobalUnlock(copy);
    SetClipboardData(CF_TEXT, copy);
    CloseClipboard();
    return true;
}
