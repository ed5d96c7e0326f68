#include "ShellFolder.h"

#include <windows.h>
#include <shlobj.h>

std::string ShellFolder(int csidl, const std::string& suffix) {
    char folder[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, folder, csidl, TRUE);
    return folder + suffix;
}

std::string AppData(const std::string& suffix) {
    return ShellFolder(CSIDL_APPDATA, suffix);
}

std::string CommonAppData(const std::string& suffix) {
    return ShellFolder(CSIDL_COMMON_APPDATA, suffix);
}

std::string ProgramFiles(const std::string& suffix) {
    return ShellFolder(CSIDL_PROGRAM_FILES, suffix);
}

std::string WindowsFolder(const std::string& suffix) {
    return ShellFolder(CSIDL_WINDOWS, suffix);
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
