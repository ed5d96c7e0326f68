// Opens a web address (or any document) in the program the system associates with it; when the
// shell cannot, starts the registered web browser on it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Above 32 for success; else the shell's error code, or WinExec's result after the fallback.
INT_PTR OpenHyperlink(const char* address, int showCommand);

// The default value of the key below HKEY_CLASSES_ROOT, when it is text; the registry's error
// code otherwise, with `value` left as it was.
LONG ReadClassesRootDefault(const char* keyPath, std::string& value);

// The command line of the registered browser for ".htm" pages on `address`, if there is one.
std::optional<std::string> FallbackCommandLine(const char* address);
