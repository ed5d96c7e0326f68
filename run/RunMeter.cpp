#include "RunMeter.h"

#include <algorithm>

int RunProgress::Percent() const {
    if (total == 0)
        return 0;
    return int(std::min<unsigned long long>(100, done * 100 / total));
}

RunProgress RunMeter::Sample(double seconds, unsigned long long written) {
    // A run writes more than planned where a pass read back wrong is written again, or a file
    // kept compressed takes a pass of its own: progress then stays at the planned total.
    m_done = std::max(m_done, std::min(written, m_total));
    if (m_readings.empty() || seconds > m_readings.back().seconds)
        m_readings.push_back(
            {seconds, std::max(written, m_readings.empty() ? 0 : m_readings.back().written)});
    while (m_readings.size() > 2 && seconds - m_readings[1].seconds >= kRateSeconds)
        m_readings.pop_front();

    RunProgress progress;
    progress.done = m_done;
    progress.total = m_total;
    const Reading& first = m_readings.front();
    const Reading& last = m_readings.back();
    if (last.seconds - first.seconds >= 1) {
        progress.rate = double(last.written - first.written) / (last.seconds - first.seconds);
        if (progress.rate > 0)
            progress.secondsLeft = double(m_total - m_done) / progress.rate;
    }
    return progress;
}
