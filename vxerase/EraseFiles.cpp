// The erase of a job's files: each overwritten through one open handle, a group at a time, the
// group flushed together, then each file renamed and deleted through its handle; last, their names
// are covered in their folders.
#include "FileSystem.h"
#include "FileTarget.h"
#include "FreedNames.h"
#include "Handle.h"
#include "Job.h"
#include "OpenFile.h"
#include "OverwriteSize.h"
#include "PathText.h"
#include "RandomName.h"

#include <map>
#include <thread>
#include <utility>

namespace {

// Files are overwritten a group at a time and the group flushed together: the volume then writes
// their data in one go instead of one file after the other. The group stays small enough that
// its data sit in the cache only briefly.
constexpr size_t kGroupFiles = 64;
constexpr uint64_t kGroupBytes = uint64_t(32) << 20;

// Compressed or sparse, by its attributes or by holding fewer bytes than its length. A file smaller
// than a cluster is left out: NTFS keeps it inside its record, where nothing is compressed.
bool IsKeptCompressed(const OpenFileFacts& facts) {
    return (facts.attributes & (FILE_ATTRIBUTE_COMPRESSED | FILE_ATTRIBUTE_SPARSE_FILE)) ||
           (facts.size >= facts.clusterSize && facts.allocated < facts.size);
}

// A file overwritten and not yet flushed: what is needed to remove it, or to put it back.
struct Written {
    // The path's place among the job's items.
    size_t index;
    std::wstring path;
    FileHandle file;
    // The bytes overwritten, and the length the file had.
    uint64_t length;
    uint64_t size;
    // As found; a read-only file is made writable for the erase.
    DWORD attributes;
    // Opened with delete access, so that it is renamed and deleted through its handle.
    bool deletable;
};

bool Exists(const std::wstring& path) {
    return fs::Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

void GiveBackReadOnly(const std::wstring& path, DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_READONLY)
        fs::SetAttributes(path, attributes);
}

// No other program may write or delete the file while it is erased, nor read it unless a pass is
// read back: that read goes through a second handle of this process.
FileHandle OpenAlone(const std::wstring& path, DWORD access, const Job& job) {
    return fs::Open(path, access, job.Verifies() ? FILE_SHARE_READ : 0, OPEN_EXISTING,
                    FILE_FLAG_OPEN_REPARSE_POINT);
}

// Opens the file for the erase, with delete access where its security allows. Only read-only
// prevents writing: where the system refuses the open for it, it is cleared, and `attributes`
// then holds what to give back.
FileHandle OpenForErase(const std::wstring& path, const Job& job, DWORD& attributes,
                        bool& deletable) {
    constexpr DWORD kWrite = GENERIC_READ | GENERIC_WRITE;
    attributes = 0;
    deletable = true;
    FileHandle file = OpenAlone(path, kWrite | DELETE, job);
    if (file || GetLastError() != ERROR_ACCESS_DENIED)
        return file;
    attributes = fs::Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return FileHandle();
    const bool readOnly = attributes & FILE_ATTRIBUTE_READONLY;
    if (readOnly) {
        if (!fs::SetAttributes(path, attributes & ~FILE_ATTRIBUTE_READONLY))
            return FileHandle();
        file = OpenAlone(path, kWrite | DELETE, job);
    }
    if (!file) {
        deletable = false;
        file = OpenAlone(path, kWrite, job);
    }
    if (!file)
        GiveBackReadOnly(path, attributes);
    return file;
}

// The target and its flush thread end with this call, before the caller shortens or closes the
// file, whatever the outcome. An overwrite that cannot get its buffers or its thread fails like
// one the device refuses. A pass that is read back is read past the system's cache, from the
// device, where the file can be opened so; otherwise through the cache.
OverwriteResult OverwriteFile(HANDLE file, const std::wstring& path, uint64_t length,
                              DWORD sectorSize, const std::vector<Pass>& passes, Job& job) try {
    FileHandle direct;
    if (job.Verifies())
        direct =
            fs::Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     OPEN_EXISTING, FILE_FLAG_NO_BUFFERING | FILE_FLAG_OPEN_REPARSE_POINT);
    FileTarget target(file, direct ? direct.Get() : nullptr, sectorSize);
    return Overwrite(target, length, passes, job.rng, job.buffer, job.cancel, LastFlush::ByCaller);
} catch (...) {
    return OverwriteResult::Failed;
}

