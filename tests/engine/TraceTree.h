// Registry and folder trees of the trace tests, as maps from a path to its content, so that two
// snapshots show exactly what a member removed and what it changed.
#pragma once

#include "Handle.h"
#include "common/RegistryFixture.h"
#include "common/Scratch.h"

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <set>
#include <string>

// Keys end with a backslash; values are "key|name"; files and folders are relative paths, folders
// ending with a backslash.
using Tree = PathMap;

// A file's content as a 64-bit FNV-1a hash; a file that cannot be read shows as such.
inline std::string ContentHash(const std::string& path) {
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
    if (!file)
        return "<unreadable>";
    uint64_t hash = 14695981039346656037ull;
    BYTE buffer[65536];
    DWORD read = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read) {
        for (DWORD i = 0; i < read; ++i)
            hash = (hash ^ buffer[i]) * 1099511628211ull;
    }
    return Hex(&hash, sizeof hash);
}

inline void AddFolderTree(const std::string& folder, const std::string& relative, bool recurse,
                          Tree& tree) {
    ForEachEntry(folder, [&](const FolderEntry& entry) {
        const std::string& name = entry.name;
        if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY))
            tree[relative + name] = ContentHash(folder + "\\" + name);
        else if (recurse) {
            tree[relative + name + "\\"] = "";
            AddFolderTree(folder + "\\" + name, relative + name + "\\", true, tree);
        }
    });
}

// Everything below the folder, with paths relative to it.
inline Tree FolderTree(const std::string& folder) {
    Tree tree;
    AddFolderTree(folder, "", true, tree);
    return tree;
}

// Only the files directly in the folder.
inline Tree FolderFiles(const std::string& folder) {
    Tree tree;
    AddFolderTree(folder, "", false, tree);
    return tree;
}

// Entries of `before` that `after` lacks.
inline std::set<std::string> Removed(const Tree& before, const Tree& after) {
    std::set<std::string> removed;
    for (const auto& entry : before)
        if (!after.count(entry.first))
            removed.insert(entry.first);
    return removed;
}

// Entries that `after` adds or holds with another content.
inline std::set<std::string> Changed(const Tree& before, const Tree& after) {
    std::set<std::string> changed;
    for (const auto& entry : after) {
        const auto old = before.find(entry.first);
        if (old == before.end() || old->second != entry.second)
            changed.insert(entry.first);
    }
    return changed;
}

// The entries of `tree` below `prefix`, which itself is left out.
inline std::set<std::string> Below(const Tree& tree, const std::string& prefix) {
    std::set<std::string> below;
    for (const auto& entry : tree)
        if (entry.first.size() > prefix.size() &&
            entry.first.compare(0, prefix.size(), prefix) == 0)
            below.insert(entry.first);
    return below;
}

// Creates keys ("a\b\") and string values ("a\b|name", holding the entry's own text).
inline void PlantKeys(HKEY root, std::initializer_list<std::string> entries) {
    for (const std::string& entry : entries) {
        const size_t bar = entry.find('|');
        std::string path = entry.substr(0, bar);
        if (path.back() == '\\')
            path.pop_back();
        if (bar == std::string::npos)
            MakeKey(path, root);
        else
            SetString(path, entry.substr(bar + 1), entry, root);
    }
}

// Creates `folder`, then folders ("a\b\") and files ("a\b", holding their own relative path)
// below it, with every folder on the way.
inline void PlantFiles(const std::string& folder, std::initializer_list<std::string> entries) {
    MakeFolders(folder);
    for (const std::string& entry : entries) {
        const size_t slash = entry.rfind('\\');
        if (slash != std::string::npos)
            MakeFolders(folder + "\\" + entry.substr(0, slash));
        if (entry.back() != '\\')
            WriteText(folder + "\\" + entry, entry);
    }
}

// The names, each with the prefix put before it.
inline std::set<std::string> Under(const std::string& prefix,
                                   std::initializer_list<std::string> names) {
    std::set<std::string> entries;
    for (const std::string& name : names)
        entries.insert(prefix + name);
    return entries;
}
