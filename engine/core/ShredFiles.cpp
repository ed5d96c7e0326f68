// Secure removal of files and folders: every file is handed to the erase component, one job
// per folder level; nothing is ever deleted plainly. A link is never entered, and keeps the
// folder it is in.
#include "EraseJob.h"
#include "Handle.h"
#include "RandomName.h"
#include "Removal.h"
#include "Silently.h"
#include "VxMain.h"
#include "vxerase.h"

#include <mbstring.h>
#include <ntsecapi.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kFolderRenames = 3;

bool IsDotEntry(const char* name) {
    return !strcmp(name, ".") || !strcmp(name, "..");
}

// A link (junction, directory or file symbolic link) leads outside the selection: it is never
// entered, overwritten or removed.
bool IsLink(const WIN32_FIND_DATAA& entry) {
    return entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
}

bool Skipped(const WIN32_FIND_DATAA& entry) {
    if (IsDotEntry(entry.cFileName))
        return true;
    if (!IsLink(entry))
        return false;
    removal::ReportKept();
    return true;
}

bool IsEmptyFolder(const CString& path) {
    WIN32_FIND_DATAA entry;
    const FindHandle search(FindFirstFileA(path + "\\*", &entry));
    if (!search)
        return false;
    do {
        if (!IsDotEntry(entry.cFileName))
            return false;
    } while (FindNextFileA(search.Get(), &entry));
    return true;
}

// The folder under names of random capitals and digits of the same length, a few times over, so
// that its parent's entries and its own record keep no trace of its name; the path it ends with.
// The separator is found as the code page reads the path.
CString RenamedAway(const CString& path) {
    const auto* text = reinterpret_cast<const unsigned char*>(static_cast<const char*>(path));
    const unsigned char* separator = _mbsrchr(text, '\\');
    const int slash = separator ? int(separator - text) : -1;
    const CString parent = path.Left(slash + 1);
    const int length = path.GetLength() - slash - 1;
    CString current = path;
    for (int round = 0; round < kFolderRenames && length > 0; ++round) {
        std::vector<unsigned char> bytes(length);
        if (!RtlGenRandom(bytes.data(), ULONG(length)))
            break;
        const CString renamed = parent + NameOfRandomBytes(bytes.data(), bytes.size()).c_str();
        if (MoveFileA(current, renamed))
            current = renamed;
    }
    return current;
}

// A preview reports the folder when nothing below it was kept. Only a folder found empty loses
// its name; one that will not go all the same gets it back.
void RemoveEmptiedFolder(const CString& path, unsigned keptBefore) {
    if (removal::Previewing()) {
        if (removal::KeptSoFar() == keptBefore)
            removal::Report(VxTraceKind::Folder, path);
        return;
    }
    removal::ClearReadOnly(path);
    const CString last = IsEmptyFolder(path) ? RenamedAway(path) : path;
    if (!RemoveDirectoryA(last) && last != path)
        MoveFileA(last, path);
}

// A folder given with a closing backslash ("C:\\Temp\\") is joined without doubling it, so that
// every path names its file one way only. The last character is found as the code page reads
// it: the second byte of a double-byte character may have the backslash's value.
CString Join(const CString& folder, const char* name) {
    const char* begin = folder;
    const char* end = begin + folder.GetLength();
    const char* last = CharPrevA(begin, end);
    if (last != end && last + 1 == end && *last == '\\')
        return folder + name;
    return folder + "\\" + name;
}

unsigned long long Length(const WIN32_FIND_DATAA& entry) {
    return (unsigned long long)entry.nFileSizeHigh << 32 | entry.nFileSizeLow;
}

} // namespace

void CVxMain::EraseFile(CString folder, CString pattern) {
    Silently([&] {
        WIN32_FIND_DATAA entry;
        FindHandle search(FindFirstFileA(Join(folder, pattern), &entry));
        if (!search)
            return;
        EraseJob job(ERASER_DATA_FILES);
        if (!job.IsOpen())
            return;
        do {
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || Skipped(entry))
                continue;
            job.Add(Join(folder, entry.cFileName), Length(entry));
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
        FindHandle search(FindFirstFileA(Join(folder, "*.*"), &entry));
        if (!search)
            return;
        const bool removeFolders = !strcmp(pattern, "*.*");
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || Skipped(entry))
                continue;
            const CString subfolder = Join(folder, entry.cFileName);
            const unsigned kept = removal::KeptSoFar();
            ShredFiles(subfolder, pattern, true);
            if (removeFolders)
                RemoveEmptiedFolder(subfolder, kept);
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
