// Reads back the display string of a user-defined item, as the tree shows it:
// folder + "\" + "<" + patterns + "><SubFolder:" + "Yes" or "No" + ">".
#pragma once

#include "CString.h"

#include <vector>

struct UserItemRun {
    // Without the separator backslash, and without any further trailing backslash: the root
    // of a drive is just the letter and colon.
    CString folder;
    // As SplitPatterns gives them.
    std::vector<CString> patterns;
    bool subfolders = false;
};

// False when the text has no "<" after its first character, or no "><" after that.
bool ParseUserItem(const CString& display, UserItemRun& run);

// What keeps the display string of an item from being run, in words that follow the item's
// text ("needs a full path ..."); null when it may run.
const char* UserItemFault(const char* display);
