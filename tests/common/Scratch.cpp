#include "Scratch.h"

#include "Handle.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

ScratchFolder::ScratchFolder(const std::string& name) : m_path("C:\\vxtest\\" + name) {
    CreateDirectoryA("C:\\vxtest", nullptr);
    RemoveTree(m_path);
    CreateDirectoryA(m_path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(m_path);
}

void RemoveTree(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        ForEachEntry(path, [&](const WIN32_FIND_DATAA& entry) {
            RemoveTree(path + "\\" + entry.cFileName);
        });
    RemoveDirectoryA(path.c_str());
}

void ForEachEntry(const std::string& folder,
                  const std::function<void(const WIN32_FIND_DATAA&)>& visit) {
    WIN32_FIND_DATAA entry;
    const FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (!search)
        return;
    do {
        if (std::strcmp(entry.cFileName, ".") && std::strcmp(entry.cFileName, ".."))
            visit(entry);
    } while (FindNextFileA(search.Get(), &entry));
}

void MakeFolder(const std::string& path, DWORD attributes) {
    CreateDirectoryA(path.c_str(), nullptr);
    if (attributes)
        SetFileAttributesA(path.c_str(), attributes);
}

void MakeFolders(const std::string& path) {
    for (size_t slash = path.find('\\'); slash != std::string::npos;
         slash = path.find('\\', slash + 1))
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

void WriteText(const std::string& path, const std::string& content, DWORD attributes) {
    {
        const FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        WriteFile(file.Get(), content.data(), DWORD(content.size()), &written, nullptr);
    }
    if (attributes)
        SetFileAttributesA(path.c_str(), attributes);
}

std::string ReadText(const std::string& path) {
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
    if (!file)
        return "<missing>";
    std::string content(GetFileSize(file.Get(), nullptr), '\0');
    DWORD read = 0;
    ReadFile(file.Get(), &content[0], DWORD(content.size()), &read, nullptr);
    return content;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Listing(const std::string& folder) {
    std::vector<std::string> names;
    ForEachEntry(folder, [&](const WIN32_FIND_DATAA& entry) { names.push_back(entry.cFileName); });
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const auto& name : names)
        listing += (listing.empty() ? "" : " ") + name;
    return listing;
}

int MoveToRecycleBin(const std::string& path) {
    const std::string from = path + '\0';
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    return SHFileOperationA(&operation);
}
