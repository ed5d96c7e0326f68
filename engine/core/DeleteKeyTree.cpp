#include "Handle.h"
#include "Registry.h"
#include "TraceKey.h"

namespace {

constexpr DWORD kNameSize = 256;

// Depth first: a key's subkeys go before the key itself. The walk always takes index 0 again,
// because every deletion shifts the remaining subkeys down.
LONG DeleteSubtree(HKEY parent, const char* name) {
    RegKey key;
    LONG status = RegOpenKeyExA(parent, name, 0, KEY_READ | KEY_WRITE, key.Put());
    if (status != ERROR_SUCCESS)
        return status;
    char subkey[kNameSize];
    DWORD size = kNameSize;
    while (RegEnumKeyExA(key.Get(), 0, subkey, &size, nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS) {
        status = DeleteSubtree(key.Get(), subkey);
        if (status != ERROR_SUCCESS)
            return status;
        size = kNameSize;
    }
    key.Reset();
    return RegDeleteKeyA(parent, name);
}

} // namespace

bool DeleteKeyTrees(HKEY root, const char* path, std::initializer_list<const char*> subkeys) {
    TraceKey key(root, path);
    if (!key.IsOpen())
        return false;
    for (const char* subkey : subkeys)
        key.DeleteTree(subkey);
    return true;
}

LONG DeleteKeyTree(HKEY parent, const char* name) {
    if (RegDeleteKeyA(parent, name) == ERROR_SUCCESS)
        return ERROR_SUCCESS;
    return DeleteSubtree(parent, name);
}
