// Prints a run's progress in bytes once a second on a thread of its own while it lives, and a
// last line when it ends.
#pragma once

#include "RunGauge.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

class ProgressTicker {
public:
    ProgressTicker(unsigned long long planned, std::function<void(const std::string&)> print);
    ~ProgressTicker();
    ProgressTicker(const ProgressTicker&) = delete;
    ProgressTicker& operator=(const ProgressTicker&) = delete;

private:
    void Loop();

    RunGauge m_gauge;
    std::function<void(const std::string&)> m_print;
    std::mutex m_lock;
    std::condition_variable m_stopped;
    bool m_stop = false;
    std::thread m_thread;
};
