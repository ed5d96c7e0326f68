// Deletes a folder tree plainly, with DeleteFileA and RemoveDirectoryA, and prints the seconds it
// took: the floor of removing files under Wine, to set against `rm -rf` on Linux.
//
//   vxdelete <folder>
#include "Handle.h"
#include "Stopwatch.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    const FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (!search)
        return false;
    bool removed = true;
    do {
        if (!std::strcmp(entry.cFileName, ".") || !std::strcmp(entry.cFileName, ".."))
            continue;
        const std::string path = folder + "\\" + entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            removed = RemoveTree(path) && removed;
        else
            removed = DeleteFileA(path.c_str()) && removed;
    } while (FindNextFileA(search.Get(), &entry));
    return RemoveDirectoryA(folder.c_str()) && removed;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vxdelete <folder>\n");
        return 2;
    }
    const Stopwatch stopwatch;
    const bool removed = RemoveTree(argv[1]);
    const double seconds = stopwatch.Seconds();
    if (!removed) {
        std::fprintf(stderr, "vxdelete: %s was not removed\n", argv[1]);
        return 1;
    }
    std::printf("%.6f\n", seconds);
    return 0;
}
