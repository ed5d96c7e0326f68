#include "RegistryFixture.h"

#include "Handle.h"
#include "ValueGuard.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <algorithm>
#include <iterator>

namespace {

RegKey OpenKey(const std::string& path, REGSAM access, HKEY root = HKEY_CURRENT_USER) {
    RegKey key;
    RegOpenKeyExA(root, path.c_str(), 0, access, key.Put());
    return key;
}

RegKey CreateKey(HKEY parent, const std::string& path) {
    RegKey key;
    RegCreateKeyExA(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Put(),
                    nullptr);
    return key;
}

// What `enumerate` (RegEnumKeyExA or RegEnumValueA) names at index 0, 1, ... of the key.
template <typename Enumerate>
std::vector<std::string> Names(HKEY root, const std::string& path, Enumerate enumerate) {
    std::vector<std::string> names;
    const RegKey key = OpenKey(path, KEY_READ, root);
    char name[1024];
    for (DWORD i = 0, size = sizeof name;
         key && enumerate(key.Get(), i, name, &size) == ERROR_SUCCESS; ++i, size = sizeof name)
        names.push_back(name);
    return names;
}

void AddRegistryTree(HKEY root, const std::string& path, PathMap& tree) {
    const RegKey key = OpenKey(path, KEY_READ, root);
    if (!key)
        return;
    tree[path + "\\"] = "";
    for (DWORD i = 0;; ++i) {
        char name[1024];
        BYTE data[8192];
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key.Get(), i, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS)
            break;
        tree[path + "|" + name] = std::to_string(type) + ":" + Hex(data, dataSize);
    }
    for (const std::string& name : Subkeys(path, root))
        AddRegistryTree(root, path + "\\" + name, tree);
}

} // namespace

PathMap RegistryTree(HKEY root, const std::string& path) {
    PathMap tree;
    AddRegistryTree(root, path, tree);
    return tree;
}

void MakeKey(const std::string& path, HKEY root) {
    ASSERT_TRUE(CreateKey(root, path)) << path;
}

void MakeChild(const std::string& parentPath, const std::string& name) {
    MakeKey(parentPath);
    const RegKey parent = OpenKey(parentPath, KEY_ALL_ACCESS);
    ASSERT_TRUE(CreateKey(parent.Get(), name)) << name;
}

void SetValue(const std::string& path, const std::string& name, DWORD type,
              const std::string& bytes, HKEY root) {
    ASSERT_EQ(WriteRegistryValue(root, path, name, type, bytes.data(), DWORD(bytes.size())),
              ERROR_SUCCESS)
        << path << "|" << name;
}

void SetString(const std::string& path, const std::string& name, const std::string& value,
               HKEY root) {
    SetValue(path, name, REG_SZ, value + '\0', root);
}

void SetDword(const std::string& path, const std::string& name, DWORD value) {
    SetValue(path, name, REG_DWORD,
             std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

bool KeyExists(const std::string& path, HKEY root) {
    return bool(OpenKey(path, KEY_READ, root));
}

bool ValueExists(const std::string& path, const std::string& name) {
    const RegKey key = OpenKey(path, KEY_READ);
    return key && RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                      ERROR_SUCCESS;
}

std::string StringValue(const std::string& path, const std::string& name) {
    const RegKey key = OpenKey(path, KEY_READ);
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    if (!key || RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr,
                                 reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
        return "<missing>";
    return std::string(data, size).c_str();
}

DWORD DwordValue(const std::string& path, const std::string& name) {
    const RegKey key = OpenKey(path, KEY_READ);
    DWORD type = 0, value = 0, size = sizeof value;
    if (!key ||
        RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return 0xDEADBEEF;
    return value;
}

std::vector<std::string> Subkeys(const std::string& path, HKEY root) {
    return Names(root, path, [](HKEY key, DWORD index, char* name, DWORD* size) {
        return RegEnumKeyExA(key, index, name, size, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::string> ValueNames(const std::string& path, HKEY root) {
    return Names(root, path, [](HKEY key, DWORD index, char* name, DWORD* size) {
        return RegEnumValueA(key, index, name, size, nullptr, nullptr, nullptr, nullptr);
    });
}

void DeleteKeyQuietly(const std::string& path) {
    SHDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

void DeleteValueQuietly(const std::string& path, const std::string& name) {
    SHDeleteValueA(HKEY_CURRENT_USER, path.c_str(), name.c_str());
}

std::set<std::string> Snapshot(const std::string& path) {
    std::set<std::string> lines;
    for (const auto& [place, content] : RegistryTree(HKEY_CURRENT_USER, path)) {
        const std::string relative = place.substr(path.size());
        if (relative.back() == '\\')
            lines.insert(relative.substr(0, relative.size() - 1));
        else
            lines.insert(relative + "=" + content);
    }
    return lines;
}

std::set<std::string> Missing(const std::set<std::string>& before,
                              const std::set<std::string>& after) {
    std::set<std::string> missing;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                        std::inserter(missing, missing.end()));
    return missing;
}
