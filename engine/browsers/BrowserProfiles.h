// Where a browser keeps its profiles: the user's Chrome and Edge "User Data" folders and Firefox's
// folder with its profiles.ini. Only the profiles the browser lists, or (for Chrome and Edge) the
// folders of "User Data" that hold a "Preferences" file, are taken; a profile reached through a
// link or junction is not.
#pragma once

#include "VxBrowsers.h"

#include <string>
#include <vector>

struct BrowserProfile {
    // The profile folder, and the folder of its caches (Firefox keeps them under the local
    // application data); system paths.
    std::wstring folder;
    std::wstring local;
    // For the lines a run shows, in UTF-8.
    std::string name;
};

// "Google Chrome", "Microsoft Edge", "Mozilla Firefox".
const char* BrowserName(VxBrowser browser);

// The browser's own folder ("User Data", or Firefox's folder); false when it has none.
bool BrowserHome(VxBrowser browser, std::wstring& home);

std::vector<BrowserProfile> BrowserProfiles(VxBrowser browser);

// Whether the browser runs: one of its programs runs, or another program holds a profile's lock.
bool BrowserRunning(VxBrowser browser, const std::vector<BrowserProfile>& profiles);
