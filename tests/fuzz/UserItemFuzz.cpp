// libFuzzer target: the user-defined items. Any text read back as a display string must parse
// without fault; an item that passes the safety rules, shown and read back, must come back as
// the same folder, patterns and subfolder choice, and every part must still pass the rules.
// The input is the folder, a zero, the patterns, a zero and the subfolder choice.
#include "UserItem.h"
#include "UserItemParser.h"

#include <cstdlib>
#include <string>

namespace {

CString WithoutTrailingBackslashes(CString folder) {
    while (!folder.IsEmpty() && folder[folder.GetLength() - 1] == '\\')
        folder = folder.Left(folder.GetLength() - 1);
    return folder;
}

void Check(bool holds) {
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    UserItemRun raw;
    if (ParseUserItem(input.c_str(), raw))
        for (const CString& pattern : raw.patterns)
            IsPatternInsideFolder(pattern);

    const size_t first = input.find('\0');
    const size_t second = first == std::string::npos ? first : input.find('\0', first + 1);
    if (second == std::string::npos)
        return 0;
    UserItem item;
    item.folder = input.substr(0, first).c_str();
    item.patterns = input.substr(first + 1, second - first - 1).c_str();
    item.subfolders = second + 1 < size && (data[second + 1] & 1);
    if (CheckFolder(item.folder) != FolderCheck::FullPath)
        return 0;
    const std::vector<CString> patterns = SplitPatterns(item.patterns);
    for (const CString& pattern : patterns)
        if (!IsPatternInsideFolder(pattern))
            return 0;

    UserItemRun run;
    Check(ParseUserItem(DisplayString(item), run));
    Check(run.folder == WithoutTrailingBackslashes(item.folder));
    Check(run.subfolders == item.subfolders);
    Check(run.patterns.size() == patterns.size());
    for (size_t i = 0; i < patterns.size(); ++i)
        Check(run.patterns[i] == patterns[i] && IsPatternInsideFolder(run.patterns[i]));
    Check(run.folder.IsEmpty() || CheckFolder(run.folder) == FolderCheck::FullPath);
    return 0;
}
