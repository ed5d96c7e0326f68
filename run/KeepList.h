// What the user keeps whatever a run takes: the sites whose cookies stay (a site keeps its
// subdomains) and the places, files or folders with everything below them, that no run removes
// or overwrites. The rules that take an entry, and tell which host a cookie belongs to. Text is
// UTF-8. Needs no system header, so that the rules are fuzzed natively.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct KeepLists {
    std::vector<std::string> sites;
    std::vector<std::string> places;
};

// The site as it is kept, in lower case without a leading or closing dot; "" when the text is no
// host name, and then `fault` says why.
std::string KeptSite(std::string_view text, std::string& fault);
// The place as it is kept, without closing backslashes but for a drive's root: a full path of a
// drive ("C:\Work"), of a share ("\\server\share\Work") or in the extended form ("\\?\C:\Work");
// "" when it is none, and then `fault` says why.
std::string KeptPlace(std::string_view text, std::string& fault);

// Whether the kept site `kept` keeps the cookies of `host`: the same name or one of its subdomains.
bool SiteKeeps(std::string_view kept, std::string_view host);
bool AnySiteKeeps(const std::vector<std::string>& kept, std::string_view host);

// The host a cookie file is named for ("user@mail.example.com[2].txt"), or that a cookie entry of
// the cache addresses ("Cookie:user@example.com/path"); "" when the name tells none.
std::string CookieFileHost(std::string_view fileName);
std::string CookieEntryHost(std::string_view address);
