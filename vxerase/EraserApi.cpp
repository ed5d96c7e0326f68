// The exported calls: contexts, their items, and the synchronous run of a job.
#include "FileSystem.h"
#include "Job.h"
#include "PathText.h"
#include "Setting.h"
#include "WrittenBytes.h"
#include "vxerase.h"

#include <windows.h>
#include <ntsecapi.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Context {
    long dataType = ERASER_DATA_FILES;
    std::optional<uint32_t> method;
    // As the caller gave them, in UTF-16.
    std::vector<std::wstring> items;
    // Of the last job, one for each item.
    std::vector<ItemFate> fates;
};

static_assert(long(ItemFate::Gone) == ERASER_ITEM_GONE &&
                  long(ItemFate::Stays) == ERASER_ITEM_STAYS &&
                  long(ItemFate::NotReached) == ERASER_ITEM_NOT_REACHED,
              "an item's state is told by its fate");

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

// Adds an item to the context, as the caller gave it.
long AddItem(ERASER_HANDLE context, std::wstring item) {
    std::lock_guard<std::mutex> guard(g_lock);
    const auto found = g_contexts.find(context);
    if (found == g_contexts.end())
        return ERASER_ERROR_CONTEXT;
    found->second.items.push_back(std::move(item));
    return ERASER_OK;
}

} // namespace

// Every call catches whatever its work throws (a lack of memory, a lock that cannot be had) and
// reports it as a failure: no exception may leave the component.

VXERASE_API long eraserInit() {
    g_cancel = false;
    return ERASER_OK;
}

VXERASE_API long eraserEnd() try {
    std::lock_guard<std::mutex> guard(g_lock);
    g_contexts.clear();
    return ERASER_OK;
} catch (...) {
    return ERASER_ERROR;
}

VXERASE_API long eraserCreateContext(ERASER_HANDLE* context) try {
    if (!context)
        return ERASER_ERROR_PARAM;
    std::lock_guard<std::mutex> guard(g_lock);
    g_contexts.emplace(g_nextHandle, Context{});
    *context = g_nextHandle++;
    return ERASER_OK;
} catch (...) {
    return ERASER_ERROR;
}

VXERASE_API long eraserDestroyContext(ERASER_HANDLE context) try {
    std::lock_guard<std::mutex> guard(g_lock);
    return g_contexts.erase(context) ? ERASER_OK : ERASER_ERROR_CONTEXT;
} catch (...) {
    return ERASER_ERROR;
}

VXERASE_API long eraserIsValidContext(ERASER_HANDLE context) try {
    std::lock_guard<std::mutex> guard(g_lock);
    return g_contexts.count(context) ? ERASER_OK : ERASER_ERROR_CONTEXT;
} catch (...) {
    return ERASER_ERROR;
}

VXERASE_API long eraserClearItems(ERASER_HANDLE context) try {
    std::lock_guard<std::mutex> guard(g_lock);
    const auto found = g_contexts.find(context);
    if (found == g_contexts.end())
        return ERASER_ERROR_CONTEXT;
    found->second.items.clear();
    return ERASER_OK;
} catch (...) {
    return ERASER_ERROR;
}

VXERASE_API long eraserSetDataType(ERASER_HANDLE context, long dataType) try {
    if (dataType != ERASER_DATA_DRIVES && dataType != ERASER_DATA_FILES)
        return ERASER_ERROR_PARAM;
    std::lock_guard<std::mutex> guard(g_lock);
    const auto found = g_contexts.find(context);
    if (found == g_contexts.end())
        return ERASER_ERROR_CONTEXT;
    found->second.dataType = dataType;
    return ERASER_OK;
} catch (...) {
    return ERASER_ERROR;
}

// The text is read in the code page of the process's file calls, as their ANSI forms read it.
VXERASE_API long eraserAddItem(ERASER_HANDLE context, const char* item, unsigned long length) try {
    std::wstring wide;
    if (!item || length == 0 || length > path::kMaxLength || !fs::FromAnsi(item, length, wide))
        return ERASER_ERROR_PARAM;
    return AddItem(context, std::move(wide));
} catch (...) {
    return ERASER_ERROR;
}

VXERASE_API long eraserSetMethod(ERASER_HANDLE context, long setting) try {
    std::lock_guard<std::mutex> guard(g_lock);
    const auto found = g_contexts.find(context);
    if (found == g_contexts.end())
        return ERASER_ERROR_CONTEXT;
    found->second.method = uint32_t(setting);
    return ERASER_OK;
} catch (...) {
    return ERASER_ERROR;
}

VXERASE_API long eraserAddItemW(ERASER_HANDLE context, const wchar_t* item,
                                unsigned long length) try {
    if (!item || length == 0 || length > path::kMaxLength)
        return ERASER_ERROR_PARAM;
    return AddItem(context, std::wstring(item, length));
} catch (...) {
    return ERASER_ERROR;
}

// The job works on a copy of the context's items, so that the context may change or go while
// the job runs.
VXERASE_API long eraserStartSync(ERASER_HANDLE context) try {
    Context work;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        const auto found = g_contexts.find(context);
        if (found == g_contexts.end())
            return ERASER_ERROR_CONTEXT;
        work = found->second;
    }
    ChaChaRng rng = SeededRng();
    const EraseMethod method = work.method ? MethodFromSetting(work.method) : StoredMethod();
    const std::vector<Pass> passes = PassesFor(method, rng);
    Job job{passes, PassesForCompressed(passes), rng.Fork(), {}, g_cancel};
    std::vector<ItemFate> fates(work.items.size(), ItemFate::NotReached);
    if (work.dataType == ERASER_DATA_DRIVES) {
        for (size_t i = 0; i < work.items.size() && !g_cancel; ++i)
            fates[i] = !WipeFreeSpace(work.items[i], job) ? ItemFate::Stays
                       : g_cancel                         ? ItemFate::NotReached
                                                          : ItemFate::Gone;
    } else {
        fates = EraseFiles(work.items, job);
    }
    {
        std::lock_guard<std::mutex> guard(g_lock);
        const auto found = g_contexts.find(context);
        if (found != g_contexts.end())
            found->second.fates = std::move(fates);
    }
    return g_cancel ? ERASER_ERROR : ERASER_OK;
} catch (...) {
    return ERASER_ERROR;
}

VXERASE_API long eraserLeftItems(ERASER_HANDLE context) try {
    std::lock_guard<std::mutex> guard(g_lock);
    const auto found = g_contexts.find(context);
    if (found == g_contexts.end())
        return ERASER_ERROR_CONTEXT;
    const std::vector<ItemFate>& fates = found->second.fates;
    return long(std::count(fates.begin(), fates.end(), ItemFate::Stays));
} catch (...) {
    return ERASER_ERROR;
}

VXERASE_API long eraserItemState(ERASER_HANDLE context, unsigned long index) try {
    std::lock_guard<std::mutex> guard(g_lock);
    const auto found = g_contexts.find(context);
    if (found == g_contexts.end())
        return ERASER_ERROR_CONTEXT;
    const std::vector<ItemFate>& fates = found->second.fates;
    return index < fates.size() ? long(fates[index]) : ERASER_ERROR;
} catch (...) {
    return ERASER_ERROR;
}

VXERASE_API long eraserCancel() {
    g_cancel = true;
    return ERASER_OK;
}

VXERASE_API long eraserWrittenBytes(unsigned long long* bytes) {
    if (!bytes)
        return ERASER_ERROR_PARAM;
    *bytes = WrittenSoFar();
    return ERASER_OK;
}
