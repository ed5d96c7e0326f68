#pragma once

#include <string>

// The shell folder `csidl` as the system spells it, without a closing backslash but for a
// drive root; false when it is unknown.
bool ShellFolder(int csidl, std::wstring& folder);

// The shell folder `csidl` with `suffix` (ASCII, beginning with a backslash) appended, as a
// system path (fs::SystemPath); false when the folder is unknown.
bool ShellFolderPath(int csidl, const char* suffix, std::wstring& path);
