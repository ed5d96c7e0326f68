// Scratch folders on C: for tests that touch real files, and small file helpers.
#pragma once

#include <windows.h>

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

void RemoveTree(const std::string& path);
void MakeFolder(const std::string& path, DWORD attributes = 0);
void WriteText(const std::string& path, const std::string& content, DWORD attributes = 0);
std::string ReadText(const std::string& path);
bool Exists(const std::string& path);
// Names in a folder, without "." and "..", sorted.
std::string Listing(const std::string& folder);
