#include "EraseJob.h"

#include "vxerase.h"

EraseJob::EraseJob(long dataType) {
    ERASER_HANDLE context = kNoContext;
    if (eraserIsValidContext(context) < 0 && eraserCreateContext(&context) < 0)
        return;
    m_context = context;
    eraserClearItems(m_context);
    eraserSetDataType(m_context, dataType);
}

EraseJob::~EraseJob() {
    if (IsOpen())
        eraserDestroyContext(m_context);
}

void EraseJob::Add(const CString& item) {
    eraserAddItem(m_context, static_cast<const char*>(item), item.GetLength());
}

void EraseJob::Start() {
    eraserStartSync(m_context);
}
