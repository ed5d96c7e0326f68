#include "FreeEntries.h"

#include "FileSystem.h"
#include "FreedNames.h"
#include "NameLeads.h"
#include "PathText.h"

#include <windows.h>

#include <cstdint>
#include <deque>
#include <future>
#include <vector>

namespace {

// The lengths of the covers, each taken until the folder refuses it: the longest first, then
// shorter ones for the room left, down to one character, whose entry is the smallest there is.
constexpr size_t kLengths[] = {255, 63, 15, 1};
constexpr size_t kMostCovers = 1 << 16;
// More free space than this means the volume is no longer full: covers would grow the folders
// instead of taking their free entries. Most folders take fewer covers than are made between two
// looks, and asking costs as much as a cover.
constexpr uint64_t kSpareRoom = uint64_t(1) << 20;
constexpr size_t kCoversPerLook = 32;
// The room for entries in an NTFS index block of 4 KiB, past its headers and its end entry.
constexpr uint64_t kIndexRoom = 4096 - 64 - 16;
constexpr int kDraws = 8;

// Puts a folder's times back as they were once the entries made in it have gone.
class KeptTimes {
public:
    explicit KeptTimes(const std::wstring& folder)
        : m_folder(fs::Open(folder, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS)) {
        m_kept = m_folder && GetFileTime(m_folder.Get(), &m_created, &m_accessed, &m_written);
    }
    KeptTimes(const KeptTimes&) = delete;
    KeptTimes& operator=(const KeptTimes&) = delete;
    ~KeptTimes() {
        if (m_kept)
            SetFileTime(m_folder.Get(), &m_created, &m_accessed, &m_written);
    }

private:
    FileHandle m_folder;
    bool m_kept = false;
    FILETIME m_created{}, m_accessed{}, m_written{};
};

uint64_t FreeBytes(const std::wstring& root) {
    ULARGE_INTEGER available, total, free;
    return GetDiskFreeSpaceExW(root.c_str(), &available, &total, &free) ? free.QuadPart : 0;
}

bool IsFull(DWORD error) {
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
}

// The covers made in one folder, and when the volume had room again.
class Covers {
public:
    explicit Covers(const std::wstring& root) : m_root(root) {}

