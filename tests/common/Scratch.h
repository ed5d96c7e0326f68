// Scratch folders on C: for tests that touch real files, and small file helpers. Paths are UTF-8
// and reach every name as it stands (device names, closing dots and blanks, long paths).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// A fresh folder C:\vxtest\<name>, removed with everything in it when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& relative) const { return m_path + "\\" + relative; }

private:
    std::string m_path;
};

struct FolderEntry {
    std::string name;
    DWORD attributes;
};

void RemoveTree(const std::string& path);
// Each entry of the folder but "." and "..".
void ForEachEntry(const std::string& folder, const std::function<void(const FolderEntry&)>& visit);
void MakeFolder(const std::string& path, DWORD attributes = 0);
// The folder and every missing folder on its way.
void MakeFolders(const std::string& path);
void WriteText(const std::string& path, const std::string& content, DWORD attributes = 0);
std::string ReadText(const std::string& path);
bool Exists(const std::string& path);
// Names in a folder, without "." and "..", sorted.
std::string Listing(const std::string& folder);
// SHFileOperation's result: 0 once the file or folder is in the recycle bin.
int MoveToRecycleBin(const std::string& path);
