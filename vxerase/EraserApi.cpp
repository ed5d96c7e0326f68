// The exported calls: contexts, their items, and the synchronous run of a job.
#include "vxerase.h"

#include "Job.h"
#include "Setting.h"

#include <windows.h>
#include <ntsecapi.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct Context {
    long dataType = ERASER_DATA_FILES;
    std::vector<std::string> items;
};

std::mutex g_lock;
std::map<ERASER_HANDLE, Context> g_contexts;
ERASER_HANDLE g_nextHandle = 1;
std::atomic<bool> g_cancel{false};

ChaChaRng SeededRng() {
    uint8_t key[ChaChaRng::kKeySize] = {};
    if (!RtlGenRandom(key, sizeof key)) {
        LARGE_INTEGER counter;
        QueryPerformanceCounter(&counter);
        const DWORD mix[] = {GetTickCount(), GetCurrentProcessId(), GetCurrentThreadId(),
                             counter.LowPart, DWORD(counter.HighPart)};
        memcpy(key, mix, sizeof mix);
    }
    return ChaChaRng(key);
}

} // namespace

std::string Job::RandomName(size_t length) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string name(length, 'A');
    std::vector<uint8_t> bytes(length);
    rng.Fill(bytes.data(), bytes.size());
    for (size_t i = 0; i < length; ++i)
        name[i] = kAlphabet[bytes[i] % (sizeof kAlphabet - 1)];
    return name;
}

VXERASE_API long eraserInit() {
    g_cancel = false;
    return ERASER_OK;
}

VXERASE_API long eraserEnd() {
    std::lock_guard<std::mutex> guard(g_lock);
    g_contexts.clear();
    return ERASER_OK;
}

VXERASE_API long eraserCreateContext(ERASER_HANDLE* context) {
    if (!context)
        return ERASER_ERROR_PARAM;
    std::lock_guard<std::mutex> guard(g_lock);
    *context = g_nextHandle++;
    g_contexts[*context];
    return ERASER_OK;
}

VXERASE_API long eraserIsValidContext(ERASER_HANDLE context) {
    std::lock_guard<std::mutex> guard(g_lock);
    return g_contexts.count(context) ? ERASER_OK : ERASER_ERROR_CONTEXT;
}

VXERASE_API long eraserClearItems(ERASER_HANDLE context) {
    std::lock_guard<std::mutex> guard(g_lock);
    const auto found = g_contexts.find(context);
    if (found == g_contexts.end())
        return ERASER_ERROR_CONTEXT;
    found->second.items.clear();
    return ERASER_OK;
}

VXERASE_API long eraserSetDataType(ERASER_HANDLE context, long dataType) {
    if (dataType != ERASER_DATA_DRIVES && dataType != ERASER_DATA_FILES)
        return ERASER_ERROR_PARAM;
    std::lock_guard<std::mutex> guard(g_lock);
    const auto found = g_contexts.find(context);
    if (found == g_contexts.end())
        return ERASER_ERROR_CONTEXT;
    found->second.dataType = dataType;
    return ERASER_OK;
}

VXERASE_API long eraserAddItem(ERASER_HANDLE context, const char* item, unsigned long length) {
    if (!item || length == 0 || length >= MAX_PATH)
        return ERASER_ERROR_PARAM;
    std::lock_guard<std::mutex> guard(g_lock);
    const auto found = g_contexts.find(context);
    if (found == g_contexts.end())
        return ERASER_ERROR_CONTEXT;
    found->second.items.emplace_back(item, length);
    return ERASER_OK;
}

VXERASE_API long eraserStartSync(ERASER_HANDLE context) {
    Context work;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        const auto found = g_contexts.find(context);
        if (found == g_contexts.end())
            return ERASER_ERROR_CONTEXT;
        work = found->second;
    }
    try {
        ChaChaRng rng = SeededRng();
        Job job{PassesFor(StoredMethod(), rng), rng.Fork(), {}, g_cancel};
        for (const std::string& item : work.items) {
            if (g_cancel)
                break;
            if (work.dataType == ERASER_DATA_FILES)
                EraseFile(item, job);
            else
                WipeFreeSpace(item, job);
        }
    } catch (...) {
        return ERASER_ERROR;
    }
    return g_cancel ? ERASER_ERROR : ERASER_OK;
}

VXERASE_API long eraserCancel() {
    g_cancel = true;
    return ERASER_OK;
}
