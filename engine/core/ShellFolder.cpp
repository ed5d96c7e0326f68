#include "ShellFolder.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>

bool ShellFolderPath(int csidl, const char* suffix, CString& path) {
    char folder[MAX_PATH];
    if (!SHGetSpecialFolderPathA(nullptr, folder, csidl, FALSE))
        return false;
    if (std::strlen(folder) + std::strlen(suffix) >= MAX_PATH)
        return false;
    path = CString(folder) + suffix;
    return true;
}
