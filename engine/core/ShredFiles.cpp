// Secure removal of files and folders: every file is handed to the erase component, one job
// per folder level; nothing is ever deleted plainly.
#include "EraseJob.h"
#include "Handle.h"
#include "Silently.h"
#include "VxMain.h"
#include "vxerase.h"

#include <cstring>

namespace {

bool IsDotEntry(const char* name) {
    return !strcmp(name, ".") || !strcmp(name, "..");
}

// A link (junction, directory or file symbolic link) leads outside the selection: it is never
// entered, overwritten or removed.
bool IsLink(const WIN32_FIND_DATAA& entry) {
    return entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
}

void RemoveEmptiedFolder(const CString& path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    RemoveDirectoryA(path);
}

} // namespace

void CVxMain::EraseFile(CString folder, CString pattern) {
    Silently([&] {
        WIN32_FIND_DATAA entry;
        FindHandle search(FindFirstFileA(folder + "\\" + pattern, &entry));
        if (!search)
            return;
        EraseJob job(ERASER_DATA_FILES);
        if (!job.IsOpen())
            return;
        do {
            if (IsDotEntry(entry.cFileName) ||
                (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || IsLink(entry))
                continue;
            job.Add(folder + "\\" + entry.cFileName);
        } while (FindNextFileA(search.Get(), &entry));
        search.Reset();
        job.Start();
    });
}

// Files of a folder are erased before its subfolders are visited; a subfolder is removed after
// its own walk, and only when the whole folder was asked for ("*.*"). The folder passed in is
// emptied, never removed.
void CVxMain::ShredFiles(CString folder, CString pattern, bool subfolders) {
    Silently([&] {
        EraseFile(folder, pattern);
        if (!subfolders)
            return;
        WIN32_FIND_DATAA entry;
        FindHandle search(FindFirstFileA(folder + "\\*.*", &entry));
        if (!search)
            return;
        const bool removeFolders = !strcmp(pattern, "*.*");
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
                IsDotEntry(entry.cFileName) || IsLink(entry))
                continue;
            const CString subfolder = folder + "\\" + entry.cFileName;
            ShredFiles(subfolder, pattern, true);
            if (removeFolders)
                RemoveEmptiedFolder(subfolder);
        } while (FindNextFileA(search.Get(), &entry));
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
        EraseJob job(ERASER_DATA_DRIVES);
        if (!job.IsOpen())
            return;
        job.Add(driveRoot);
        job.Start();
    });
}
