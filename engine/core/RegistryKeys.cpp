// Removal of registry values and keys, and the search for a product's highest version.
#include "Handle.h"
#include "HighestVersion.h"
#include "Silently.h"
#include "TraceKey.h"
#include "VxMain.h"

#include <mbstring.h>

#include <cstring>

namespace {

constexpr DWORD kPrefixNameSize = 260;
constexpr DWORD kVersionNameSize = 6;

bool OpenKey(HKEY root, const char* path, REGSAM access, RegKey& key) {
    return RegOpenKeyExA(root, path, 0, access, key.Put()) == ERROR_SUCCESS;
}

bool SubkeyCount(HKEY key, DWORD* count) {
    return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, count, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

} // namespace

void CVxMain::DelRegValue(HKEY root, CString keyPath, CString valueName) {
    Silently([&] { TraceKey(root, keyPath).DeleteValue(valueName); });
}

void CVxMain::DelRegKey(HKEY root, CString keyPath, CString subKey) {
    Silently([&] { TraceKey(root, keyPath).DeleteTree(subKey); });
}

// From the highest index down, so that deletions do not shift the names still to be visited.
// Matching subkeys are deleted plainly: one with subkeys of its own stays where the system
// refuses to delete such keys.
void CVxMain::DelRegKeysFromPrefix(HKEY root, CString keyPath, CString prefix) {
    Silently([&] {
        TraceKey key(root, keyPath);
        DWORD count = 0;
        if (!key.IsOpen() || !SubkeyCount(key.Get(), &count))
            return;
        const size_t prefixLength = std::strlen(prefix);
        for (DWORD i = count; i-- > 0;) {
            char name[kPrefixNameSize];
            DWORD size = kPrefixNameSize;
            if (RegEnumKeyExA(key.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            if (size >= prefixLength &&
                _mbsnbicmp(reinterpret_cast<const unsigned char*>(name),
                           reinterpret_cast<const unsigned char*>(static_cast<const char*>(prefix)),
                           prefixLength) == 0)
                key.DeleteKey(name);
        }
    });
}

// Among the subkeys in the order enumerated; names longer than five characters are passed over.
CString CVxMain::GetMaxVer(HKEY root, const char* keyPath) {
    return Silently(CString(), [&] {
        RegKey key;
        DWORD count = 0;
        if (!OpenKey(root, keyPath, KEY_READ, key) || !SubkeyCount(key.Get(), &count))
            return CString();
        HighestVersion highest;
        for (DWORD i = 0; i < count; ++i) {
            char name[kVersionNameSize];
            DWORD size = kVersionNameSize;
            if (RegEnumKeyExA(key.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                continue;
            highest.Offer(name);
        }
        return CString(highest.Name().c_str());
    });
}
