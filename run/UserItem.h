// A user-defined item: a folder, a comma-separated list of file name patterns and whether its
// subfolders are included; the text that shows it, and what makes it safe to shred.
#pragma once

#include "CString.h"

#include <vector>

struct UserItem {
    CString folder;
    CString patterns;
    bool subfolders = false;
};

// The folder, a backslash unless the folder ends with one, "<", the patterns, "><SubFolder:"
// and "Yes>" or "No>": the text of the item in the tree and in a run request.
CString DisplayString(const UserItem& item);

enum class FolderCheck { FullPath, Empty, NotFullPath };

// Only a full path is shredded: a drive letter with a colon, alone or followed by a backslash,
// or \\server\share. Anything else would be resolved against the program's current folder.
// Trailing backslashes do not count; characters that no folder name has are refused.
FolderCheck CheckFolder(const CString& folder);

// A pattern names files of its own folder only: it is not blank and has no path separator,
// no drive colon, no "..", and none of the characters that delimit the display string.
bool IsPatternInsideFolder(const CString& pattern);

// "*", "*.*" and the like: every file of the folder.
bool MatchesEverything(const CString& pattern);

// The patterns of a list as a shred run takes them: split at commas, not trimmed; the text
// after the last comma is a pattern even when empty; a list that begins with a comma is one
// single pattern.
std::vector<CString> SplitPatterns(CString list);