// Overwrites one file; false when it is left as it was (or, with other hard links, loses only
// this name).
bool Overwritten(const std::wstring& path, Job& job, Written& written) {
    DWORD attributes;
    bool deletable;
    FileHandle file = OpenForErase(path, job, attributes, deletable);
    OpenFileFacts facts;
    if (!file || !QueryOpenFile(file.Get(), facts) ||
        (facts.attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        file.Reset();
        GiveBackReadOnly(path, attributes);
        return false;
    }
    // Only read-only prevents deleting; hidden and system stay, since changing them can move a
    // small file's data.
    if (facts.attributes & FILE_ATTRIBUTE_READONLY) {
        const DWORD writable = facts.attributes & ~FILE_ATTRIBUTE_READONLY;
        if (!SetOpenFileAttributes(file.Get(), writable ? writable : FILE_ATTRIBUTE_NORMAL)) {
            file.Reset();
            return false;
        }
        attributes = facts.attributes;
    }
    if (facts.links > 1) {
        file.Reset();
        if (!fs::Remove(path))
            GiveBackReadOnly(path, attributes);
        return false;
    }
    const uint64_t length = OverwriteLength(facts.size, facts.clusterSize);
    const std::vector<Pass>& passes = IsKeptCompressed(facts) ? job.compressedPasses : job.passes;
    if (OverwriteFile(file.Get(), path, length, facts.sectorSize, passes, job) ==
        OverwriteResult::Failed) {
        SetFileLength(file.Get(), facts.size);
        file.Reset();
        GiveBackReadOnly(path, attributes);
        return false;
    }
    written.path = path;
    written.file = std::move(file);
    written.length = length;
    written.size = facts.size;
    written.attributes = attributes;
    written.deletable = deletable;
    return true;
}

// The file's name goes to a random name of the same length, so that the folder's entries keep no
// trace of it. Returns the name it has.
std::wstring RenameAway(Written& written) {
    const std::wstring& path = written.path;
    const size_t nameStart = path::NameStart(path);
    const std::wstring name = RandomName(path.size() - nameStart);
    const std::wstring renamed = path.substr(0, nameStart) + name;
    if (!name.empty() &&
        (written.deletable ? RenameOpenFile(written.file.Get(), renamed) : fs::Move(path, renamed)))
        return renamed;
    return path;
}

// Flushes the overwrite and removes the file. A file whose data cannot be flushed is left with
// its length; returns whether the file is gone.
bool Remove(Written& written) {
    if (!FlushFileBuffers(written.file.Get())) {
        SetFileLength(written.file.Get(), written.size);
        written.file.Reset();
        GiveBackReadOnly(written.path, written.attributes);
        return false;
    }
    // A cancelled file is removed too: its content is already partly overwritten. The cut needs
    // no flush of its own.
    SetFileLength(written.file.Get(), 0);
    if (written.deletable) {
        const std::wstring path = RenameAway(written);
        const bool marked = DeleteOpenFile(written.file.Get());
        written.file.Reset();
        return marked || fs::Remove(path) || !Exists(path);
    }
    written.file.Reset();
    const std::wstring path = RenameAway(written);
    return fs::Remove(path) || !Exists(path);
}

// Removes each group of files on a second thread while the caller overwrites the next, so that
// the waits for the device and for the system's calls overlap. Without a thread, a group is
// removed on the caller's thread.
class Remover {
public:
    // Tells each file's fate in `fates`, by its index.
    explicit Remover(std::vector<ItemFate>& fates) : m_fates(fates) {}
    ~Remover() { Wait(); }
    Remover(const Remover&) = delete;
    Remover& operator=(const Remover&) = delete;

    // Takes the files of `group`, which is left empty, once the group before is removed.
    void Take(std::vector<Written>& group) {
        Wait();
        if (group.empty())
            return;
        m_group.swap(group);
        try {
            m_thread = std::thread([this] { RemoveGroup(); });
        } catch (...) {
            RemoveGroup();
        }
    }

    // Waits for the group taken last.
    void Wait() {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    void RemoveGroup() {
        for (Written& written : m_group)
            m_fates[written.index] = Remove(written) ? ItemFate::Gone : ItemFate::Stays;
        m_group.clear();
    }

    std::vector<ItemFate>& m_fates;
    std::vector<Written> m_group;
    std::thread m_thread;
};

// The names of the files, by folder, held before any of them goes.
std::map<std::wstring, FreedNames> NamesToFree(const std::vector<std::wstring>& paths) {
    std::map<std::wstring, FreedNames> folders;
    for (const std::wstring& path : paths) {
        const size_t nameStart = path::NameStart(path);
        if (path.empty() || nameStart == 0 || nameStart == path.size())
            continue;
        const std::wstring folder = path.substr(0, nameStart);
        folders.try_emplace(folder, folder).first->second.Add(path.size() - nameStart);
    }
    for (auto& [folder, names] : folders)
        names.Hold();
    return folders;
}

} // namespace

std::vector<ItemFate> EraseFiles(const std::vector<std::wstring>& given, Job& job) {
    std::vector<std::wstring> paths(given.size());
    for (size_t i = 0; i < given.size(); ++i)
        if (!fs::SystemPath(given[i], paths[i]))
            paths[i].clear();
    std::map<std::wstring, FreedNames> freed = NamesToFree(paths);
    std::vector<ItemFate> fates(paths.size(), ItemFate::NotReached);
    Remover remover(fates);
    std::vector<Written> group;
    uint64_t groupBytes = 0;
    for (size_t i = 0; i < paths.size() && !job.cancel; ++i) {
        const std::wstring& path = paths[i];
        if (path.empty()) {
            fates[i] = ItemFate::Stays;
            continue;
        }
        Written written;
        written.index = i;
        if (!Overwritten(path, job, written)) {
            fates[i] = Exists(path) ? ItemFate::Stays : ItemFate::Gone;
            continue;
        }
        groupBytes += written.length;
        group.push_back(std::move(written));
        if (group.size() == kGroupFiles || groupBytes >= kGroupBytes) {
            remover.Take(group);
            groupBytes = 0;
        }
    }
    remover.Take(group);
    remover.Wait();
    for (auto& [folder, names] : freed)
        names.Cover();
    return fates;
}