    // False when the folder took no entry of that length: the block it sorts into is full, or
    // the folder takes none at all (`Refused`). A short random part may draw a name taken
    // already, by a cover too: another is drawn.
    bool Make(const std::wstring& folder, size_t length, const std::wstring& lead = {}) {
        FileHandle cover = CreateCover(folder, length, lead);
        for (int draws = 1; !cover && GetLastError() == ERROR_FILE_EXISTS && draws < kDraws;
             ++draws)
            cover = CreateCover(folder, length, lead);
        if (!cover) {
            const DWORD error = GetLastError();
            m_refused = m_refused || (!IsFull(error) && error != ERROR_FILE_EXISTS);
            return false;
        }
        m_held.push_back(std::move(cover));
        if (++m_made % kCoversPerLook == 0 && FreeBytes(m_root) > kSpareRoom)
            m_room = true;
        return !m_room;
    }
    // Removes all but the last `kept`, so that their file records serve the next covers.
    void Release(size_t kept) {
        while (m_held.size() > kept)
            m_held.pop_front();
    }
    bool Room() const { return m_room; }
    bool Spent() const { return m_made >= kMostCovers || m_refused || m_room; }

private:
    const std::wstring& m_root;
    std::deque<FileHandle> m_held;
    size_t m_made = 0;
    bool m_refused = false;
    bool m_room = false;
};

// NTFS keeps a volume's root folder in record 5 of its file table; an emulation may call any
// volume NTFS, and may list any folder in the order of its names.
bool IsNtfs(const std::wstring& root) {
    constexpr uint64_t kRootRecord = 5;
    const FileHandle folder =
        fs::Open(root, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    BY_HANDLE_FILE_INFORMATION information;
    return folder && GetFileInformationByHandle(folder.Get(), &information) &&
           ((uint64_t(information.nFileIndexHigh & 0xffff) << 32) | information.nFileIndexLow) ==
               kRootRecord;
}

// An entry's long name and its short one, where the volume keeps one, each take an entry.
uint64_t IndexBytes(const WIN32_FIND_DATAW& entry) {
    const size_t shortName = wcslen(entry.cAlternateFileName);
    return DirectoryBytes(wcslen(entry.cFileName)) + (shortName ? DirectoryBytes(shortName) : 0);
}

// Covers of random names, each length taken until the folder refuses it.
void CoverAtRandom(const std::wstring& folder, Covers& covers, const std::atomic<bool>& cancel) {
    for (size_t length : kLengths)
        while (!covers.Spent() && !cancel.load(std::memory_order_relaxed) &&
               covers.Make(folder, length)) {
        }
}

// Covers next to each name of the folder, each length taken until the block refuses it; the
// covers stay until the next block takes one, so that the walk finds the blocks behind full.
// The names after the one whose covers filled a block are passed over as long as that block
// could hold them besides the covers and that name: the walk reaches a block at its first name,
// the one after the names of a full block, so that it passes over that block's names alone.
void CoverBlocks(const std::wstring& folder, const std::vector<NameLead>& leads, Covers& covers,
                 const std::atomic<bool>& cancel) {
    for (size_t i = 0; i < leads.size() && !covers.Spent() && !cancel.load();) {
        const NameLead& name = leads[i++];
        if (name.lead.size() >= kLengths[0])
            continue;
        const auto fit = [&](size_t length) { return std::max(length, name.lead.size() + 1); };
        const size_t shortest = fit(kLengths[std::size(kLengths) - 1]);
        if (!covers.Make(folder, shortest, name.lead))
            continue;
        covers.Release(1);
        uint64_t taken = name.bytes + DirectoryBytes(shortest);
        for (size_t length : kLengths)
            while (!covers.Spent() && !cancel.load(std::memory_order_relaxed) &&
                   covers.Make(folder, fit(length), name.lead))
                taken += DirectoryBytes(fit(length));
        // A full block may have room left for less than the shortest cover.
        const uint64_t room = kIndexRoom - std::min(kIndexRoom, DirectoryBytes(shortest));
        for (; i < leads.size() && taken + leads[i].bytes <= room; ++i)
            taken += leads[i].bytes;
    }
}

// False once the volume has room again.
bool CoverFolder(const std::wstring& root, const VolumeFolder& folder,
                 const std::atomic<bool>& cancel) {
    const KeptTimes times(folder.path);
    Covers covers(root);
    if (folder.leads.empty())
        CoverAtRandom(folder.path, covers, cancel);
    else
        CoverBlocks(folder.path, folder.leads, covers, cancel);
    return !covers.Room();
}

} // namespace

std::vector<VolumeFolder> VolumeFolders(const std::wstring& root, const std::wstring& skipped,
                                        const std::atomic<bool>& stop) {
    const bool index = IsNtfs(root);
    std::vector<VolumeFolder> found{{root, {}}};
    for (size_t next = 0; next < found.size() && !stop.load(std::memory_order_relaxed); ++next) {
        std::vector<IndexName> names;
        for (fs::FolderSearch search(path::Join(found[next].path, L"*")); search; search.Next()) {
            const WIN32_FIND_DATAW& entry = search.Entry();
            if (path::IsDotName(entry.cFileName))
                continue;
            if (index)
                names.push_back({entry.cFileName, IndexBytes(entry)});
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                std::wstring child = path::Join(found[next].path, entry.cFileName);
                if (child != skipped)
                    found.push_back({std::move(child), {}});
            }
        }
        found[next].leads = ListedLeads(std::move(names));
    }
    return found;
}

// Two folders are covered at a time: each cover waits on the system, rarely on the processor.
void CoverFreeEntries(const std::wstring& root, const std::vector<VolumeFolder>& folders,
                      const std::atomic<bool>& cancel) {
    if (FreeBytes(root) > kSpareRoom)
        return;
    std::atomic<size_t> next{0};
    std::atomic<bool> room{false};
    const auto cover = [&] {
        for (size_t i = next++; i < folders.size() && !cancel.load() && !room.load(); i = next++)
            room = room || !CoverFolder(root, folders[i], cancel);
    };
    std::future<void> second = std::async(std::launch::async, cover);
    cover();
    second.get();
}
