#include "VxRunReport.h"

#include "Recording.h"

namespace {
thread_local CVxRunReport* t_report = nullptr;
thread_local unsigned t_stays = 0;
} // namespace

CVxRunReport::CVxRunReport() noexcept : m_outer(t_report) {
    t_report = this;
}

CVxRunReport::~CVxRunReport() {
    t_report = m_outer;
}

namespace removal {

void NoteLeft(unsigned long items) {
    t_stays += unsigned(items);
    if (t_report)
        t_report->Count(items);
}

void ReportKept() {
    ++t_stays;
}

unsigned StaysSoFar() {
    return t_stays;
}

} // namespace removal
