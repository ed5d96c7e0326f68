// How many bytes an erase writes: the passes of each method, and the stretch of a file one pass
// covers. The erase component writes by these rules and a run plans its progress by them. Needs no
// system header.
#pragma once

#include "StoredSettings.h"

#include <cstdint>

// The passes each method writes over every byte, in the order of EraseMethod.
constexpr unsigned kMethodPasses[5] = {35, 7, 3, 1, 1};

constexpr unsigned PassCount(EraseMethod method) {
    return kMethodPasses[int(method)];
}

// Whether each method reads its last pass back from the disk, in the order of EraseMethod.
constexpr bool kMethodReadsBack[5] = {false, true, true, false, false};

// The cluster assumed where the volume does not tell its own.
constexpr uint32_t kUsualCluster = 4096;

// A file smaller than a cluster is overwritten over exactly its length: NTFS keeps such a file
// inside its MFT record, and growing it would move the data to a cluster and leave the old
// bytes in the record. Larger files are overwritten up to the end of their last cluster.
constexpr uint64_t OverwriteLength(uint64_t size, uint32_t cluster) {
    if (cluster == 0)
        cluster = kUsualCluster;
    if (size < cluster)
        return size;
    return (size + cluster - 1) / cluster * cluster;
}
