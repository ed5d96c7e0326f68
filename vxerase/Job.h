// What one running job carries from item to item.
#pragma once

#include "ChaChaRng.h"
#include "EraseMethod.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

struct Job {
    std::vector<Pass> passes;
    // Those of a file kept compressed or sparse.
    std::vector<Pass> compressedPasses;
    // The data of the passes.
    ChaChaRng rng;
    std::vector<uint8_t> buffer;
    const std::atomic<bool>& cancel;

    // Whether a pass is read back.
    bool Verifies() const {
        return std::any_of(passes.begin(), passes.end(),
                           [](const Pass& pass) { return pass.verify; });
    }
};

// What became of an item of a job: gone, still there, or not reached because the job was
// cancelled before it.
enum class ItemFate : uint8_t { Gone, Stays, NotReached };

// Overwrites files with the job's passes and removes them; returns what became of each path.
// Paths are taken as the caller gave them and reached through the system's own names (see
// fs::SystemPath). Folders, links and files that cannot be opened for exclusive access are left
// as they are; a file with other hard links keeps its data for them and loses only this name. A
// file stays also when its overwrite fails or does not reach the device, and a path that names
// no file of a drive or share counts as staying.
std::vector<ItemFate> EraseFiles(const std::vector<std::wstring>& paths, Job& job);

// Overwrites the free space of the volume whose root is `root` ("C:\"); false when it could
// not write there at all (not a local drive, a volume that takes no writes).
bool WipeFreeSpace(const std::wstring& root, Job& job);
