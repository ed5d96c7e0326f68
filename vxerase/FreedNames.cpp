#include "FreedNames.h"

#include "FileSystem.h"
#include "PathText.h"
#include "RandomName.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>

namespace {

constexpr size_t kLongest = 255;
// The most that an NTFS index in the folder's own record can hold.
constexpr uint64_t kRecordRoom = 1024;
constexpr size_t kProbeName = 40;
// A directory of entries smaller than this fits in one cluster, which it never gives back.
constexpr uint64_t kHoldAbove = 1024;

bool IsEmptyFolder(const std::wstring& folder) {
    for (fs::FolderSearch search(path::Join(folder, L"*")); search; search.Next())
        if (!path::IsDotName(search.Entry().cFileName))
            return false;
    return true;
}

// The drive root of an extended path ("\\?\C:\").
std::wstring DriveRoot(const std::wstring& folder) {
    constexpr size_t kRootLength = 7;
    if (folder.size() < kRootLength || folder.compare(0, 4, L"\\\\?\\") != 0 || folder[5] != L':')
        return {};
    return folder.substr(0, kRootLength);
}

// Whether the folder's volume keeps a second name for a file, as NTFS does and FAT and exFAT do
// not: a file of a random name is made and linked, and both names go again.
std::optional<bool> KeepsHardLinks(const std::wstring& folder) {
    using CreateHardLink = BOOL(WINAPI*)(LPCWSTR, LPCWSTR, LPSECURITY_ATTRIBUTES);
    const auto link = reinterpret_cast<CreateHardLink>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "CreateHardLinkW")));
    const std::wstring name = path::Join(folder, RandomName(kProbeName));
    const std::wstring second = path::Join(folder, RandomName(kProbeName));
    FileHandle probe =
        fs::Open(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                 CREATE_NEW, FILE_FLAG_POSIX_SEMANTICS | FILE_FLAG_DELETE_ON_CLOSE);
    if (!link || !probe)
        return std::nullopt;
    if (!link(second.c_str(), name.c_str(), nullptr))
        return false;
    fs::Remove(second);
    return true;
}

} // namespace

FileHandle CreateCover(const std::wstring& folder, size_t length, const std::wstring& lead) {
    return fs::Open(path::Join(folder, lead + RandomName(length - lead.size())), GENERIC_WRITE, 0,
                    CREATE_NEW, FILE_FLAG_POSIX_SEMANTICS | FILE_FLAG_DELETE_ON_CLOSE);
}

// The 9x family has FAT only. A volume that calls itself NTFS without named streams is not one
// (an emulation may name every volume so): whether it keeps hard links tells. Asked once for
// each drive.
FreedNames::Kind FreedNames::KindOf(const std::wstring& folder) {
    if (!fs::IsNtFamily())
        return Kind::Entries;
    const std::wstring root = DriveRoot(folder);
    static std::mutex lock;
    static std::map<std::wstring, Kind> known;
    std::lock_guard<std::mutex> guard(lock);
    if (const auto found = known.find(root); !root.empty() && found != known.end())
        return found->second;
    Kind kind = Kind::Either;
    wchar_t name[MAX_PATH + 1] = {};
    DWORD flags = 0;
    if (!root.empty() &&
        GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, name,
                              MAX_PATH + 1) &&
        (std::wstring(name) == L"FAT" || std::wstring(name) == L"FAT32" ||
         std::wstring(name) == L"exFAT")) {
        kind = Kind::Entries;
    } else if (std::wstring(name) == L"NTFS" && (flags & FILE_NAMED_STREAMS)) {
        kind = Kind::Index;
    } else if (const std::optional<bool> links = KeepsHardLinks(folder)) {
        kind = *links ? Kind::Index : Kind::Entries;
    }
    if (!root.empty() && kind != Kind::Either)
        known.emplace(root, kind);
    return kind;
}

uint64_t DirectoryBytes(size_t length) {
    // NTFS: a 16-byte entry header, a 66-byte file name attribute and the name in UTF-16, in
    // steps of 8 bytes. exFAT: one 32-byte entry for the file, one for its stream and one per 15
    // characters of the name.
    const uint64_t ntfs = (16 + 66 + 2 * uint64_t(length) + 7) / 8 * 8;
    const uint64_t exfat = 32 * (2 + (uint64_t(length) + 14) / 15);
    return std::max(ntfs, exfat);
}

void FreedNames::Hold() {
    if (m_lengths.empty())
        return;
    m_kind = KindOf(m_folder);
    if (m_kind != Kind::Index && Bytes() > kHoldAbove)
        m_hold = CreateCover(m_folder, kLongest);
}

void FreedNames::Cover() {
    if (m_lengths.empty())
        return;
    const bool emptied = IsEmptyFolder(m_folder);
    if (m_kind != Kind::Index) {
        if (emptied)
            Fill(Bytes());
        else
            Replay();
    }
    m_hold.Reset();
    if (m_kind == Kind::Index && !emptied)
        Replay();
    else if (m_kind != Kind::Entries && emptied)
        Fill(2 * Bytes());
}

uint64_t FreedNames::Bytes() const {
    uint64_t bytes = 0;
    for (size_t length : m_lengths)
        bytes += DirectoryBytes(length);
    return bytes;
}

// Covers `bytes` and one entry more. While an NTFS index may still be in the folder's record,
// the names removed are taken again at their own lengths, so that the index reaches as far into
// the record as theirs did; long names follow.
void FreedNames::Fill(uint64_t bytes) const {
    std::vector<FileHandle> covers;
    uint64_t covered = 0;
    for (size_t i = 0; covered <= bytes; ++i) {
        const size_t length =
            i < m_lengths.size() && covered < kRecordRoom ? m_lengths[i] : kLongest;
        FileHandle cover = CreateCover(m_folder, length);
        if (!cover)
            return;
        covers.push_back(std::move(cover));
        covered += DirectoryBytes(length);
    }
}

// The longest first, so that each takes the place of one of its length, and one more of the
// longest for the entry that each removal made on the way.
void FreedNames::Replay() const {
    std::vector<size_t> lengths = m_lengths;
    std::sort(lengths.rbegin(), lengths.rend());
    lengths.push_back(lengths.front());
    std::vector<FileHandle> covers;
    for (size_t length : lengths) {
        FileHandle cover = CreateCover(m_folder, length);
        if (!cover)
            return;
        covers.push_back(std::move(cover));
    }
}
