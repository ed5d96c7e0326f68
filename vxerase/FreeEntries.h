// Names that earlier removals, by any program, left in the free directory space of the folders
// that remain. With the volume full, a directory can only take new entries where it has free
// ones already: entries are made in each folder until it takes no more, and removed again, so
// that they cover every free entry it has.
#pragma once

#include "NameLeads.h"

#include <atomic>
#include <string>
#include <vector>

struct VolumeFolder {
    std::wstring path;
    // On a volume that sorts each folder's names, the leads of the names the folder holds.
    std::vector<NameLead> leads;
};

// `root` and every folder under it but `skipped` and what lies below either; junctions and other
// reparse points are not followed. The walk needs no full volume: the wipe lists the folders
// while it fills the volume, so that the covers wait for nothing but their own entries. Once
// `stop` is set the walk ends with what it found.
std::vector<VolumeFolder> VolumeFolders(const std::wstring& root, const std::wstring& skipped,
                                        const std::atomic<bool>& stop);

// Covers the free entries of each of `folders` on the volume of `root`, which must be full, two
// folders at a time: next to each name the folder holds where it has their leads, otherwise of
// random names. A folder that went meanwhile is passed over. Each folder's times stay as
// they were. Once the volume has room again (another program gave some back), the folders left
// are not covered.
void CoverFreeEntries(const std::wstring& root, const std::vector<VolumeFolder>& folders,
                      const std::atomic<bool>& cancel);
