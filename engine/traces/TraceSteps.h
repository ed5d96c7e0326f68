// Steps that many trace members share.
#pragma once

#include "Registry.h"
#include "VxMain.h"

// Empties the shell folder `csidl` + `suffix` as EmptyDirectory does; skipped when the folder is
// unknown.
void EmptyShellFolder(int csidl, const char* suffix = "");
