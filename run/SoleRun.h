// One shred run at a time in the user's session, whichever front end starts it: the program's
// progress dialog and nvc, started by hand or by the Task Scheduler, each hold the run's mutex
// for the length of their run.
#pragma once

#include "Handle.h"

class SoleRun {
public:
    SoleRun();
    // False when another run held the mutex first: this one must not start.
    bool Alone() const { return m_alone; }

private:
    KernelHandle m_mutex;
    bool m_alone = false;
};
