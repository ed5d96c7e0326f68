// The bytes a shred run writes, planned from its preview before it starts: what its progress
// is measured against.
#pragma once

#include "RunPreview.h"
#include "StoredSettings.h"

// Each file's overwritten stretch, and the content of cache entries and of the recycle bin,
// times the passes of `method`, and the free space of each drive the run wipes, times the same,
// from a preview of the request that does not try which files are held open. Rows, values and
// keys are removed without an overwrite of the erase component and add nothing.
unsigned long long PlannedBytes(const RunRequest& request, EraseMethod method);
