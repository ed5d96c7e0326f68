#include "ScheduledRun.h"

namespace {

const char* const kDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                              "Thursday", "Friday", "Saturday"};

std::string TwoDigits(int number) {
    return std::string(1, char('0' + number / 10)) + char('0' + number % 10);
}

} // namespace

std::string ScheduleText(const ScheduledRun& run) {
    const std::string time = " at " + TwoDigits(run.hour) + ":" + TwoDigits(run.minute);
    switch (run.kind) {
    case ScheduleKind::Daily:
        return "daily" + time;
    case ScheduleKind::Weekly:
        return "weekly on " + std::string(kDays[run.weekday]) + time;
    case ScheduleKind::Logon:
        break;
    }
    return "at logon";
}

// Quoted where a word is empty or holds a blank or a quote; backslashes are doubled only before
// a quote, as the runtime reads them.
std::string CommandLineOf(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& word : arguments) {
        if (!line.empty())
            line += ' ';
        if (!word.empty() && word.find_first_of(" \t\"") == std::string::npos) {
            line += word;
            continue;
        }
        line += '"';
        size_t backslashes = 0;
        for (const char c : word) {
            if (c == '\\') {
                ++backslashes;
                continue;
            }
            line.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
            backslashes = 0;
            line += c;
        }
        line.append(backslashes * 2, '\\');
        line += '"';
    }
    return line;
}
