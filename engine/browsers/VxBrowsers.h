// The browsers of today whose traces the engine removes, each under its own branch of the tree:
// their profiles, history, cache, cookies, sessions, form data and saved passwords.
#pragma once

#include "VxMain.h"

enum class VxBrowser { Chrome, Edge, Firefox };

// Whether the browser keeps a profile folder for this user: its branch is shown only then.
VXCLEAN_API bool VxBrowserInstalled(VxBrowser browser) noexcept;
