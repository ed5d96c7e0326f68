// Steps that many trace members share.
#pragma once

#include "Registry.h"
#include "VxMain.h"

// Erases the shell folder `csidl` + `suffix` with EmptyDirectory; skipped when the folder is
// unknown or the path would not fit.
void EmptyShellFolder(CVxMain& engine, int csidl, const char* suffix = "");
