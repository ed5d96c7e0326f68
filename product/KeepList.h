// What the user keeps whatever a run takes: the sites whose cookies stay (a site keeps its
// subdomains) and the places, files or folders with everything below them, that no run removes
// or overwrites. The rules that take an entry, and tell which host a cookie belongs to. Text is
// UTF-8. Header only and without system headers, so that the engine, the run and the fuzzer
// share the one rule.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

struct KeepLists {
    std::vector<std::string> sites;
    std::vector<std::string> places;
};

namespace keep_rules {

inline constexpr size_t kLongestHost = 253;
inline constexpr size_t kLongestLabel = 63;

inline char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

inline bool IsLabelChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

inline std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Each label of the host: letters, digits, hyphens and underscores, not beginning or ending with
// a hyphen, 1 to 63 of them.
inline std::string LabelFault(std::string_view host) {
    size_t start = 0;
    while (start <= host.size()) {
        const size_t end = std::min(host.find('.', start), host.size());
        const std::string_view label = host.substr(start, end - start);
        if (label.empty())
            return "has an empty part between dots";
        if (label.size() > kLongestLabel)
            return "has a part longer than 63 characters";
        if (label.front() == '-' || label.back() == '-')
            return "has a part that begins or ends with a hyphen";
        if (!std::all_of(label.begin(), label.end(), IsLabelChar))
            return "holds a character no host name has (international names are written in "
                   "their xn-- form)";
        start = end + 1;
    }
    return "";
}

inline bool IsDriveRoot(std::string_view path) {
    return path.size() == 3 && path[1] == ':' && path[2] == '\\';
}

inline bool Extended(std::string_view path) {
    return path.substr(0, 4) == "\\\\?\\";
}

// A colon anywhere but after a drive's letter.
inline bool StrayColon(std::string_view path) {
    const size_t from = Extended(path) ? 4 : 0;
    const bool drive = path.size() > from + 1 && path[from + 1] == ':';
    return path.find(':', drive ? from + 2 : from) != std::string_view::npos;
}

// "C:\", "\\server\share\" or "\\?\C:\": the part of a full path before its first name, or 0.
inline size_t RootLength(std::string_view path) {
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (Extended(path))
        return path.size() >= 7 && isLetter(path[4]) && path[5] == ':' && path[6] == '\\' ? 7 : 0;
    if (path.size() >= 3 && isLetter(path[0]) && path[1] == ':' && path[2] == '\\')
        return 3;
    if (path.substr(0, 2) != "\\\\")
        return 0;
    const size_t server = path.find('\\', 2);
    if (server == std::string_view::npos || server == 2)
        return 0;
    const size_t share = path.find('\\', server + 1);
    if (share == server + 1)
        return 0;
    return share == std::string_view::npos ? path.size() : share + 1;
}

} // namespace keep_rules

// The site as it is kept, in lower case without a leading or closing dot; "" when the text is no
// host name, and then `fault` says why.
inline std::string KeptSite(std::string_view text, std::string& fault) {
    std::string host(keep_rules::Trimmed(text));
    std::transform(host.begin(), host.end(), host.begin(), keep_rules::Lower);
    if (!host.empty() && host.front() == '.')
        host.erase(0, 1);
    if (!host.empty() && host.back() == '.')
        host.pop_back();
    if (host.empty())
        fault = "is empty";
    else if (host.size() > keep_rules::kLongestHost)
        fault = "is longer than a host name can be";
    else
        fault = keep_rules::LabelFault(host);
    return fault.empty() ? host : "";
}

// The place as it is kept, without closing backslashes or blanks but for a drive's root: a full
// path of a drive ("C:\Work"), of a share ("\\server\share\Work") or in the extended form
// ("\\?\C:\Work"); "" when it is none, and then `fault` says why.
inline std::string KeptPlace(std::string_view text, std::string& fault) {
    std::string path(keep_rules::Trimmed(text));
    std::replace(path.begin(), path.end(), '/', '\\');
    const size_t root = keep_rules::RootLength(path);
    while (path.size() > root && (path.back() == '\\' || path.back() == ' ' || path.back() == '\t'))
        path.pop_back();
    fault.clear();
    if (path.empty())
        fault = "is empty";
    else if (root == 0)
        fault = "is no full path of a drive or share, such as C:\\Work";
    else if (path.find_first_of("*?\"<>|", keep_rules::Extended(path) ? 4 : 0) !=
                 std::string::npos ||
             std::any_of(path.begin(), path.end(), [](char c) { return unsigned(c) < 0x20; }))
        fault = "holds a wildcard or a character no path has";
    else if (keep_rules::StrayColon(path))
        fault = "holds a colon after its drive";
    for (size_t start = root; fault.empty() && start < path.size();) {
        const size_t end = std::min(path.find('\\', start), path.size());
        const std::string_view name = std::string_view(path).substr(start, end - start);
        if (name.empty() || name == "." || name == "..")
            fault = "has an empty name, \".\" or \"..\" in it";
        start = end + 1;
    }
    if (!fault.empty())
        return "";
    if (keep_rules::IsDriveRoot(path))
        path[0] = char(path[0] >= 'a' ? path[0] - 'a' + 'A' : path[0]);
    return path;
}

// The kept sites that keep the cookies of `host`: the host itself and each name it lies below,
// in lower case ("mail.example.com", "example.com", "com").
inline std::vector<std::string> KeepingSites(std::string_view host) {
    std::string name(host);
    std::transform(name.begin(), name.end(), name.begin(), keep_rules::Lower);
    std::vector<std::string> sites;
    for (size_t start = 0; !name.empty();) {
        sites.push_back(name.substr(start));
        const size_t dot = name.find('.', start);
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    return sites;
}

// The host a cookie file is named for ("user@mail.example.com[2].txt": from after the last "@"
// to the "[" of its counter, or to its extension), or that a cookie entry of the cache addresses
// ("Cookie:user@example.com/path"); "" when the name tells none.
inline std::string CookieFileHost(std::string_view fileName) {
    const size_t at = fileName.rfind('@');
    if (at == std::string_view::npos)
        return "";
    std::string_view host = fileName.substr(at + 1);
    const size_t end = host.find_first_of("[");
    if (end != std::string_view::npos)
        host = host.substr(0, end);
    else if (host.size() > 4 && host.substr(host.size() - 4) == ".txt")
        host.remove_suffix(4);
    std::string fault;
    return KeptSite(host, fault);
}

inline std::string CookieEntryHost(std::string_view address) {
    const size_t at = address.find('@');
    if (at == std::string_view::npos)
        return "";
    std::string_view host = address.substr(at + 1);
    host = host.substr(0, std::min(host.find('/'), host.size()));
    std::string fault;
    return KeptSite(host, fault);
}
