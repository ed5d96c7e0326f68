// What one running job carries from item to item.
#pragma once

#include "ChaChaRng.h"
#include "EraseMethod.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct Job {
    std::vector<Pass> passes;
    ChaChaRng rng;
    std::vector<uint8_t> buffer;
    const std::atomic<bool>& cancel;
    // Cluster sizes by volume serial number, looked up once a job.
    std::map<uint32_t, uint32_t> clusterSizes = {};

    // A name of `length` random letters and digits.
    std::string RandomName(size_t length);
};

// Overwrites a file with the job's passes and removes it. Folders, links and files that cannot
// be opened for exclusive access are left as they are; a file with other hard links keeps its
// data for them and loses only this name.
void EraseFile(const std::string& path, Job& job);

// Overwrites the free space of the volume whose root is `root` ("C:\").
void WipeFreeSpace(const std::string& root, Job& job);
