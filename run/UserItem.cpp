#include "UserItem.h"

namespace {

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool HasAnyOf(const CString& text, const char* characters) {
    for (const char* c = characters; *c; ++c)
        if (text.Find(*c) >= 0)
            return true;
    return false;
}

// \\server\share with a server that is not the device prefix "?" or ".".
bool IsSharePath(const CString& path) {
    if (path.Left(2) != "\\\\")
        return false;
    const int shareStart = path.Find('\\', 2) + 1;
    if (shareStart <= 2)
        return false;
    const CString server = path.Mid(2, shareStart - 3);
    return !server.IsEmpty() && server != "?" && server != "." && shareStart < path.GetLength() &&
           path[shareStart] != '\\';
}

} // namespace

CString DisplayString(const UserItem& item) {
    CString text = item.folder;
    if (text.IsEmpty() || text[text.GetLength() - 1] != '\\')
        text += "\\";
    text += "<" + item.patterns + "><SubFolder:" + (item.subfolders ? "Yes>" : "No>");
    return text;
}

FolderCheck CheckFolder(const CString& folder) {
    CString path = folder;
    path.TrimRight('\\');
    CString visible = path;
    visible.TrimLeft();
    if (visible.IsEmpty())
        return FolderCheck::Empty;
    if (HasAnyOf(path, "*?\"<>|"))
        return FolderCheck::NotFullPath;
    const bool drivePath = path.GetLength() >= 2 && IsLetter(path[0]) && path[1] == ':' &&
                           (path.GetLength() == 2 || path[2] == '\\');
    return drivePath || IsSharePath(path) ? FolderCheck::FullPath : FolderCheck::NotFullPath;
}

bool IsPatternInsideFolder(const CString& pattern) {
    CString visible = pattern;
    visible.TrimLeft();
    visible.TrimRight();
    return !visible.IsEmpty() && !HasAnyOf(pattern, "\\/:\"<>|") && pattern.Find("..") < 0 &&
           visible != ".";
}

bool MatchesEverything(const CString& pattern) {
    for (int i = 0; i < pattern.GetLength(); ++i)
        if (pattern[i] != '*' && pattern[i] != '.' && pattern[i] != ' ')
            return false;
    return pattern.Find('*') >= 0;
}

std::vector<CString> SplitPatterns(CString list) {
    std::vector<CString> patterns;
    if (list.Find(',') != 0)
        for (int comma; (comma = list.Find(',')) >= 0;) {
            patterns.push_back(list.Left(comma));
            list = list.Mid(comma + 1);
        }
    patterns.push_back(list);
    return patterns;
}
