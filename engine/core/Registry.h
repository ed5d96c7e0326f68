// Registry operations the engine's members share but does not export.
#pragma once

#include <windows.h>

// Deletes `name` (a relative path; only its last level goes) under an open key, with all its
// subkeys. Returns the system error code, 0 when the key is gone.
LONG DeleteKeyTree(HKEY parent, const char* name);

// A copy of the SID of the current process's user, allocated from the process heap.
int GetCurrentUserSid(void** sid);

// "S-1-<authority>-<sub-authority>..." into `text`, which holds 256 characters.
void SidToText(void* sid, char* text);
