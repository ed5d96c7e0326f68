// Calls on a file already open, through the system's native layer: the oldest systems supported
// have these calls although their Windows API lacks them. The erase learns what it needs of a
// file, and renames and deletes it, without opening it again by its name each time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct OpenFileFacts {
    uint64_t size = 0;
    // The bytes the file system has given the file: fewer than its size where it keeps the file
    // compressed or sparse, or inside its own record.
    uint64_t allocated = 0;
    uint32_t links = 0;
    DWORD attributes = 0;
    // The allocation unit and the sector of the file's volume.
    DWORD clusterSize = 0;
    DWORD sectorSize = 0;
};

// False when the system cannot tell.
bool QueryOpenFile(HANDLE file, OpenFileFacts& facts);

// Changes the file's attributes (FILE_ATTRIBUTE_NORMAL for none).
bool SetOpenFileAttributes(HANDLE file, DWORD attributes);

// Gives the file, opened with delete access, the full path `renamed` ("C:\dir\NEWNAME" or
// "\\?\C:\dir\NEWNAME"); fails if a file of that name exists.
bool RenameOpenFile(HANDLE file, const std::wstring& renamed);

// Marks the file, opened with delete access, to go when its handle closes.
bool DeleteOpenFile(HANDLE file);
