// Runs one secure removal of the cleaning engine and prints the seconds it took, so that neither
// Wine's start nor the set-up is counted.
//
//   vxcleanbench folder <folder> <setting-hex>   CVxMain::EmptyDirectory of the folder
//   vxcleanbench free <drive-root> <setting-hex> CVxMain::ShredUnSpace of the volume ("W:\")
//
// The method, given as "Setting" stores it, travels with the run; nothing is stored.
// The run fails unless the folder is left empty, or the volume is left without the wipe's folder.
#include "Handle.h"
#include "Stopwatch.h"
#include "VxMain.h"
#include "VxRun.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool IsEmptyFolder(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    const FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (!search)
        return false;
    bool empty = true;
    do {
        if (std::strcmp(entry.cFileName, ".") && std::strcmp(entry.cFileName, ".."))
            empty = false;
    } while (empty && FindNextFileA(search.Get(), &entry));
    return empty;
}

} // namespace

int main(int argc, char** argv) {
    const bool folder = argc == 4 && !std::strcmp(argv[1], "folder");
    const bool free = argc == 4 && !std::strcmp(argv[1], "free");
    if (!folder && !free) {
        std::fprintf(stderr, "usage: vxcleanbench folder|free <path> <setting-hex>\n");
        return 2;
    }
    const std::string path = argv[2];
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "vxcleanbench: %s does not exist\n", path.c_str());
        return 1;
    }
    const CVxRun run(std::strtoul(argv[3], nullptr, 16));
    CVxMain engine;
    engine.IniLib();
    const Stopwatch stopwatch;
    if (folder)
        engine.EmptyDirectory(path.c_str(), 0, 1);
    else
        engine.ShredUnSpace(path.c_str());
    const double seconds = stopwatch.Seconds();
    engine.UnIniLib();

    const bool done =
        folder ? IsEmptyFolder(path)
               : GetFileAttributesA((path + "~VXFREE.TMP").c_str()) == INVALID_FILE_ATTRIBUTES;
    if (!done) {
        std::fprintf(stderr, "vxcleanbench: %s was not cleaned\n", path.c_str());
        return 1;
    }
    std::printf("%.6f\n", seconds);
    return 0;
}
