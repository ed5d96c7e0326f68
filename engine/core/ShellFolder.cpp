#include "ShellFolder.h"

#include "FileSystem.h"

#include <windows.h>
#include <shlobj.h>

// The 9x family spells its folders in ANSI only, which converts exactly.
bool ShellFolder(int csidl, std::wstring& folder) {
    if (fs::IsNtFamily()) {
        wchar_t wide[MAX_PATH];
        if (!SHGetSpecialFolderPathW(nullptr, wide, csidl, FALSE))
            return false;
        folder = wide;
        return true;
    }
    char ansi[MAX_PATH];
    return SHGetSpecialFolderPathA(nullptr, ansi, csidl, FALSE) &&
           fs::FromAnsi(ansi, strlen(ansi), folder);
}

bool ShellFolderPath(int csidl, const char* suffix, std::wstring& path) {
    std::wstring folder;
    return ShellFolder(csidl, folder) && fs::SystemPath(folder + fs::FromAnsi(suffix), path);
}
