#include "RunRecorder.h"

#include "FileSystem.h"

void RunRecorder::BeginStep(const char* ansiTitle, bool ran) {
    RecordStep step;
    step.title = fs::ToUtf8(fs::FromAnsi(ansiTitle));
    step.ran = ran;
    m_record.steps.push_back(std::move(step));
}

void RunRecorder::EndStep(uint64_t bytesOverwritten) {
    m_record.steps.back().bytesOverwritten = bytesOverwritten;
}

static_assert(int(RecordKind::File) == int(VxTraceKind::File) &&
                  int(RecordKind::FreeSpace) == int(VxTraceKind::FreeSpace) &&
                  int(RecordKind::Rows) == int(VxTraceKind::Rows),
              "the engine's kinds of removed traces are the record's, in the same order");

// A note is kept with the run's notes instead.
void RunRecorder::Found(const VxTrace& trace) noexcept {
    if (m_record.steps.empty() || trace.kind == VxTraceKind::Note)
        return;
    try {
        RecordStep& step = m_record.steps.back();
        if (trace.kind == VxTraceKind::Left)
            step.left.push_back({trace.place, trace.name});
        else if (trace.kind == VxTraceKind::Kept)
            step.kept.push_back(trace.place);
        else
            step.removed.push_back({RecordKind(trace.kind), trace.place, trace.name, trace.size});
    } catch (...) {
    }
}
