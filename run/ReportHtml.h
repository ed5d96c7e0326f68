// The erasure report as a page a person reads or prints: one HTML file in UTF-8 with its style
// inside it, no script and nothing fetched from elsewhere. The items each step removed fold
// away, so that a printed report stays short; what a step left, and why, is always shown.
#pragma once

#include "RunRecord.h"

#include <string>

std::string ReportHtml(const RunRecord& record);
