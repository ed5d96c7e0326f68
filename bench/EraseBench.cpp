// Erases one file with the erase component and prints the seconds spent in eraserStartSync, so
// that neither Wine's start nor the set-up is counted.
//
//   vxbench <file> <setting-hex>
//
// The method, given as "Setting" stores it, travels with the job; nothing is stored.
#include "Stopwatch.h"
#include "vxerase.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vxbench <file> <setting-hex>\n");
        return 2;
    }
    const char* path = argv[1];
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "vxbench: %s does not exist\n", path);
        return 1;
    }
    ERASER_HANDLE context;
    if (eraserInit() < 0 || eraserCreateContext(&context) < 0 ||
        eraserSetDataType(context, ERASER_DATA_FILES) < 0 ||
        eraserSetMethod(context, long(std::strtoul(argv[2], nullptr, 16))) < 0 ||
        eraserAddItem(context, path, std::strlen(path)) < 0) {
        std::fprintf(stderr, "vxbench: cannot set up the job\n");
        return 1;
    }

    const Stopwatch stopwatch;
    const long result = eraserStartSync(context);
    const double seconds = stopwatch.Seconds();
    eraserEnd();

    if (result < 0 || GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "vxbench: %s was not erased (%ld)\n", path, result);
        return 1;
    }
    std::printf("%.6f\n", seconds);
    return 0;
}
