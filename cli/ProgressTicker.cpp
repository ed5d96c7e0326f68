#include "ProgressTicker.h"

#include "ProgressText.h"

ProgressTicker::ProgressTicker(unsigned long long planned,
                               std::function<void(const std::string&)> print)
    : m_gauge(planned), m_print(std::move(print)), m_thread([this] { Loop(); }) {}

ProgressTicker::~ProgressTicker() {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stop = true;
    }
    m_stopped.notify_all();
    m_thread.join();
    m_print(ProgressText(m_gauge.Read()));
}

void ProgressTicker::Loop() {
    std::unique_lock<std::mutex> lock(m_lock);
    while (!m_stopped.wait_for(lock, std::chrono::seconds(1), [this] { return m_stop; }))
        m_print(ProgressText(m_gauge.Read()));
}
