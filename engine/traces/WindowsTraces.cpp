// Windows' own traces: recent documents, histories of the Run dialog, search and file dialogs,
// temporary folders, recycle bins, clipboard and network neighbourhood.
#include "Removal.h"
#include "Silently.h"
#include "TraceSteps.h"
#include "VxMain.h"

#include <shellapi.h>
#include <shlobj.h>

#include <string>

namespace {

const char kExplorerKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

std::string WithoutTrailingBackslash(const char* folder) {
    std::string trimmed(folder);
    if (trimmed.size() > 3 && trimmed.back() == '\\')
        trimmed.pop_back();
    return trimmed;
}

// With no temporary folder set, the system names the Windows folder or the profile as the
// temporary folder; neither of them, nor a drive root, is ever emptied.
bool IsTemporaryFolder(const char* folder) {
    const std::string candidate = WithoutTrailingBackslash(folder);
    if (candidate.size() <= 3)
        return false;
    char known[MAX_PATH];
    for (int csidl : {CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_PROFILE, CSIDL_PERSONAL, CSIDL_DESKTOP,
                      CSIDL_PROGRAM_FILES})
        if (SHGetSpecialFolderPathA(nullptr, known, csidl, FALSE) &&
            lstrcmpiA(candidate.c_str(), WithoutTrailingBackslash(known).c_str()) == 0)
            return false;
    return true;
}

} // namespace

void CVxMain::DelSysRecycleBin() {
    Silently([&] { removal::EmptyRecycleBin(); });
}

void CVxMain::DelSysRecent() {
    Silently([&] {
        EmptyShellFolder(*this, CSIDL_RECENT);
        DelOfficeRecent();
    });
}

// Files held open by running programs stay; the rest of each folder is erased.
void CVxMain::DelSysTmp() {
    Silently([&] {
        char temp[MAX_PATH], longTemp[MAX_PATH];
        const DWORD length = GetTempPathA(MAX_PATH, temp);
        if (length > 0 && length < MAX_PATH) {
            const DWORD longLength = GetLongPathNameA(temp, longTemp, MAX_PATH);
            if (longLength > 0 && longLength < MAX_PATH && IsTemporaryFolder(longTemp))
                EmptyDirectory(longTemp, 0, 1);
        }
        EmptyShellFolder(*this, CSIDL_WINDOWS, "\\Temp");
    });
}

void CVxMain::DelSysRunHistory() {
    Silently([&] { DeleteKeyTrees(HKEY_CURRENT_USER, kExplorerKey, {"RunMRU"}); });
}

void CVxMain::DelSysSearchHistory() {
    Silently([&] {
        DeleteKeyTrees(HKEY_CURRENT_USER, "Software\\Microsoft\\Search Assistant", {"ACMru"});
        DeleteKeyTrees(HKEY_CURRENT_USER, kExplorerKey, {"Doc Find Spec MRU"});
    });
}

void CVxMain::DelSysList() {
    Silently([&] {
        DeleteKeyTrees(HKEY_CURRENT_USER, kExplorerKey, {"RecentDocs", "StreamMRU"});
        DeleteKeyTrees(HKEY_CURRENT_USER,
                       "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32",
                       {"OpenSaveMRU", "LastVisitedMRU"});
    });
}

void CVxMain::DelClipBoard() {
    Silently([&] { removal::EmptyClipboard(); });
}

void CVxMain::DelNetHood() {
    Silently([&] { EmptyShellFolder(*this, CSIDL_NETHOOD); });
}
