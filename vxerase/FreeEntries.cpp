#include "FreeEntries.h"

#include "FileSystem.h"
#include "FreedNames.h"
#include "PathText.h"

#include <windows.h>

#include <cstdint>
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

// False once the volume has room again.
bool CoverFolder(const std::wstring& root, const std::wstring& folder,
                 const std::atomic<bool>& cancel) {
    const KeptTimes times(folder);
    std::vector<FileHandle> covers;
    for (size_t length : kLengths) {
        while (covers.size() < kMostCovers && !cancel.load(std::memory_order_relaxed)) {
            FileHandle cover = CreateCover(folder, length);
            if (cover) {
                covers.push_back(std::move(cover));
                if (covers.size() % kCoversPerLook == 0 && FreeBytes(root) > kSpareRoom)
                    return false;
                continue;
            }
            const DWORD error = GetLastError();
            if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL)
                break;
            if (error != ERROR_FILE_EXISTS)
                return true;
        }
    }
    return true;
}

} // namespace

std::vector<std::wstring> VolumeFolders(const std::wstring& root, const std::wstring& skipped,
                                        const std::atomic<bool>& stop) {
    std::vector<std::wstring> found{root};
    for (size_t next = 0; next < found.size() && !stop.load(std::memory_order_relaxed); ++next) {
        for (fs::FolderSearch search(path::Join(found[next], L"*")); search; search.Next()) {
            const WIN32_FIND_DATAW& entry = search.Entry();
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                !path::IsDotName(entry.cFileName)) {
                std::wstring child = path::Join(found[next], entry.cFileName);
                if (child != skipped)
                    found.push_back(std::move(child));
            }
        }
    }
    return found;
}

// Two folders are covered at a time: each cover waits on the system, rarely on the processor.
void CoverFreeEntries(const std::wstring& root, const std::vector<std::wstring>& folders,
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
