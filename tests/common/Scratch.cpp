#include "Scratch.h"

#include "FileSystem.h"
#include "Handle.h"
#include "PathText.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

namespace {

// The UTF-8 path in the extended form, so that every name is reached as it stands.
std::wstring Wide(const std::string& path) {
    const std::wstring extended = path::Extended(fs::FromUtf8(path));
    return extended.empty() ? fs::FromUtf8(path) : extended;
}

} // namespace

ScratchFolder::ScratchFolder(const std::string& name) : m_path("C:\\vxtest\\" + name) {
    CreateDirectoryA("C:\\vxtest", nullptr);
    RemoveTree(m_path);
    MakeFolder(m_path);
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(m_path);
}

void RemoveTree(const std::string& path) {
    const std::wstring wide = Wide(path);
    const DWORD attributes = fs::Attributes(wide);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    fs::SetAttributes(wide, FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        fs::Remove(wide);
        return;
    }
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        ForEachEntry(path, [&](const FolderEntry& entry) { RemoveTree(path + "\\" + entry.name); });
    fs::RemoveFolder(wide);
}

void ForEachEntry(const std::string& folder, const std::function<void(const FolderEntry&)>& visit) {
    std::vector<FolderEntry> entries;
    for (fs::FolderSearch search(Wide(folder) + L"\\*"); search; search.Next()) {
        const WIN32_FIND_DATAW& entry = search.Entry();
        if (wcscmp(entry.cFileName, L".") && wcscmp(entry.cFileName, L".."))
            entries.push_back({fs::ToUtf8(entry.cFileName), entry.dwFileAttributes});
    }
    for (const FolderEntry& entry : entries)
        visit(entry);
}

void MakeFolder(const std::string& path, DWORD attributes) {
    fs::MakeFolder(Wide(path));
    if (attributes)
        fs::SetAttributes(Wide(path), attributes);
}

void MakeFolders(const std::string& path) {
    for (size_t slash = path.find('\\', 3); slash != std::string::npos;
         slash = path.find('\\', slash + 1))
        fs::MakeFolder(Wide(path.substr(0, slash)));
    fs::MakeFolder(Wide(path));
}

void WriteText(const std::string& path, const std::string& content, DWORD attributes) {
    {
        const FileHandle file =
            fs::Open(Wide(path), GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
        DWORD written = 0;
        WriteFile(file.Get(), content.data(), DWORD(content.size()), &written, nullptr);
    }
    if (attributes)
        fs::SetAttributes(Wide(path), attributes);
}

std::string ReadText(const std::string& path) {
    const FileHandle file =
        fs::Open(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0);
    if (!file)
        return "<missing>";
    std::string content(GetFileSize(file.Get(), nullptr), '\0');
    DWORD read = 0;
    ReadFile(file.Get(), &content[0], DWORD(content.size()), &read, nullptr);
    return content;
}

bool Exists(const std::string& path) {
    return fs::Attributes(Wide(path)) != INVALID_FILE_ATTRIBUTES;
}

std::string Listing(const std::string& folder) {
    std::vector<std::string> names;
    ForEachEntry(folder, [&](const FolderEntry& entry) { names.push_back(entry.name); });
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const auto& name : names)
        listing += (listing.empty() ? "" : " ") + name;
    return listing;
}

int MoveToRecycleBin(const std::string& path) {
    const std::wstring from = fs::FromUtf8(path) + L'\0';
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    return SHFileOperationW(&operation);
}
