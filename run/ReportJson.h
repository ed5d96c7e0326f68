// The erasure report as one JSON object, for programs that keep or check it: the record whole,
// its text as UTF-8 and its counts and sizes as exact integers.
#pragma once

#include "RunRecord.h"

#include <string>

std::string ReportJson(const RunRecord& record);
