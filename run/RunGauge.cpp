#include "RunGauge.h"

#include "VxRun.h"

RunGauge::RunGauge(unsigned long long planned)
    : m_meter(planned), m_baseline(CVxRun::WrittenBytes()),
      m_start(std::chrono::steady_clock::now()) {}

RunProgress RunGauge::Read() {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - m_start;
    return m_meter.Sample(elapsed.count(), CVxRun::WrittenBytes() - m_baseline);
}
