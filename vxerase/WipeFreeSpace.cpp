#include "FileSystem.h"
#include "FileTarget.h"
#include "FreeEntries.h"
#include "Handle.h"
#include "Job.h"
#include "PathText.h"
#include "RandomName.h"
#include "WipeableDrive.h"
#include "WrittenBytes.h"

#include <algorithm>
#include <functional>
#include <future>
#include <vector>

namespace {

constexpr wchar_t kFolderName[] = L"~VXFREE.TMP";
constexpr uint64_t kFillerLimit = uint64_t(1) << 30;
constexpr size_t kNameLength = 64;
constexpr size_t kSlackSize = 512;
constexpr int kSlackFailures = 64;
constexpr int kSlackFiles = 100000;
constexpr int kSlackGrowths = 2;
constexpr int kSlackProbe = 16;
constexpr uint64_t kSlackRoom = uint64_t(4) << 20;
constexpr uint64_t kIndexBlock = 4096;
// The covers of two folders at a time, those of one index block in each.
constexpr size_t kReservedRecords = 64;

struct Filler {
    FileHandle file;
    uint64_t length = 0;
};

// The root of a local drive, "C:\\", in the ANSI text that the calls on a whole volume take.
bool DriveRoot(const std::wstring& given, std::string& root) {
    if (given.size() != 3 ||
        !((given[0] >= L'A' && given[0] <= L'Z') || (given[0] >= L'a' && given[0] <= L'z')) ||
        given[1] != L':' || given[2] != L'\\')
        return false;
    root.assign(given.begin(), given.end());
    return IsWipeableDrive(root.c_str());
}

// Delete-on-close: when the process ends, however it ends, the system removes the file.
FileHandle CreateScratchFile(const std::wstring& folder) {
    return fs::Open(path::Join(folder, RandomName(kNameLength)), GENERIC_WRITE, 0, CREATE_NEW,
                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE);
}

// A wipe cut short by a power loss leaves its fillers behind: delete-on-close is not kept on
// disk. They hold nothing but the wipe's own patterns, and are removed before the free space
// is measured again. Anything else in the folder stays, and keeps the folder.
void RemoveLeftFillers(const std::wstring& folder) {
    std::vector<std::wstring> fillers;
    for (fs::FolderSearch search(path::Join(folder, L"*")); search; search.Next()) {
        const WIN32_FIND_DATAW& entry = search.Entry();
        if (!(entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) &&
            IsRandomName(entry.cFileName, kNameLength))
            fillers.push_back(path::Join(folder, entry.cFileName));
    }
    for (const std::wstring& filler : fillers)
        fs::Remove(filler);
}

bool WriteAll(HANDLE file, const uint8_t* data, size_t size) {
    DWORD written = 0;
    const bool whole = WriteFile(file, data, DWORD(size), &written, nullptr) && written == size;
    CountWritten(written);
    return whole;
}

class FreeSpaceWipe {
public:
    FreeSpaceWipe(std::string root, std::wstring volume, std::wstring folder, Job& job,
                  DWORD cluster)
        : m_root(std::move(root)), m_volume(std::move(volume)), m_folder(std::move(folder)),
          m_job(job), m_cluster(cluster) {}
    FreeSpaceWipe(const FreeSpaceWipe&) = delete;
    FreeSpaceWipe& operator=(const FreeSpaceWipe&) = delete;

    // The space goes back before the names: on a full volume some file systems need room to
    // remove a name (a FUSE volume renames a file that is still open), and a filler that
    // cannot be removed would keep the volume full.
    ~FreeSpaceWipe() {
        for (Filler& filler : m_fillers)
            SetFileLength(filler.file.Get(), 0);
        m_fillers.clear();
        m_slack.clear();
    }

    // False when not one filler could be made: the volume takes no writes.
    bool Run() {
        std::atomic<bool> unused{false};
        std::future<std::vector<VolumeFolder>> folders =
            std::async(std::launch::async, VolumeFolders, std::cref(m_volume), std::cref(m_folder),
                       std::cref(unused));
        ReserveRecords();
        for (size_t i = 0; i < m_job.passes.size() && !Cancelled(); ++i) {
            PassStream stream(m_job.passes[i], m_job.rng.Fork(), m_job.buffer,
                              PassStream::kMaxChunk);
            if (i == 0)
                Fill(stream);
            else
                Rewrite(stream);
        }
        if (Cancelled() || m_fillers.empty()) {
            unused = true;
            return !m_fillers.empty() || Cancelled();
        }
        // Folders take new entries only where they have free ones while the volume is full; the
        // entries in them need free records of the file table, which the slack takes next.
        const std::vector<VolumeFolder> found = folders.get();
        m_records.clear();
        CoverFreeEntries(m_volume, found, m_job.cancel);
        ReleaseSlackRoom();
        FillSlack(m_job.passes.back());
        return true;
    }

private:
    bool Cancelled() const { return m_job.cancel.load(std::memory_order_relaxed); }

