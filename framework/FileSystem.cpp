#include "FileSystem.h"

#include "PathText.h"

#include <algorithm>
#include <vector>

namespace {

// The code page in which the ANSI file calls of this process read names.
UINT FileCodePage() {
    return AreFileApisANSI() ? CP_ACP : CP_OEMCP;
}

// Calls the wide function with the path on the NT family, and the ANSI one with the path's
// exact ANSI text on the 9x family.
template <typename Result, typename Wide, typename Ansi>
Result OnPath(const std::wstring& path, Result failed, Wide wide, Ansi ansi) {
    if (fs::IsNtFamily())
        return wide(path.c_str());
    std::string text;
    return fs::ToAnsi(path, text) ? ansi(text.c_str()) : failed;
}

// The system's answer to a call that fills a buffer of `size` characters and returns the length
// of its text, or the size it needs.
template <typename Call> std::wstring Filled(Call call) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (int tries = 0; tries < 3; ++tries) {
        const DWORD length = call(buffer.data(), DWORD(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        buffer.resize(length + 1);
    }
    return {};
}

bool EntryFromAnsi(const WIN32_FIND_DATAA& ansi, WIN32_FIND_DATAW& wide) {
    std::wstring name, shortName;
    if (!fs::FromAnsi(ansi.cFileName, strlen(ansi.cFileName), name) ||
        !fs::FromAnsi(ansi.cAlternateFileName, strlen(ansi.cAlternateFileName), shortName) ||
        name.size() >= MAX_PATH || shortName.size() >= 14)
        return false;
    wide = WIN32_FIND_DATAW();
    wide.dwFileAttributes = ansi.dwFileAttributes;
    wide.ftCreationTime = ansi.ftCreationTime;
    wide.ftLastAccessTime = ansi.ftLastAccessTime;
    wide.ftLastWriteTime = ansi.ftLastWriteTime;
    wide.nFileSizeHigh = ansi.nFileSizeHigh;
    wide.nFileSizeLow = ansi.nFileSizeLow;
    name.copy(wide.cFileName, name.size());
    shortName.copy(wide.cAlternateFileName, shortName.size());
    return true;
}

} // namespace

namespace fs {

bool IsNtFamily() {
    static const bool nt = [] {
        OSVERSIONINFOA version = {};
        version.dwOSVersionInfoSize = sizeof version;
        return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    }();
    return nt;
}

bool FromAnsi(const char* text, size_t length, std::wstring& wide) {
    wide.clear();
    if (length == 0)
        return true;
    if (length > path::kMaxLength * 2)
        return false;
    const UINT codePage = FileCodePage();
    const int size =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, int(length), nullptr, 0);
    if (size <= 0)
        return false;
    wide.resize(size_t(size));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, int(length), &wide[0], size) ==
           size;
}

std::wstring FromAnsi(const char* text) {
    std::wstring wide;
    return FromAnsi(text, strlen(text), wide) ? wide : std::wstring();
}

// The text converted back must be the text given: a best fit or a default character would
// come back as another character.
bool ToAnsi(const std::wstring& wide, std::string& ansi) {
    ansi.clear();
    if (wide.empty())
        return true;
    const UINT codePage = FileCodePage();
    BOOL defaulted = FALSE;
    const int size = WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), nullptr, 0,
                                         nullptr, &defaulted);
    if (size <= 0 || defaulted)
        return false;
    ansi.resize(size_t(size));
    std::wstring back;
    return WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), &ansi[0], size, nullptr,
                               &defaulted) == size &&
           !defaulted && FromAnsi(ansi.data(), ansi.size(), back) && back == wide;
}

bool AnsiSpelling(const std::wstring& given, std::string& ansi) {
    if (ToAnsi(path::Ordinary(given), ansi))
        return true;
    if (!IsNtFamily())
        return false;
    const std::wstring shortPath = Filled([&](wchar_t* buffer, DWORD size) {
        return GetShortPathNameW(given.c_str(), buffer, size);
    });
    return !shortPath.empty() && ToAnsi(path::Ordinary(shortPath), ansi);
}

std::string ToUtf8(const std::wstring& wide) {
    if (wide.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string text(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), &text[0], size, nullptr,
                        nullptr);
    return text;
}

std::wstring FromUtf8(const std::string& text) {
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring wide(size_t(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), &wide[0], size);
    return wide;
}

