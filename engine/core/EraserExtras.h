// The calls of the erase component beyond the eight the engine is built on. They are looked up
// by name, so that the engine loads and runs beside a component that has only those eight and
// does without what the others give: wide paths, a method for each job, releasing a context
// before eraserEnd, the count of items that stay and what became of each, a cancel, and the count
// of bytes written.
#pragma once

#include "vxerase.h"

struct EraserExtras {
    long (*addItemW)(ERASER_HANDLE context, const wchar_t* item, unsigned long length);
    long (*setMethod)(ERASER_HANDLE context, long setting);
    long (*destroyContext)(ERASER_HANDLE context);
    long (*leftItems)(ERASER_HANDLE context);
    long (*itemState)(ERASER_HANDLE context, unsigned long index);
    long (*cancel)();
    long (*writtenBytes)(unsigned long long* bytes);
};

// Those of the loaded component; a missing call is null.
const EraserExtras& Extras();