    // Each entry that covers a folder's free entries is a file, with a record of the file table
    // of its own; on a full volume the table cannot grow, and its free records may all have been
    // taken again since the names were removed. Files made before the volume is full hold a few
    // records, for the covers to take when they go.
    void ReserveRecords() {
        for (size_t i = 0; i < kReservedRecords; ++i)
            if (FileHandle record = CreateScratchFile(m_folder))
                m_records.push_back(std::move(record));
    }

    // Writes filler files until the volume is full; near the end the chunk shrinks to one
    // cluster so that the last clusters are taken too.
    void Fill(PassStream& stream) {
        size_t chunk = PassStream::kMaxChunk;
        while (!Cancelled()) {
            Filler filler{CreateScratchFile(m_folder), 0};
            if (!filler.file)
                return;
            bool full = false;
            while (filler.length < kFillerLimit && !Cancelled()) {
                if (WriteAll(filler.file.Get(), stream.Next(chunk), chunk)) {
                    filler.length += chunk;
                    continue;
                }
                if (chunk == m_cluster) {
                    full = true;
                    break;
                }
                chunk = m_cluster;
                SetFileLength(filler.file.Get(), filler.length);
            }
            FlushFileBuffers(filler.file.Get());
            m_fillers.push_back(std::move(filler));
            if (full)
                return;
        }
    }

    void Rewrite(PassStream& stream) {
        for (Filler& filler : m_fillers) {
            FileTarget target(filler.file.Get());
            if (!target.Rewind())
                continue;
            for (uint64_t done = 0; done < filler.length && !Cancelled();) {
                const size_t size =
                    size_t(std::min<uint64_t>(filler.length - done, PassStream::kMaxChunk));
                if (!target.Write(stream.Next(size), size))
                    break;
                done += size;
            }
            target.Flush();
        }
    }

    // Every small file needs an entry in the folder's index, and NTFS grows an index by whole
    // clusters: without free clusters the folder would take no more names. The end of the last
    // filler, already overwritten by every pass, is given back to make that room.
    void ReleaseSlackRoom() {
        if (m_fillers.empty())
            return;
        Filler& last = m_fillers.back();
        last.length -= std::min<uint64_t>(last.length, kSlackRoom);
        SetFileLength(last.file.Get(), last.length);
    }

    uint64_t FreeBytes() const {
        ULARGE_INTEGER available, total, free;
        if (!GetDiskFreeSpaceExA(m_root.c_str(), &available, &total, &free))
            return 0;
        return free.QuadPart;
    }

    // With the clusters taken, small files reuse the free records of the file table (NTFS
    // keeps small files' data inside them) and the free entries of the folder. The folder's
    // index grows by a block or two as the files come; a file that costs more than two blocks
    // means the table had to grow. The first growth may come while free records are left, as the
    // table is searched from where it last took one: the second means they are all taken, and
    // more files would only enlarge it for good. Where each file takes a cluster of its own, the
    // volume keeps no data in its table (ext4, exFAT): a few files tell.
    void FillSlack(const Pass& pass) {
        PassStream stream(pass, m_job.rng.Fork(), m_job.buffer, kSlackSize);
        const uint64_t indexBlock = std::max<uint64_t>(kIndexBlock, m_cluster);
        const uint64_t first = FreeBytes();
        uint64_t free = first;
        int failures = 0;
        int growths = 0;
        for (int i = 0; i < kSlackFiles && failures < kSlackFailures && !Cancelled(); ++i) {
            FileHandle file = CreateScratchFile(m_folder);
            if (!file)
                return;
            if (WriteAll(file.Get(), stream.Next(kSlackSize), kSlackSize)) {
                FlushFileBuffers(file.Get());
                failures = 0;
            } else {
                ++failures;
            }
            m_slack.push_back(std::move(file));
            const uint64_t left = FreeBytes();
            if (free > left + 2 * indexBlock && ++growths == kSlackGrowths)
                return;
            if (i + 1 >= kSlackProbe && first >= left + uint64_t(i + 1) * m_cluster)
                return;
            free = left;
        }
    }

    std::string m_root;
    std::wstring m_volume;
    std::wstring m_folder;
    Job& m_job;
    DWORD m_cluster;
    std::vector<Filler> m_fillers;
    std::vector<FileHandle> m_slack;
    std::vector<FileHandle> m_records;
};

} // namespace

bool WipeFreeSpace(const std::wstring& given, Job& job) {
    std::string root;
    std::wstring volume, folder;
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, clusters;
    if (!DriveRoot(given, root) || job.passes.empty() ||
        !GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &clusters) ||
        !fs::SystemPath(given, volume) || !fs::SystemPath(given + kFolderName, folder))
        return false;
    RemoveLeftFillers(folder);
    if (!fs::MakeFolder(folder) && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    fs::SetAttributes(folder, FILE_ATTRIBUTE_HIDDEN);
    const bool wrote = FreeSpaceWipe(root, volume, folder, job,
                                     std::max<DWORD>(sectorsPerCluster * bytesPerSector, 512))
                           .Run();
    fs::RemoveFolder(folder);
    return wrote;
}