// A path given in the extended form is taken as it stands; any other is made full as the ANSI
// calls would make it (which drops a closing dot or blank and reads a device name as the
// device), and then extended.
bool SystemPath(const std::wstring& given, std::wstring& result) {
    if (given.empty() || given.find(L'\0') != std::wstring::npos)
        return false;
    if (!IsNtFamily()) {
        std::string ansi;
        char full[MAX_PATH];
        const DWORD length =
            ToAnsi(given, ansi) ? GetFullPathNameA(ansi.c_str(), MAX_PATH, full, nullptr) : 0;
        return length > 0 && length < MAX_PATH && FromAnsi(full, length, result);
    }
    if (given.compare(0, 4, L"\\\\?\\") == 0) {
        result = path::Extended(given);
        return !result.empty();
    }
    const std::wstring full = Filled([&](wchar_t* buffer, DWORD size) {
        return GetFullPathNameW(given.c_str(), size, buffer, nullptr);
    });
    result = path::Extended(full);
    return !result.empty();
}

// Asked of the ordinary form, which every system expands, and taken only where it keeps every
// name of the path in its place.
std::wstring LongPath(const std::wstring& path) {
    if (!IsNtFamily() || !path::OrdinaryFormReaches(path))
        return path;
    const std::wstring ordinary = path::Ordinary(path);
    const std::wstring longPath = Filled([&](wchar_t* buffer, DWORD size) {
        return GetLongPathNameW(ordinary.c_str(), buffer, size);
    });
    const std::wstring result = ordinary == path ? longPath : path::Extended(longPath);
    const auto names = [](const std::wstring& text) {
        return std::count(text.begin(), text.end(), L'\\');
    };
    return !result.empty() && names(result) == names(path) ? result : path;
}

std::wstring UpperCase(std::wstring text) {
    if (!text.empty())
        CharUpperBuffW(&text[0], DWORD(text.size()));
    return text;
}

DWORD Attributes(const std::wstring& path) {
    return OnPath(path, INVALID_FILE_ATTRIBUTES, GetFileAttributesW, GetFileAttributesA);
}

bool SetAttributes(const std::wstring& path, DWORD attributes) {
    return OnPath(
        path, false, [&](const wchar_t* name) { return SetFileAttributesW(name, attributes) != 0; },
        [&](const char* name) { return SetFileAttributesA(name, attributes) != 0; });
}

FileHandle Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition,
                DWORD flags) {
    return FileHandle(OnPath(
        path, INVALID_HANDLE_VALUE,
        [&](const wchar_t* name) {
            return CreateFileW(name, access, share, nullptr, disposition, flags, nullptr);
        },
        [&](const char* name) {
            return CreateFileA(name, access, share, nullptr, disposition, flags, nullptr);
        }));
}

bool Move(const std::wstring& from, const std::wstring& to) {
    if (IsNtFamily())
        return MoveFileW(from.c_str(), to.c_str()) != 0;
    std::string ansiFrom, ansiTo;
    return ToAnsi(from, ansiFrom) && ToAnsi(to, ansiTo) &&
           MoveFileA(ansiFrom.c_str(), ansiTo.c_str());
}

bool Replace(const std::wstring& from, const std::wstring& to) {
    if (IsNtFamily())
        return MoveFileExW(from.c_str(), to.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    Remove(to);
    return Move(from, to);
}

bool Remove(const std::wstring& path) {
    return OnPath(
        path, false, [](const wchar_t* name) { return DeleteFileW(name) != 0; },
        [](const char* name) { return DeleteFileA(name) != 0; });
}

bool MakeFolder(const std::wstring& path) {
    return OnPath(
        path, false, [](const wchar_t* name) { return CreateDirectoryW(name, nullptr) != 0; },
        [](const char* name) { return CreateDirectoryA(name, nullptr) != 0; });
}

bool RemoveFolder(const std::wstring& path) {
    return OnPath(
        path, false, [](const wchar_t* name) { return RemoveDirectoryW(name) != 0; },
        [](const char* name) { return RemoveDirectoryA(name) != 0; });
}

FolderSearch::FolderSearch(const std::wstring& pattern) : m_entry() {
    if (IsNtFamily()) {
        m_search.Reset(FindFirstFileW(pattern.c_str(), &m_entry));
        m_found = bool(m_search);
        return;
    }
    std::string ansi;
    WIN32_FIND_DATAA entry;
    if (!ToAnsi(pattern, ansi))
        return;
    m_search.Reset(FindFirstFileA(ansi.c_str(), &entry));
    if (!m_search)
        return;
    m_found = EntryFromAnsi(entry, m_entry);
    if (!m_found)
        Next();
}

// On the 9x family an entry whose name does not convert is passed over.
void FolderSearch::Next() {
    m_found = false;
    if (!m_search)
        return;
    if (IsNtFamily()) {
        m_found = FindNextFileW(m_search.Get(), &m_entry);
        return;
    }
    WIN32_FIND_DATAA entry;
    while (!m_found && FindNextFileA(m_search.Get(), &entry))
        m_found = EntryFromAnsi(entry, m_entry);
}

void FolderSearch::Close() {
    m_search.Reset();
    m_found = false;
}

} // namespace fs
