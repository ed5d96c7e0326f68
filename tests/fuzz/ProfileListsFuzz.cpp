// libFuzzer target: the profile lists of the browsers, read from any text. Nothing read may be
// empty where it names a folder, and deep nesting ends the reading instead of the stack.
#include "ProfileLists.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const IniProfile& profile : FirefoxProfiles(text))
        if (profile.path.empty())
            std::abort();
    ChromiumProfileNames(text);
    return 0;
}
