#include "UserItemParser.h"

#include "UserItem.h"

namespace {
const int kSubFolderLabelLength = 12; // "><SubFolder:"
}

bool ParseUserItem(const CString& display, UserItemRun& run) {
    const int open = display.Find('<', 1);
    if (open < 0)
        return false;
    const int close = display.Find("><", open);
    if (close < 0)
        return false;

    run.folder = display.Left(open - 1);
    while (!run.folder.IsEmpty() && run.folder[run.folder.GetLength() - 1] == '\\')
        run.folder = run.folder.Left(run.folder.GetLength() - 1);

    const int wordStart = close + kSubFolderLabelLength;
    run.subfolders = display.Mid(wordStart, display.GetLength() - 1 - wordStart) == "Yes";

    run.patterns = SplitPatterns(display.Mid(open + 1, close - open - 1));
    return true;
}

const char* UserItemFault(const char* display) {
    UserItemRun run;
    if (!ParseUserItem(display, run))
        return "is not FOLDER\\<PATTERNS><SubFolder:Yes|No>";
    if (CheckFolder(run.folder) != FolderCheck::FullPath)
        return "needs a full path such as C:\\Files or \\\\Server\\Share";
    for (const CString& pattern : run.patterns)
        if (!IsPatternInsideFolder(pattern))
            return "has a file name that reaches outside its folder";
    return nullptr;
}
