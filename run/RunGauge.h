// A run's meter fed with the erase component's count of bytes written since the gauge was made,
// and the time since then. Read from one thread at a time.
#pragma once

#include "RunMeter.h"

#include <chrono>

class RunGauge {
public:
    explicit RunGauge(unsigned long long planned);

    RunProgress Read();

private:
    RunMeter m_meter;
    unsigned long long m_baseline;
    std::chrono::steady_clock::time_point m_start;
};
