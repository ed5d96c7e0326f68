// What the members tell a preview that records, or a report of the run, on their thread.
#pragma once

#include "VxPreview.h"

namespace removal {

bool Previewing();
// Reports a trace to this thread's preview, unless the trace, or a key or folder above it, was
// reported before: the run would find it gone.
void Report(VxTraceKind kind, const char* place, const char* name = "",
            unsigned long long size = 0);
// Counts an item the run finds but leaves in place (a file in use, a link), which keeps the
// folders above it.
void ReportKept();
unsigned KeptSoFar();
// Counts files a run could not erase.
void NoteLeft(unsigned long files);

} // namespace removal
