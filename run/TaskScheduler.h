// The scheduled shred of the user as a work item of the Windows Task Scheduler, registered, read
// and removed through the scheduler's own interface (the one every version from Windows 2000 on
// keeps): one task for each user, named after them, run as that user while they are logged on.
// Nothing of the program stays resident; the scheduler starts nvc, and never a second time while
// the first still runs.
#pragma once

#include "ScheduledRun.h"

#include <string>

// The task, replacing one there before, to start nvc at `program` with "shred" and the run's
// arguments. False with `fault` when the scheduler cannot be reached or refuses it.
bool RegisterScheduledRun(const ScheduledRun& run, const std::wstring& program, std::string& fault);

struct FoundSchedule {
    // False when the scheduler could not be asked; then `fault` says why.
    bool asked = false;
    std::string fault;
    // What the task does as the scheduler keeps it ("Shreds daily at 21:00: nvc shred
    // --selection --quiet"), read from its trigger and its command line; empty where there is no
    // task.
    std::string description;
};

FoundSchedule FindScheduledRun();
// Removes the task; `removed` tells whether there was one.
bool RemoveScheduledRun(bool& removed, std::string& fault);
