#include "PathText.h"

namespace {

const std::wstring kExtended = L"\\\\?\\";
const std::wstring kExtendedShare = L"\\\\?\\UNC\\";

bool StartsWith(const std::wstring& text, const std::wstring& start) {
    return text.compare(0, start.size(), start) == 0;
}

bool IsDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// Every name after `from` is a real name: not empty, not "." or "..", and without a forward slash.
bool NamesStand(const std::wstring& path, size_t from) {
    while (from < path.size()) {
        size_t end = path.find(L'\\', from);
        if (end == std::wstring::npos)
            end = path.size();
        const std::wstring name = path.substr(from, end - from);
        if (name.empty() || path::IsDotName(name) || name.find(L'/') != std::wstring::npos)
            return false;
        from = end + 1;
    }
    return true;
}

// "\\server\share" and what follows it, from the first character of the server's name.
bool IsShare(const std::wstring& path, size_t server) {
    const size_t slash = path.find(L'\\', server);
    return slash != std::wstring::npos && slash > server && slash + 1 < path.size() &&
           path[slash + 1] != L'\\' && NamesStand(path, server);
}

bool IsDrivePath(const std::wstring& path, size_t at) {
    return path.size() >= at + 3 && IsDriveLetter(path[at]) && path[at + 1] == L':' &&
           path[at + 2] == L'\\' && NamesStand(path, at + 3);
}

std::wstring UpperAscii(std::wstring text) {
    for (wchar_t& c : text)
        if (c >= L'a' && c <= L'z')
            c = wchar_t(c - L'a' + L'A');
    return text;
}

bool IsDeviceName(const std::wstring& name) {
    const std::wstring stem = UpperAscii(name.substr(0, name.find(L'.')));
    // The system also takes a device name followed by blanks or a colon as the device.
    const std::wstring device = stem.substr(0, stem.find_last_not_of(L" :") + 1);
    if (device == L"CON" || device == L"PRN" || device == L"AUX" || device == L"NUL")
        return true;
    return device.size() == 4 &&
           (device.compare(0, 3, L"COM") == 0 || device.compare(0, 3, L"LPT") == 0) &&
           device[3] >= L'1' && device[3] <= L'9';
}

} // namespace

namespace path {

std::wstring Extended(const std::wstring& full) {
    if (full.size() > kMaxLength)
        return {};
    if (StartsWith(full, kExtendedShare))
        return IsShare(full, kExtendedShare.size()) ? full : std::wstring();
    if (StartsWith(full, kExtended))
        return IsDrivePath(full, kExtended.size()) ? full : std::wstring();
    std::wstring extended;
    if (IsDrivePath(full, 0))
        extended = kExtended + full;
    else if (StartsWith(full, L"\\\\") && full.size() > 2 && full[2] != L'?' && full[2] != L'.' &&
             IsShare(full, 2))
        extended = kExtendedShare + full.substr(2);
    return extended.size() <= kMaxLength ? extended : std::wstring();
}

std::wstring Ordinary(const std::wstring& path) {
    if (StartsWith(path, kExtendedShare))
        return L"\\\\" + path.substr(kExtendedShare.size());
    if (StartsWith(path, kExtended))
        return path.substr(kExtended.size());
    return path;
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && folder.back() == L'\\')
        return folder + name;
    return folder + L"\\" + name;
}

size_t NameStart(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? 0 : slash + 1;
}

bool IsDotName(const std::wstring& name) {
    return name == L"." || name == L"..";
}

bool OrdinaryFormReaches(const std::wstring& path) {
    const std::wstring ordinary = Ordinary(path);
    for (size_t start = 0; start < ordinary.size();) {
        size_t end = ordinary.find(L'\\', start);
        if (end == std::wstring::npos)
            end = ordinary.size();
        const std::wstring name = ordinary.substr(start, end - start);
        if (!name.empty() && (name.back() == L'.' || name.back() == L' ' || IsDeviceName(name)))
            return false;
        start = end + 1;
    }
    return true;
}

} // namespace path
