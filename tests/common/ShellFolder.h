// Where the shell keeps its folders in the build's Wine profile.
#pragma once

#include <string>

// The folder of `csidl` (created when missing) with `suffix` appended.
std::string ShellFolder(int csidl, const std::string& suffix = "");
std::string AppData(const std::string& suffix);
std::string CommonAppData(const std::string& suffix);
std::string ProgramFiles(const std::string& suffix);
std::string WindowsFolder(const std::string& suffix);
// The temporary folder in its long form, without a trailing backslash.
std::string TempFolder();
