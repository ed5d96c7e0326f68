// Secure removal of files and folders: every file is handed to the erase component, one job
// per folder level; nothing is ever deleted plainly. A link is never entered, and keeps the
// folder it is in. Folders are listed with the wide calls on the NT family, so that every name
// is reached as the system spells it.
#include "EraseJob.h"
#include "FileSystem.h"
#include "FreedNames.h"
#include "PathText.h"
#include "RandomName.h"
#include "Removal.h"
#include "Shred.h"
#include "Silently.h"
#include "VxMain.h"
#include "vxerase.h"

#include <windows.h>

namespace {

bool IsDirectory(const WIN32_FIND_DATAW& entry) {
    return entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
}

// A link (junction, directory or file symbolic link) leads outside the selection: it is never
// entered, overwritten or removed.
bool Skipped(const WIN32_FIND_DATAW& entry) {
    if (path::IsDotName(entry.cFileName))
        return true;
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    removal::ReportKept();
    return true;
}

bool IsEmptyFolder(const std::wstring& folder) {
    fs::FolderSearch search(path::Join(folder, L"*"));
    if (!search)
        return false;
    for (; search; search.Next())
        if (!path::IsDotName(search.Entry().cFileName))
            return false;
    return true;
}

bool Exists(const std::wstring& path) {
    return fs::Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

// The folder under a random name of the same length, so that its parent's entries and its own
// record keep no trace of its name; the path it ends with.
std::wstring RenamedAway(const std::wstring& folder) {
    const size_t nameStart = path::NameStart(folder);
    const std::wstring name = RandomName(folder.size() - nameStart);
    const std::wstring renamed = folder.substr(0, nameStart) + name;
    return !name.empty() && fs::Move(folder, renamed) ? renamed : folder;
}

// A folder goes when nothing below it stayed: a preview reports it then, and a run that finds
// it still there counts it as left. A kept folder is never touched, empty or not. Only a folder
// found empty loses its name; one that will not go all the same gets it back. Its parent covers the
// names it had.
void RemoveEmptiedFolder(const std::wstring& folder, unsigned staysBefore) {
    if (removal::IsKept(folder))
        return;
    const bool expected = removal::StaysSoFar() == staysBefore;
    if (removal::Previewing()) {
        if (expected)
            removal::Report(VxTraceKind::Folder, folder);
        return;
    }
    removal::ClearReadOnly(folder);
    const std::wstring last = IsEmptyFolder(folder) ? RenamedAway(folder) : folder;
    if (!fs::RemoveFolder(last) && last != folder)
        fs::Move(last, folder);
    if (!Exists(folder))
        removal::Report(VxTraceKind::Folder, folder);
    else if (expected)
        removal::Left(folder, "the system refused its removal");
}

// The subfolders of a folder, links left out, before any of them changes.
std::vector<std::wstring> Subfolders(const std::wstring& folder) {
    std::vector<std::wstring> subfolders;
    for (fs::FolderSearch search(path::Join(folder, L"*.*")); search; search.Next()) {
        const WIN32_FIND_DATAW& entry = search.Entry();
        if (IsDirectory(entry) && !Skipped(entry))
            subfolders.push_back(path::Join(folder, entry.cFileName));
    }
    return subfolders;
}

unsigned long long Length(const WIN32_FIND_DATAW& entry) {
    return (unsigned long long)entry.nFileSizeHigh << 32 | entry.nFileSizeLow;
}

} // namespace

namespace shred {

bool EnteringFolder(const std::wstring& folder, std::wstring& path) {
    if (folder.empty() || !fs::SystemPath(folder.back() == L'\\' ? folder : folder + L"\\", path))
        return false;
    path = fs::LongPath(path);
    return true;
}

bool EnteringFolder(const char* ansi, std::wstring& path) {
    std::wstring wide;
    return ansi && fs::FromAnsi(ansi, strlen(ansi), wide) && EnteringFolder(wide, path);
}

// A pattern is one name: one that reached into another folder would name its files by the
// wrong folder.
bool EnteringPattern(const char* ansi, std::wstring& pattern) {
    return ansi && *ansi && fs::FromAnsi(ansi, strlen(ansi), pattern) &&
           pattern.find_first_of(L"\\/") == std::wstring::npos && !path::IsDotName(pattern);
}

void MatchingFiles(const std::wstring& folder, const std::wstring& pattern) {
    fs::FolderSearch search(path::Join(folder, pattern));
    if (!search)
        return;
    EraseJob job(ERASER_DATA_FILES);
    if (!job.IsOpen())
        return;
    for (; search; search.Next()) {
        const WIN32_FIND_DATAW& entry = search.Entry();
        if (!IsDirectory(entry) && !Skipped(entry))
            job.Add(path::Join(folder, entry.cFileName), Length(entry));
    }
    search.Close();
    job.Start();
}

// Files of a folder are erased before its subfolders are visited; a subfolder is removed after
// its own walk, and only when the whole folder was asked for ("*.*").
void Files(const std::wstring& folder, const std::wstring& pattern, bool subfolders) {
    if (removal::IsKept(folder)) {
        removal::LeaveKept(folder);
        return;
    }
    MatchingFiles(folder, pattern);
    if (!subfolders)
        return;
    const bool removeFolders = pattern == L"*.*";
    const std::vector<std::wstring> below = Subfolders(folder);
    FreedNames names(folder);
    if (removeFolders && !removal::Previewing())
        for (const std::wstring& subfolder : below)
            names.Add(subfolder.size() - path::NameStart(subfolder));
    names.Hold();
    for (const std::wstring& subfolder : below) {
        const unsigned stays = removal::StaysSoFar();
        Files(subfolder, pattern, true);
        if (removeFolders)
            RemoveEmptiedFolder(subfolder, stays);
    }
    names.Cover();
}

void TheseFiles(const std::vector<std::wstring>& files) {
    std::vector<std::pair<std::wstring, unsigned long long>> found;
    for (const std::wstring& file : files) {
        fs::FolderSearch search(file);
        if (search && !IsDirectory(search.Entry()) && !Skipped(search.Entry()))
            found.emplace_back(file, Length(search.Entry()));
    }
    if (found.empty())
        return;
    EraseJob job(ERASER_DATA_FILES);
    if (!job.IsOpen())
        return;
    for (const auto& [file, length] : found)
        job.Add(file, length);
    job.Start();
}

void WholeFolder(const std::wstring& folder) {
    const DWORD attributes = fs::Attributes(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return;
    const size_t nameStart = path::NameStart(folder);
    FreedNames names(folder.substr(0, nameStart));
    if (!removal::Previewing() && nameStart > 0 && nameStart < folder.size())
        names.Add(folder.size() - nameStart);
    names.Hold();
    const unsigned stays = removal::StaysSoFar();
    Files(folder, L"*.*", true);
    RemoveEmptiedFolder(folder, stays);
    names.Cover();
}

} // namespace shred

void CVxMain::EraseFile(CString folder, CString pattern) {
    Silently([&] {
        std::wstring path, names;
        if (shred::EnteringFolder(folder, path) && shred::EnteringPattern(pattern, names))
            shred::MatchingFiles(path, names);
    });
}

void CVxMain::ShredFiles(CString folder, CString pattern, bool subfolders) {
    Silently([&] {
        std::wstring path, names;
        if (shred::EnteringFolder(folder, path) && shred::EnteringPattern(pattern, names))
            shred::Files(path, names, subfolders);
    });
}

int CVxMain::WipeFile(const char* folder, const char* pattern) {
    Silently([&] { ShredFiles(folder, pattern, false); });
    return 1;
}

void CVxMain::ShredFile(const char* folder, const char* pattern) {
    Silently([&] { ShredFiles(folder, pattern, false); });
}

int CVxMain::DelFileFromType(const char* folder, const char* pattern) {
    Silently([&] { ShredFiles(folder, pattern, false); });
    return 1;
}

int CVxMain::EmptyDirectory(const char* folder, int, int) {
    Silently([&] { ShredFiles(folder, "*.*", true); });
    return 1;
}

void CVxMain::ShredUnSpace(CString driveRoot) {
    Silently([&] {
        std::wstring root;
        EraseJob job(ERASER_DATA_DRIVES);
        if (!job.IsOpen() || !fs::FromAnsi(driveRoot, driveRoot.GetLength(), root))
            return;
        job.Add(root);
        job.Start();
    });
}
