// Runs a test program again as a system of the 9x family, through Wine's per-program version
// setting: the code paths for systems without the wide calls are taken for real.
#pragma once

#include <windows.h>

#include <string>

// Runs a copy of this program named `childName` with only the tests of `filter`, as Windows 98;
// its exit code (0 when every test passed).
DWORD RunAs9xChild(const std::string& childName, const std::string& filter);

// Whether this program is such a child: its tests run only there.
bool Is9xChild();
