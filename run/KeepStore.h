// The keep lists as the program keeps them for each user: under the program's key, "Keep\Sites"
// and "Keep\Places", each entry a text value named by its number, which older versions do not
// read. Both front ends read them for every run and preview.
#pragma once

#include "KeepList.h"
#include "VxKeep.h"

#include <string>
#include <vector>

struct StoredKeep {
    KeepLists lists;
    // A line for each stored entry that is no site or place, which the run skips.
    std::vector<std::string> skipped;
};

StoredKeep ReadKeepLists();
// Replaces both stored lists; false when the registry takes them not.
bool WriteKeepLists(const KeepLists& lists);
// Hands the lists to the engine for the life of `keep`.
void ApplyKeepLists(CVxKeep& keep, const KeepLists& lists);
