// Registry operations the engine's members share but does not export.
#pragma once

#include <windows.h>

#include <initializer_list>

// Deletes `name` (a relative path; only its last level goes) under an open key, with all its
// subkeys. Returns the system error code, 0 when the key is gone.
LONG DeleteKeyTree(HKEY parent, const char* name);

// Opens root\path with full access and deletes each subkey tree in turn, going on after any
// that fails. False when the key does not open.
bool DeleteKeyTrees(HKEY root, const char* path, std::initializer_list<const char*> subkeys);
