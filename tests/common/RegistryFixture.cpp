#include "RegistryFixture.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <algorithm>
#include <iterator>

namespace {

class Key {
public:
    Key(const std::string& path, REGSAM access) {
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~Key() {
        if (m_key)
            RegCloseKey(m_key);
    }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

void SetValue(const std::string& path, const std::string& name, DWORD type, const void* data,
              DWORD size) {
    MakeKey(path);
    Key key(path, KEY_SET_VALUE);
    ASSERT_EQ(
        RegSetValueExA(key.Get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size),
        ERROR_SUCCESS)
        << path << "|" << name;
}

void SnapshotInto(const std::string& path, const std::string& relative,
                  std::set<std::string>& lines) {
    Key key(path, KEY_READ);
    if (!key.Get())
        return;
    lines.insert(relative);
    for (DWORD i = 0;; ++i) {
        char name[1024];
        BYTE data[4096];
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key.Get(), i, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS)
            break;
        std::string line = relative + "|" + name + "=" + std::to_string(type) + ":";
        for (DWORD b = 0; b < dataSize; ++b) {
            static const char digits[] = "0123456789abcdef";
            line += digits[data[b] >> 4];
            line += digits[data[b] & 15];
        }
        lines.insert(line);
    }
    for (const std::string& subkey : Subkeys(path))
        SnapshotInto(path + "\\" + subkey, relative + "\\" + subkey, lines);
}

} // namespace

void MakeKey(const std::string& path) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << path;
    RegCloseKey(key);
}

void MakeChild(const std::string& parentPath, const std::string& name) {
    MakeKey(parentPath);
    Key parent(parentPath, KEY_ALL_ACCESS);
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(parent.Get(), name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void SetString(const std::string& path, const std::string& name, const std::string& value) {
    SetValue(path, name, REG_SZ, value.c_str(), DWORD(value.size() + 1));
}

void SetDword(const std::string& path, const std::string& name, DWORD value) {
    SetValue(path, name, REG_DWORD, &value, sizeof value);
}

bool KeyExists(const std::string& path) {
    return Key(path, KEY_READ).Get() != nullptr;
}

bool ValueExists(const std::string& path, const std::string& name) {
    Key key(path, KEY_READ);
    return key.Get() && RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, nullptr,
                                         nullptr) == ERROR_SUCCESS;
}

std::string StringValue(const std::string& path, const std::string& name) {
    Key key(path, KEY_READ);
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    if (!key.Get() || RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
        return "<missing>";
    return std::string(data, size).c_str();
}

DWORD DwordValue(const std::string& path, const std::string& name) {
    Key key(path, KEY_READ);
    DWORD type = 0, value = 0, size = sizeof value;
    if (!key.Get() ||
        RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return 0xDEADBEEF;
    return value;
}

std::vector<std::string> Subkeys(const std::string& path) {
    std::vector<std::string> names;
    Key key(path, KEY_READ);
    for (DWORD i = 0; key.Get(); ++i) {
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
    Key key(path, KEY_READ);
    for (DWORD i = 0; key.Get(); ++i) {
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
    SnapshotInto(path, "", lines);
    return lines;
}

std::set<std::string> Missing(const std::set<std::string>& before,
                              const std::set<std::string>& after) {
    std::set<std::string> missing;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                        std::inserter(missing, missing.end()));
    return missing;
}
