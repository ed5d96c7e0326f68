#include "FileTarget.h"
#include "Handle.h"
#include "Job.h"

namespace {

constexpr int kRenames = 3;

DWORD LookUpClusterSize(const std::string& path) {
    char root[MAX_PATH];
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, clusters;
    if (!GetVolumePathNameA(path.c_str(), root, sizeof root) ||
        !GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters) ||
        sectorsPerCluster * bytesPerSector == 0)
        return 4096;
    return sectorsPerCluster * bytesPerSector;
}

DWORD ClusterSize(const std::string& path, DWORD volume, Job& job) {
    const auto known = job.clusterSizes.find(volume);
    if (known != job.clusterSizes.end())
        return known->second;
    return job.clusterSizes[volume] = LookUpClusterSize(path);
}

// A file smaller than a cluster is overwritten over exactly its length: NTFS keeps such a file
// inside its MFT record, and growing it would move the data to a cluster and leave the old
// bytes in the record. Larger files are overwritten up to the end of their last cluster.
uint64_t OverwriteLength(uint64_t size, DWORD cluster) {
    if (size < cluster)
        return size;
    return (size + cluster - 1) / cluster * cluster;
}

// Renames the file a few times to random names of the same length, so that the folder's
// entries keep no trace of the name, then deletes it.
void RemoveName(std::string path, Job& job) {
    const size_t slash = path.find_last_of('\\');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    for (int i = 0; i < kRenames; ++i) {
        std::string renamed = path.substr(0, nameStart) + job.RandomName(path.size() - nameStart);
        if (MoveFileA(path.c_str(), renamed.c_str()))
            path = std::move(renamed);
    }
    DeleteFileA(path.c_str());
}

// The target and its flush thread end with this call, before the caller shortens or closes the
// file, whatever the outcome. An overwrite that cannot get its buffers or its thread fails like
// one the device refuses.
OverwriteResult OverwriteFile(HANDLE file, uint64_t length, Job& job) try {
    FileTarget target(file);
    return Overwrite(target, length, job.passes, job.rng, job.buffer, job.cancel);
} catch (...) {
    return OverwriteResult::Failed;
}

} // namespace

void EraseFile(const std::string& path, Job& job) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return;
    // Only read-only prevents writing; hidden and system stay, since changing them can move a
    // small file's data.
    const bool readOnly = attributes & FILE_ATTRIBUTE_READONLY;
    if (readOnly && !SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
        return;
    auto restore = [&] {
        if (readOnly)
            SetFileAttributesA(path.c_str(), attributes);
    };

    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file || !GetFileInformationByHandle(file.Get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        file.Reset();
        restore();
        return;
    }
    if (info.nNumberOfLinks > 1) {
        file.Reset();
        if (!DeleteFileA(path.c_str()))
            restore();
        return;
    }

    const uint64_t size = uint64_t(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
    const OverwriteResult result = OverwriteFile(
        file.Get(), OverwriteLength(size, ClusterSize(path, info.dwVolumeSerialNumber, job)), job);
    if (result == OverwriteResult::Failed) {
        SetFileLength(file.Get(), size);
        file.Reset();
        restore();
        return;
    }
    // A cancelled file is removed too: its content is already partly overwritten. The overwrite
    // has reached the device; the cut needs no flush of its own.
    SetFileLength(file.Get(), 0);
    file.Reset();
    RemoveName(path, job);
}
