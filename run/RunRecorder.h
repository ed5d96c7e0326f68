// Keeps the record of a run as the engine tells it what each step removed and left.
#pragma once

#include "RunRecord.h"
#include "VxPreview.h"

class RunRecorder : public VxTraceSink {
public:
    explicit RunRecorder(RunRecord& record) : m_record(record) {}

    // Opens the step that the engine's next traces belong to; `ran` is false for a step only
    // shown.
    void BeginStep(const char* ansiTitle, bool ran);
    void EndStep(uint64_t bytesOverwritten);
    // A trace that finds no memory is lost.
    void Found(const VxTrace& trace) noexcept override;

private:
    RunRecord& m_record;
};
