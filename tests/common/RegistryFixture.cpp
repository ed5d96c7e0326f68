#include "RegistryFixture.h"

#include "Handle.h"

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

void SetValue(const std::string& path, const std::string& name, DWORD type, const void* data,
              DWORD size) {
    MakeKey(path);
    const RegKey key = OpenKey(path, KEY_SET_VALUE);
    ASSERT_EQ(
        RegSetValueExA(key.Get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size),
        ERROR_SUCCESS)
        << path << "|" << name;
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
    for (DWORD i = 0;; ++i) {
        char name[1024];
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        AddRegistryTree(root, path + "\\" + name, tree);
    }
}

} // namespace

std::string Hex(const BYTE* data, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (size_t i = 0; i < size; ++i) {
        hex += digits[data[i] >> 4];
        hex += digits[data[i] & 15];
    }
    return hex;
}

PathMap RegistryTree(HKEY root, const std::string& path) {
    PathMap tree;
    AddRegistryTree(root, path, tree);
    return tree;
}

void MakeKey(const std::string& path) {
    ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, path)) << path;
}

void MakeChild(const std::string& parentPath, const std::string& name) {
    MakeKey(parentPath);
    const RegKey parent = OpenKey(parentPath, KEY_ALL_ACCESS);
    ASSERT_TRUE(CreateKey(parent.Get(), name)) << name;
}

void SetString(const std::string& path, const std::string& name, const std::string& value) {
    SetValue(path, name, REG_SZ, value.c_str(), DWORD(value.size() + 1));
}

void SetDword(const std::string& path, const std::string& name, DWORD value) {
    SetValue(path, name, REG_DWORD, &value, sizeof value);
}

bool KeyExists(const std::string& path) {
    return bool(OpenKey(path, KEY_READ));
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

std::vector<std::string> Subkeys(const std::string& path) {
    std::vector<std::string> names;
    const RegKey key = OpenKey(path, KEY_READ);
    for (DWORD i = 0; key; ++i) {
        char name[1024];
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.push_back(name);
    }
    return names;
}

std::vector<std::string> ValueNames(const std::string& path) {
    std::vector<std::string> names;
    const RegKey key = OpenKey(path, KEY_READ);
    for (DWORD i = 0; key; ++i) {
        char name[1024];
        DWORD size = sizeof name;
        if (RegEnumValueA(key.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.push_back(name);
    }
    return names;
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
