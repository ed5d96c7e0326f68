// Windows' own traces: recent documents, histories of the Run dialog, search and file dialogs,
// temporary folders, recycle bins, clipboard and network neighbourhood.
#include "FileSystem.h"
#include "PathText.h"
#include "Removal.h"
#include "ShellFolder.h"
#include "Shred.h"
#include "Silently.h"
#include "TraceSteps.h"
#include "VxMain.h"

#include <shellapi.h>
#include <shlobj.h>

namespace {

const char kExplorerKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

std::wstring WithoutTrailingBackslash(std::wstring folder) {
    if (folder.size() > 3 && folder.back() == L'\\')
        folder.pop_back();
    return folder;
}

// Two names the 9x family cannot compare count as the same, so that neither is emptied.
bool SameFolder(const std::wstring& one, const std::wstring& other) {
    if (fs::IsNtFamily())
        return lstrcmpiW(one.c_str(), other.c_str()) == 0;
    std::string ansiOne, ansiOther;
    return !fs::ToAnsi(one, ansiOne) || !fs::ToAnsi(other, ansiOther) ||
           lstrcmpiA(ansiOne.c_str(), ansiOther.c_str()) == 0;
}

// With no temporary folder set, the system names the Windows folder or the profile as the
// temporary folder; neither of them, nor a drive root, is ever emptied.
bool IsTemporaryFolder(const std::wstring& folder) {
    const std::wstring candidate = WithoutTrailingBackslash(path::Ordinary(folder));
    if (candidate.size() <= 3)
        return false;
    std::wstring known;
    for (int csidl : {CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_PROFILE, CSIDL_PERSONAL, CSIDL_DESKTOP,
                      CSIDL_PROGRAM_FILES})
        if (ShellFolder(csidl, known) && SameFolder(candidate, WithoutTrailingBackslash(known)))
            return false;
    return true;
}

// The user's temporary folder by its long name, as the system spells it.
bool TemporaryFolder(std::wstring& folder) {
    if (!fs::IsNtFamily()) {
        char temp[MAX_PATH], longTemp[MAX_PATH];
        const DWORD length = GetTempPathA(MAX_PATH, temp);
        const DWORD longLength =
            length > 0 && length < MAX_PATH ? GetLongPathNameA(temp, longTemp, MAX_PATH) : 0;
        return longLength > 0 && longLength < MAX_PATH &&
               fs::SystemPath(fs::FromAnsi(longTemp), folder);
    }
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH)
        return false;
    std::wstring longTemp(path::kMaxLength, L'\0');
    const DWORD longLength = GetLongPathNameW(temp, &longTemp[0], DWORD(longTemp.size()));
    if (longLength == 0 || longLength >= longTemp.size())
        return false;
    longTemp.resize(longLength);
    return fs::SystemPath(longTemp, folder);
}

} // namespace

void CVxMain::DelSysRecycleBin() {
    Silently([&] { removal::EmptyRecycleBin(); });
}

void CVxMain::DelSysRecent() {
    Silently([&] {
        EmptyShellFolder(CSIDL_RECENT);
        DelOfficeRecent();
    });
}

// Files held open by running programs stay; the rest of each folder is erased.
void CVxMain::DelSysTmp() {
    Silently([&] {
        std::wstring temp;
        if (TemporaryFolder(temp) && IsTemporaryFolder(temp))
            shred::Files(temp, L"*.*", true);
        EmptyShellFolder(CSIDL_WINDOWS, "\\Temp");
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
    Silently([&] { EmptyShellFolder(CSIDL_NETHOOD); });
}
