// The profiles a browser lists in its own files: the sections of Firefox's profiles.ini and the
// profile names of a Chromium browser's "Local State". The text is UTF-8 as the browsers write it;
// whatever a damaged or foreign file holds is read without fault, and nothing in it is trusted as
// a path before the caller checks it. Needs no system header, so that it is also fuzzed natively.
#pragma once

#include <string>
#include <vector>

struct IniProfile {
    // As written: relative paths use "/" or "\\" between names.
    std::string path;
    bool relative = false;
};

// The Path and IsRelative of every [Profile...] section.
std::vector<IniProfile> FirefoxProfiles(const std::string& profilesIni);

// The keys of the object profile.info_cache: the folder names of the profiles.
std::vector<std::string> ChromiumProfileNames(const std::string& localState);
