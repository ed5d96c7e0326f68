// A scheduled shred: when the Task Scheduler starts nvc and with which arguments. Needs no system
// header, so that it is also built and tested natively.
#pragma once

#include <string>
#include <vector>

enum class ScheduleKind { Daily, Weekly, Logon };

struct ScheduledRun {
    ScheduleKind kind = ScheduleKind::Daily;
    // The time of day of a daily or weekly run.
    int hour = 12;
    int minute = 0;
    // The day of a weekly run, 0 for Sunday to 6 for Saturday.
    int weekday = 1;
    // nvc's arguments after "shred", as the program's text.
    std::vector<std::string> arguments;
};

// "daily at 12:00", "weekly on Monday at 21:30", "at logon".
std::string ScheduleText(const ScheduledRun& run);

// The arguments as one command line that the C runtime splits back into the same words.
std::string CommandLineOf(const std::vector<std::string>& arguments);
