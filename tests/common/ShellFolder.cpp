#include "ShellFolder.h"

#include <windows.h>
#include <shlobj.h>

std::string ShellFolder(int csidl, const std::string& suffix) {
    char folder[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, folder, csidl, TRUE);
    return folder + suffix;
}

std::string TempFolder() {
    char temp[MAX_PATH], longTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    GetLongPathNameA(temp, longTemp, MAX_PATH);
    std::string folder = longTemp;
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}
