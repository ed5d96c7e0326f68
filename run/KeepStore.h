// The keep lists as the program keeps them for each user: under the program's key, "Keep\Sites"
// and "Keep\Places", each entry a text value named by its number, which older versions do not
// read. Both front ends read them for every run and preview.
#pragma once

#include "KeepList.h"
#include "VxKeep.h"

#include <string>
#include <vector>

struct StoredKeep {
    // As the organisation's policy rules them: a locked list is the policy's, and a default
    // list stands where the user stored none.
    KeepLists lists;
    bool sitesLocked = false;
    bool placesLocked = false;
    // A line for each stored entry that is no site or place, which the run skips.
    std::vector<std::string> skipped;
};

StoredKeep ReadKeepLists();
// Replaces both stored lists but a locked one; false when the registry takes them not.
bool WriteKeepLists(const KeepLists& lists);
// Hands the lists to the engine for the life of `keep`.
void ApplyKeepLists(CVxKeep& keep, const KeepLists& lists);
