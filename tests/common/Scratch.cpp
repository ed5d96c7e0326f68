#include "Scratch.h"

#include "Handle.h"

#include <algorithm>
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
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAA entry;
        const FindHandle search(FindFirstFileA((path + "\\*").c_str(), &entry));
        if (search) {
            do {
                const std::string name = entry.cFileName;
                if (name != "." && name != "..")
                    RemoveTree(path + "\\" + name);
            } while (FindNextFileA(search.Get(), &entry));
        }
    }
    RemoveDirectoryA(path.c_str());
}

void MakeFolder(const std::string& path, DWORD attributes) {
    CreateDirectoryA(path.c_str(), nullptr);
    if (attributes)
        SetFileAttributesA(path.c_str(), attributes);
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
    WIN32_FIND_DATAA entry;
    const FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (search) {
        do {
            const std::string name = entry.cFileName;
            if (name != "." && name != "..")
                names.push_back(name);
        } while (FindNextFileA(search.Get(), &entry));
    }
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const auto& name : names)
        listing += (listing.empty() ? "" : " ") + name;
    return listing;
}
