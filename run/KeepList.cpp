#include "KeepList.h"

#include <algorithm>

namespace {

constexpr size_t kLongestHost = 253;
constexpr size_t kLongestLabel = 63;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool IsLabelChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Each label of the host: letters, digits, hyphens and underscores, not beginning or ending with
// a hyphen, 1 to 63 of them.
std::string LabelFault(std::string_view host) {
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

bool IsDriveRoot(std::string_view path) {
    return path.size() == 3 && path[1] == ':' && path[2] == '\\';
}

// "C:\", "\\server\share\" or "\\?\C:\": the part of a full path before its first name, or 0.
size_t RootLength(std::string_view path) {
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (path.substr(0, 4) == "\\\\?\\")
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

} // namespace

std::string KeptSite(std::string_view text, std::string& fault) {
    std::string host(Trimmed(text));
    std::transform(host.begin(), host.end(), host.begin(), Lower);
    if (!host.empty() && host.front() == '.')
        host.erase(0, 1);
    if (!host.empty() && host.back() == '.')
        host.pop_back();
    if (host.empty())
        fault = "is empty";
    else if (host.size() > kLongestHost)
        fault = "is longer than a host name can be";
    else
        fault = LabelFault(host);
    return fault.empty() ? host : "";
}

std::string KeptPlace(std::string_view text, std::string& fault) {
    std::string path(Trimmed(text));
    std::replace(path.begin(), path.end(), '/', '\\');
    const size_t root = RootLength(path);
    while (path.size() > root && path.back() == '\\')
        path.pop_back();
    fault.clear();
    if (path.empty())
        fault = "is empty";
    else if (root == 0)
        fault = "is no full path of a drive or share, such as C:\\Work";
    else if (path.find_first_of("*?\"<>|", root) != std::string::npos)
        fault = "holds a wildcard or a character no path has";
    else if (path.find(':', root) != std::string::npos)
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
    if (IsDriveRoot(path))
        path[0] = char(path[0] >= 'a' ? path[0] - 'a' + 'A' : path[0]);
    return path;
}

bool SiteKeeps(std::string_view kept, std::string_view host) {
    if (kept.empty() || host.size() < kept.size())
        return false;
    const std::string_view end = host.substr(host.size() - kept.size());
    if (!std::equal(end.begin(), end.end(), kept.begin(),
                    [](char a, char b) { return Lower(a) == Lower(b); }))
        return false;
    return host.size() == kept.size() || host[host.size() - kept.size() - 1] == '.';
}

bool AnySiteKeeps(const std::vector<std::string>& kept, std::string_view host) {
    return std::any_of(kept.begin(), kept.end(),
                       [&](const std::string& site) { return SiteKeeps(site, host); });
}

// "user@host[1].txt": the host runs from after the last "@" to the "[" of the counter, or to the
// extension where there is none.
std::string CookieFileHost(std::string_view fileName) {
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

std::string CookieEntryHost(std::string_view address) {
    const size_t at = address.find('@');
    if (at == std::string_view::npos)
        return "";
    std::string_view host = address.substr(at + 1);
    host = host.substr(0, std::min(host.find('/'), host.size()));
    std::string fault;
    return KeptSite(host, fault);
}
