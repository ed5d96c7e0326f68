// What each kind of trace is in each browser's profiles, and its removal: databases and files
// erased whole where they hold nothing to keep, folders emptied, site folders of a storage folder
// removed, and rows removed with SQLite where a database holds data to keep.
#pragma once

#include "VxBrowsers.h"

enum class BrowserTrace { History, Cache, Cookies, Session, FormData, Passwords };

// Removes the trace from every profile of the browser. A browser that runs is left whole, with a
// line that says so, and counts as left.
void CleanBrowser(VxBrowser browser, BrowserTrace trace);
