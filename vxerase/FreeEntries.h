// Names that earlier removals, by any program, left in the free directory space of the folders
// that remain. With the volume full, a directory can only take new entries where it has free
// ones already: entries of random names are made in each folder until it takes no more, and
// removed again, so that they cover every free entry it has.
#pragma once

#include <atomic>
#include <string>

// Every folder under `root` but `skipped` and what lies below either; junctions and other
// reparse points are not followed. Each folder's times stay as they were. Once the volume has
// room again (another program gave some back), the folders left are not covered.
void CoverFreeEntries(const std::wstring& root, const std::wstring& skipped,
                      const std::atomic<bool>& cancel);
