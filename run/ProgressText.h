// The line that shows a run's progress in bytes, in the dialog and on the console:
// "1.2 GB of 3.4 GB (35%), 45.6 MB/s, 0:48 left". The rate and the time left are shown once the
// meter knows them.
#pragma once

#include "RunMeter.h"

#include <string>

std::string ProgressText(const RunProgress& progress);
// "25 s", "4:05", "1:04:05".
std::string DurationText(double seconds);
