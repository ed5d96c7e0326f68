#include "FreeEntries.h"

#include "FileSystem.h"
#include "FreedNames.h"
#include "PathText.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace {

// The lengths of the covers, each taken until the folder refuses it: the longest first, then
// shorter ones for the room left, down to one character, whose entry is the smallest there is.
constexpr size_t kLengths[] = {255, 63, 15, 1};
constexpr size_t kMostCovers = 1 << 16;
// More free space than this means the volume is no longer full: covers would grow the folders
// instead of taking their free entries.
constexpr uint64_t kSpareRoom = uint64_t(1) << 20;

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

void CoverFolder(const std::wstring& folder, const std::atomic<bool>& cancel) {
    const KeptTimes times(folder);
    std::vector<FileHandle> covers;
    for (size_t length : kLengths) {
        while (covers.size() < kMostCovers && !cancel.load(std::memory_order_relaxed)) {
            FileHandle cover = CreateCover(folder, length);
            if (cover) {
                covers.push_back(std::move(cover));
                continue;
            }
            const DWORD error = GetLastError();
            if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL)
                break;
            if (error != ERROR_FILE_EXISTS)
                return;
        }
    }
}

} // namespace

void CoverFreeEntries(const std::wstring& root, const std::wstring& skipped,
                      const std::atomic<bool>& cancel) {
    std::vector<std::wstring> folders{root};
    while (!folders.empty() && !cancel.load(std::memory_order_relaxed) &&
           FreeBytes(root) <= kSpareRoom) {
        const std::wstring folder = std::move(folders.back());
        folders.pop_back();
        for (fs::FolderSearch search(path::Join(folder, L"*")); search; search.Next()) {
            const WIN32_FIND_DATAW& entry = search.Entry();
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                !path::IsDotName(entry.cFileName)) {
                std::wstring child = path::Join(folder, entry.cFileName);
                if (child != skipped)
                    folders.push_back(std::move(child));
            }
        }
        CoverFolder(folder, cancel);
    }
}
