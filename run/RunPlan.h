// The steps of a shred run in the order they run, each with the progress line shown before it.
#pragma once

#include "RunRequest.h"
#include "VxMain.h"

#include <functional>
#include <vector>

struct RunStep {
    CString line;
    // Empty for a step that is only shown: a user-defined item the run skips.
    std::function<void(CVxMain&)> call;
};

// The free space of each drive, then the catalogue entries in run order, then each pattern of
// each user-defined item; an item whose text cannot be read back adds nothing.
std::vector<RunStep> PlanRun(const RunRequest& request);
