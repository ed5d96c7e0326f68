// libFuzzer target: the highest-version search over any subkey names (the input split at zeros,
// each cut to the five characters a name may have). The result is empty or one of the names,
// and no name reads as a higher number.
#include "HighestVersion.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> names;
    const char* text = reinterpret_cast<const char*>(data);
    for (size_t begin = 0; begin < size;) {
        const void* zero = std::memchr(text + begin, 0, size - begin);
        const size_t end = zero ? size_t(static_cast<const char*>(zero) - text) : size;
        names.emplace_back(text + begin, std::min<size_t>(end - begin, 5));
        begin = end + 1;
    }
    HighestVersion highest;
    for (const std::string& name : names)
        highest.Offer(name.c_str());
    const std::string& best = highest.Name();
    bool offered = best.empty();
    for (const std::string& name : names) {
        offered = offered || name == best;
        if (std::atof(name.c_str()) > (best.empty() ? 0.0 : std::atof(best.c_str())))
            std::abort();
    }
    if (!offered)
        std::abort();
    return 0;
}
