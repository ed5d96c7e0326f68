#include "VxRun.h"

#include "EraserExtras.h"
#include "Recording.h"

namespace {
thread_local CVxRun* t_run = nullptr;
thread_local unsigned t_stays = 0;
} // namespace

CVxRun::CVxRun(unsigned long method) noexcept : m_method(method), m_outer(t_run) {
    t_run = this;
}

CVxRun::~CVxRun() {
    t_run = m_outer;
}

bool CVxRun::TakesMethod() noexcept {
    return Extras().setMethod != nullptr;
}

void CVxRun::Cancel() noexcept {
    if (Extras().cancel)
        Extras().cancel();
}

namespace removal {

void NoteLeft(unsigned long items) {
    t_stays += unsigned(items);
    if (t_run)
        t_run->Count(items);
}

void ReportKept() {
    ++t_stays;
}

unsigned StaysSoFar() {
    return t_stays;
}

unsigned long RunMethod() {
    return t_run ? t_run->Method() : 0;
}

} // namespace removal
