#include "VxRunReport.h"

#include "Recording.h"

namespace {
thread_local CVxRunReport* t_report = nullptr;
} // namespace

CVxRunReport::CVxRunReport() noexcept : m_outer(t_report) {
    t_report = this;
}

CVxRunReport::~CVxRunReport() {
    t_report = m_outer;
}

namespace removal {

void NoteLeft(unsigned long files) {
    if (t_report)
        t_report->Count(files);
}

} // namespace removal
