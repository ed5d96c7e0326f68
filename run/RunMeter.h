// How far a run has come in bytes written against the bytes it planned, with its rate and the
// time left. Readings come from the one thread that shows them (the dialog's timer, the console
// program's ticker); the meter keeps only the last seconds of them.
#pragma once

#include <deque>
#include <optional>

struct RunProgress {
    // Never more than `total`, and never less than at the reading before.
    unsigned long long done = 0;
    unsigned long long total = 0;
    // Bytes a second over the last seconds; 0 until two readings are that far apart.
    double rate = 0;
    // From that rate; none while it is unknown.
    std::optional<double> secondsLeft;

    // 0 to 100; 100 only once everything planned is written.
    int Percent() const;
};

class RunMeter {
public:
    // The window over which the rate is taken: long enough to even out a flush, short enough to
    // follow a run that turns from small files to a large one.
    static constexpr double kRateSeconds = 5;

    explicit RunMeter(unsigned long long planned) : m_total(planned) {}

    // A reading of `written` bytes since the run began, taken `seconds` after it began.
    RunProgress Sample(double seconds, unsigned long long written);

private:
    struct Reading {
        double seconds;
        unsigned long long written;
    };

    unsigned long long m_total;
    unsigned long long m_done = 0;
    std::deque<Reading> m_readings;
};
