#pragma once

#include "CString.h"

// The shell folder `csidl` with `suffix` (which begins with a backslash) appended, in a path
// of at most 260 characters. False when the folder is unknown or the whole path would not fit:
// a cut path could name a different folder.
bool ShellFolderPath(int csidl, const char* suffix, CString& path);
