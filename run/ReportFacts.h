// What the record of a run says beside its steps: when, where, by whom and how it ran, the
// volumes it touched and how it ended.
#pragma once

#include "RunLoop.h"
#include "RunRecord.h"
#include "StoredSettings.h"

// The start, the machine, the user, the program's version and the method.
void BeginRecord(RunRecord& record, EraseMethod method);
// The end, the outcome, the notes and the volumes of the places the steps name, with their file
// systems.
void EndRecord(RunRecord& record, const RunOutcome& outcome);
