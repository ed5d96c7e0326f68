#include "FreeEntries.h"

#include "FileSystem.h"
#include "FreedNames.h"
#include "PathText.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace {

constexpr size_t kLongest = 255;
// A full directory refuses a name of one length and may still take a shorter one; an NTFS
// index may refuse a name that falls into a full block and take one for another block.
constexpr int kRefusals = 3;
constexpr size_t kMostCovers = 1 << 16;

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

uint64_t FreeBytes(const std::wstring& folder) {
    ULARGE_INTEGER available, total, free;
    return GetDiskFreeSpaceExW(folder.c_str(), &available, &total, &free) ? free.QuadPart : 0;
}

// Long names first, then shorter ones for the room that is left, down to one character. A
// cover that took space from the volume (space that another program gave back meanwhile) is a
// refusal too: the folder's directory grew instead of reusing what it had.
void CoverFolder(const std::wstring& folder, const std::atomic<bool>& cancel) {
    const KeptTimes times(folder);
    std::vector<FileHandle> covers;
    const uint64_t free = FreeBytes(folder);
    size_t length = kLongest;
    int refusals = 0;
    while (covers.size() < kMostCovers && !cancel.load(std::memory_order_relaxed)) {
        FileHandle cover = CreateCover(folder, length);
        const DWORD error = cover ? ERROR_SUCCESS : GetLastError();
        if (cover) {
            covers.push_back(std::move(cover));
            if (FreeBytes(folder) >= free) {
                refusals = 0;
                continue;
            }
        } else if (error == ERROR_FILE_EXISTS) {
            continue;
        } else if (error != ERROR_DISK_FULL && error != ERROR_HANDLE_DISK_FULL) {
            break;
        }
        if (++refusals < kRefusals)
            continue;
        if (length == 1)
            break;
        length /= 2;
        refusals = 0;
    }
}

} // namespace

void CoverFreeEntries(const std::wstring& root, const std::wstring& skipped,
                      const std::atomic<bool>& cancel) {
    std::vector<std::wstring> folders{root};
    while (!folders.empty() && !cancel.load(std::memory_order_relaxed)) {
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
