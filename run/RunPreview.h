// What a shred run of a request would remove, found by running its steps under a preview of the
// engine: the same members, each removal reported instead of made.
#pragma once

#include "RunRequest.h"
#include "SizeText.h"
#include "VxPreview.h"

#include <string>
#include <vector>

// Places and names in UTF-8, as the system spells them.
struct PreviewItem {
    VxTraceKind kind;
    std::string place;
    std::string name;
    unsigned long long size;
};

// One step of the run: its progress line and what it would remove. A step that is only shown (a
// user-defined item the run skips) finds nothing.
struct PreviewStep {
    CString line;
    std::vector<PreviewItem> items;
    unsigned long long bytes = 0;
    // False when memory ran out while the step was recorded: its list is cut short.
    bool complete = true;
    // A user-defined item the run skips as unsafe.
    bool skipped = false;
    // Why something the step would remove stays, in UTF-8: a browser that runs, a database the
    // run would leave as it is.
    std::vector<std::string> notes = {};
};

struct RunPreview {
    std::vector<PreviewStep> steps;
    size_t items = 0;
    // Bytes of files, values and cache entries; the free space of drives is not counted.
    unsigned long long bytes = 0;
};

// `tryHeld` false leaves in the files another program holds, which the run would leave: enough to
// plan the run's bytes, and much faster.
RunPreview PreviewRun(const RunRequest& request, bool tryHeld = true);

// One line for an item, in UTF-8: what it is, where, and its size where it has one, such as
// "File C:\Temp\a.tmp (12 bytes)", "Value HKEY_CURRENT_USER\Software\Vx: Recent (8 bytes)" or
// "Rows of C:\...\places.sqlite: 12 history entries".
std::string DescribeItem(const PreviewItem& item);
// "1 item", "12 items".
std::string CountText(size_t items);
