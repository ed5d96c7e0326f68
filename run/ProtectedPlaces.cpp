#include "ProtectedPlaces.h"

#include <windows.h>
#include <shlobj.h>

namespace {

// The folder as Windows resolves it, without a trailing backslash and in lower case. A drive
// letter with a colon alone stands for the drive's root, as the shred run takes it.
CString Canonical(CString folder) {
    if (folder.Right(1) == ":")
        folder += "\\";
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(folder, sizeof full, full, nullptr);
    CString path = length > 0 && length < sizeof full ? CString(full) : folder;
    path.TrimRight('\\');
    path.MakeLower();
    return path;
}

CString ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))
               ? Canonical(path)
               : CString();
}

// "x:" or "\\server\share".
bool IsRoot(const CString& path) {
    if (path.Left(2) != "\\\\")
        return path.GetLength() <= 2;
    const int share = path.Find('\\', 2);
    return share > 0 && path.Find('\\', share + 1) < 0;
}

// `inner` is `outer` or lies below it.
bool Holds(const CString& outer, const CString& inner) {
    return inner == outer ||
           (inner.GetLength() > outer.GetLength() && inner.Left(outer.GetLength()) == outer &&
            inner[outer.GetLength()] == '\\');
}

bool ReachesProtectedPlace(const UserItem& item) {
    const CString path = Canonical(item.folder);
    if (IsRoot(path))
        return true;
    for (int csidl : {CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_PROFILE, CSIDL_PROGRAM_FILES,
                      CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL}) {
        const CString place = ShellFolder(csidl);
        if (!place.IsEmpty() && (path == place || (item.subfolders && Holds(path, place))))
            return true;
    }
    return false;
}

} // namespace

bool TakesAWholeProtectedPlace(const UserItem& item) {
    if (!ReachesProtectedPlace(item))
        return false;
    for (const CString& pattern : SplitPatterns(item.patterns))
        if (MatchesEverything(pattern))
            return true;
    return false;
}
