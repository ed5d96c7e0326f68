#include "EraseJob.h"

#include "Handle.h"
#include "Recording.h"
#include "vxerase.h"

namespace {

// The erase component takes a path shorter than 260 characters, and overwrites the file only
// when it reads its attributes and can then hold it alone: a file another program holds open,
// or a longer path, stays.
bool WillBeErased(const CString& path) {
    if (path.GetLength() >= MAX_PATH)
        return false;
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) &&
           FileHandle(CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
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
        if (eraserAddItem(m_context, static_cast<const char*>(item), item.GetLength()) < 0)
            removal::NoteLeft(1);
        return;
    }
    if (m_dataType == ERASER_DATA_DRIVES)
        ReportFreeSpace(item);
    else if (WillBeErased(item))
        removal::Report(VxTraceKind::File, item, "", size);
    else
        removal::ReportKept();
}

void EraseJob::Start() {
    if (m_context == kPreview)
        return;
    eraserStartSync(m_context);
    const long left = eraserLeftItems(m_context);
    if (left > 0)
        removal::NoteLeft(left);
}
