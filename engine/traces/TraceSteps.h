// Steps that many trace members share.
#pragma once

#include "VxMain.h"

#include <initializer_list>

// Erases the shell folder `csidl` + `suffix` with EmptyDirectory; skipped when the folder is
// unknown or the path would not fit.
void EmptyShellFolder(CVxMain& engine, int csidl, const char* suffix = "");

// Opens root\path with full access and deletes each subkey tree in turn, going on after any
// that fails. False when the key does not open.
bool DeleteKeyTrees(HKEY root, const char* path, std::initializer_list<const char*> subkeys);
