#include "VxKeep.h"

#include "FileSystem.h"
#include "KeepList.h"
#include "PathText.h"
#include "Recording.h"

#include <algorithm>
#include <map>
#include <new>
#include <set>
#include <string>

namespace {

using FinalPathName = DWORD(WINAPI*)(HANDLE, wchar_t*, DWORD, DWORD);

// The path as the system resolves it, in upper case without a closing backslash: junctions and
// short names followed where the system tells its final path, else the long path.
std::wstring Resolved(const std::wstring& systemPath) {
    static const auto finalPath = reinterpret_cast<FinalPathName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleW")));
    std::wstring path = fs::LongPath(systemPath);
    if (finalPath) {
        const FileHandle handle =
            fs::Open(systemPath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
        std::wstring resolved(32768, L'\0');
        const DWORD length =
            handle ? finalPath(handle.Get(), &resolved[0], DWORD(resolved.size()), 0) : 0;
        if (length > 0 && length < resolved.size())
            path.assign(resolved, 0, length);
    }
    while (path.size() > 1 && path.back() == L'\\' && path[path.size() - 2] != L':')
        path.pop_back();
    return fs::UpperCase(path);
}

thread_local CVxKeep::Kept* t_kept = nullptr;
thread_local bool t_cookieFiles = false;

} // namespace

struct CVxKeep::Kept {
    std::set<std::wstring> places;
    std::set<std::string> sites;
    // The resolved path of each folder asked about, as the caller spelt it.
    std::map<std::wstring, std::wstring> folders;

    const std::wstring& Folder(const std::wstring& folder) {
        const auto known = folders.find(folder);
        return known != folders.end() ? known->second
                                      : folders.emplace(folder, Resolved(folder)).first->second;
    }

    // The place or a folder above it is kept.
    bool Holds(const std::wstring& resolved) const {
        if (places.count(resolved))
            return true;
        for (size_t slash = resolved.find(L'\\'); slash != std::wstring::npos;
             slash = resolved.find(L'\\', slash + 1))
            if (places.count(resolved.substr(0, slash)) ||
                places.count(resolved.substr(0, slash + 1)))
                return true;
        return false;
    }
};

CVxKeep::CVxKeep() noexcept : m_kept(new (std::nothrow) Kept), m_outer(t_kept) {
    t_kept = m_kept;
}

CVxKeep::~CVxKeep() {
    t_kept = m_outer;
    delete m_kept;
}

bool CVxKeep::KeepPlace(const char* place) noexcept try {
    std::wstring path;
    if (!m_kept || !fs::SystemPath(fs::FromUtf8(place), path))
        return false;
    m_kept->places.insert(Resolved(path));
    return true;
} catch (...) {
    return false;
}

bool CVxKeep::KeepSite(const char* site) noexcept try {
    if (!m_kept)
        return false;
    m_kept->sites.insert(site);
    return true;
} catch (...) {
    return false;
}

namespace removal {

// A path is resolved through its folder, which is asked once: the place itself may be gone or
// be a link the walk does not follow.
bool IsKept(const std::wstring& path) {
    if (!t_kept)
        return false;
    const size_t nameStart = path::NameStart(path);
    if (t_cookieFiles &&
        KeepsCookiesOf(CookieFileHost(fs::ToUtf8(path.substr(std::min(nameStart, path.size()))))))
        return true;
    if (t_kept->places.empty())
        return false;
    if (nameStart == 0 || nameStart >= path.size())
        return t_kept->Holds(Resolved(path));
    std::wstring resolved = t_kept->Folder(path.substr(0, nameStart));
    if (resolved.empty() || resolved.back() != L'\\')
        resolved += L'\\';
    return t_kept->Holds(resolved + fs::UpperCase(path.substr(nameStart)));
}

bool KeepsCookiesOf(const std::string& host) {
    if (!t_kept || t_kept->sites.empty())
        return false;
    for (const std::string& site : KeepingSites(host))
        if (t_kept->sites.count(site))
            return true;
    return false;
}

bool KeepsAnyPlace() {
    return t_kept && !t_kept->places.empty();
}

bool KeepsAnySite() {
    return t_kept && !t_kept->sites.empty();
}

CookieFiles::CookieFiles() {
    t_cookieFiles = true;
}

CookieFiles::~CookieFiles() {
    t_cookieFiles = false;
}

void LeaveKept(const std::wstring& path) {
    ReportKept();
    Report(VxTraceKind::Kept, path);
}

} // namespace removal
