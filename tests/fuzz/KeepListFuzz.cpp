// libFuzzer target: the rules of the keep lists. Whatever the text, a site or place that is taken
// is taken again as itself, holds nothing a host name or a path must not, and is kept by itself
// and keeps its subdomains; a cookie's host is a site as it is kept.
#include "KeepList.h"

#include <cstdlib>
#include <string>

namespace {

void Check(bool holds) {
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string fault;
    const std::string site = KeptSite(text, fault);
    Check(site.empty() != fault.empty());
    if (!site.empty()) {
        Check(site.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-_.") ==
              std::string::npos);
        const std::vector<std::string> keeping = KeepingSites("www." + site);
        Check(KeptSite(site, fault) == site && KeepingSites(site).front() == site);
        Check(keeping.size() >= 2 && keeping[1] == site);
    }
    const std::string place = KeptPlace(text, fault);
    Check(place.empty() != fault.empty());
    if (!place.empty()) {
        const size_t names = place.rfind("\\\\?\\", 0) == 0 ? 4 : 0;
        Check(place.find_first_of("*?\"<>|/", names) == std::string::npos);
        Check(KeptPlace(place, fault) == place);
    }
    for (const std::string& host : {CookieFileHost(text), CookieEntryHost(text)})
        Check(host.empty() || KeptSite(host, fault) == host);
    return 0;
}
