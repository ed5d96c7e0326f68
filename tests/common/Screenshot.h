#pragma once

#include <windows.h>

#include <cstddef>

// Saves what the display shows of a window as C:\Norvexa\artifacts\<name>.bmp, for a person to
// look at, and returns how many different colours it holds.
size_t SaveScreenshot(HWND window, const char* name);
