#include "TraceSteps.h"

#include "Handle.h"
#include "Registry.h"
#include "ShellFolder.h"

void EmptyShellFolder(CVxMain& engine, int csidl, const char* suffix) {
    CString folder;
    if (ShellFolderPath(csidl, suffix, folder))
        engine.EmptyDirectory(folder, 0, 1);
}

bool DeleteKeyTrees(HKEY root, const char* path, std::initializer_list<const char*> subkeys) {
    RegKey key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, key.Put()) != ERROR_SUCCESS)
        return false;
    for (const char* subkey : subkeys)
        DeleteKeyTree(key.Get(), subkey);
    return true;
}
