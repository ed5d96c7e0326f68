#include "ProgressText.h"

#include "SizeText.h"

#include <cstdio>

std::string DurationText(double seconds) {
    const unsigned long long whole = seconds > 0 ? (unsigned long long)(seconds + 0.5) : 0;
    if (whole < 60)
        return std::to_string(whole) + " s";
    char text[32];
    if (whole < 3600)
        std::snprintf(text, sizeof text, "%llu:%02llu", whole / 60, whole % 60);
    else
        std::snprintf(text, sizeof text, "%llu:%02llu:%02llu", whole / 3600, whole / 60 % 60,
                      whole % 60);
    return text;
}

std::string ProgressText(const RunProgress& progress) {
    std::string text = SizeText(progress.done) + " of " + SizeText(progress.total) + " (" +
                       std::to_string(progress.Percent()) + "%)";
    if (progress.rate > 0)
        text += ", " + SizeText((unsigned long long)progress.rate) + "/s";
    if (progress.secondsLeft)
        text += ", " + DurationText(*progress.secondsLeft) + " left";
    return text;
}
