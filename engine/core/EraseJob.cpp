#include "EraseJob.h"

#include "Handle.h"
#include "Removal.h"
#include "vxerase.h"

namespace {

// The erase component overwrites a file only when it can hold it alone; one that another
// program holds open stays.
bool CanBeHeldAlone(const char* path) {
    return bool(FileHandle(CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_OPEN_REPARSE_POINT, nullptr)));
}

void ReportFreeSpace(const char* root) {
    ULARGE_INTEGER free = {};
    if (GetDiskFreeSpaceExA(root, &free, nullptr, nullptr))
        removal::Report(VxTraceKind::FreeSpace, root, "", free.QuadPart);
}

} // namespace

EraseJob::EraseJob(long dataType) : m_dataType(dataType) {
    if (removal::Previewing()) {
        m_context = kPreview;
        return;
    }
    ERASER_HANDLE context = kNoContext;
    if (eraserIsValidContext(context) < 0 && eraserCreateContext(&context) < 0)
        return;
    m_context = context;
    eraserClearItems(m_context);
    eraserSetDataType(m_context, dataType);
}

EraseJob::~EraseJob() {
    if (IsOpen() && m_context != kPreview)
        eraserDestroyContext(m_context);
}

void EraseJob::Add(const CString& item, unsigned long long size) {
    if (m_context != kPreview) {
        eraserAddItem(m_context, static_cast<const char*>(item), item.GetLength());
        return;
    }
    if (m_dataType == ERASER_DATA_DRIVES)
        ReportFreeSpace(item);
    else if (CanBeHeldAlone(item))
        removal::Report(VxTraceKind::File, item, "", size);
    else
        removal::ReportKept();
}

void EraseJob::Start() {
    if (m_context != kPreview)
        eraserStartSync(m_context);
}
