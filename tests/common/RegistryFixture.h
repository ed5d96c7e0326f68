// Builds and reads registry fixtures of the build's Wine profile, below HKEY_CURRENT_USER where no
// other root is given.
#pragma once

#include "Hex.h"

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

void MakeKey(const std::string& path, HKEY root = HKEY_CURRENT_USER);
// Created under its opened parent: a long name is accepted there that a full path would not be.
void MakeChild(const std::string& parentPath, const std::string& name);
// Raw bytes of any type: text can be stored without its terminator.
void SetValue(const std::string& path, const std::string& name, DWORD type,
              const std::string& bytes, HKEY root = HKEY_CURRENT_USER);
void SetString(const std::string& path, const std::string& name, const std::string& value,
               HKEY root = HKEY_CURRENT_USER);
void SetDword(const std::string& path, const std::string& name, DWORD value);
bool KeyExists(const std::string& path, HKEY root = HKEY_CURRENT_USER);
bool ValueExists(const std::string& path, const std::string& name);
std::string StringValue(const std::string& path, const std::string& name);
// A 32-bit number value, or 0xDEADBEEF when there is none of that type.
DWORD DwordValue(const std::string& path, const std::string& name);
// Subkey and value names in the order the registry enumerates them.
std::vector<std::string> Subkeys(const std::string& path, HKEY root = HKEY_CURRENT_USER);
std::vector<std::string> ValueNames(const std::string& path, HKEY root = HKEY_CURRENT_USER);
void DeleteKeyQuietly(const std::string& path);
void DeleteValueQuietly(const std::string& path, const std::string& name);

// Every key below `path` as "key", every value as "key|name=type:data"; paths are relative.
std::set<std::string> Snapshot(const std::string& path);
// What `before` has that `after` lacks.
std::set<std::string> Missing(const std::set<std::string>& before,
                              const std::set<std::string>& after);

// A registry tree as a map: keys end with a backslash and hold nothing; values are "key|name"
// and hold "type:data in hex"; paths are full.
using PathMap = std::map<std::string, std::string>;
PathMap RegistryTree(HKEY root, const std::string& path);
