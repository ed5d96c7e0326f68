// A stand-in for the erase component that records every call. It has only the eight calls the
// engine is built on, and takes ANSI text only, as an outside erase library may. Jobs of files
// delete them plainly, except files whose name contains "stuck", to stand for an item the
// component could not remove.
#include "vxerase.h"

#include <windows.h>

#include <string>

namespace {
std::string g_log;
ERASER_HANDLE g_next = 1;
std::string g_items[64];
size_t g_count = 0;
long g_type = 1;
void (*g_change)() = nullptr;
int g_jobsBeforeChange = 0;

long Log(const std::string& line) {
    g_log += line + "\n";
    return ERASER_OK;
}
} // namespace

extern "C" __declspec(dllexport) void fakeEraserReset() {
    g_log.clear();
}
extern "C" __declspec(dllexport) const char* fakeEraserLog() {
    return g_log.c_str();
}
extern "C" __declspec(dllexport) void fakeEraserOnStart(int job, void (*change)()) {
    g_jobsBeforeChange = job - 1;
    g_change = change;
}

VXERASE_API long eraserInit() {
    return Log("init");
}
VXERASE_API long eraserEnd() {
    return Log("end");
}

VXERASE_API long eraserIsValidContext(ERASER_HANDLE context) {
    Log("valid " + std::to_string(context));
    return context > 0 && context < g_next ? ERASER_OK : ERASER_ERROR_CONTEXT;
}

VXERASE_API long eraserCreateContext(ERASER_HANDLE* context) {
    *context = g_next++;
    return Log("create " + std::to_string(*context));
}

VXERASE_API long eraserClearItems(ERASER_HANDLE context) {
    g_count = 0;
    return Log("clear " + std::to_string(context));
}

VXERASE_API long eraserSetDataType(ERASER_HANDLE context, long dataType) {
    g_type = dataType;
    return Log("type " + std::to_string(context) + " " + std::to_string(dataType));
}

VXERASE_API long eraserAddItem(ERASER_HANDLE context, const char* item, unsigned long length) {
    if (g_count < 64)
        g_items[g_count++].assign(item, length);
    return Log("add " + std::to_string(context) + " " + std::string(item, length));
}

VXERASE_API long eraserStartSync(ERASER_HANDLE context) {
    if (g_change && g_jobsBeforeChange-- == 0) {
        const auto change = g_change;
        g_change = nullptr;
        change();
    }
    for (size_t i = 0; g_type == ERASER_DATA_FILES && i < g_count; ++i)
        if (g_items[i].find("stuck") == std::string::npos) {
            SetFileAttributesA(g_items[i].c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(g_items[i].c_str());
        }
    return Log("start " + std::to_string(context));
}
