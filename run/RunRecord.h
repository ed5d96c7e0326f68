// The record of one shred run, from which its erasure report is written as JSON and as HTML:
// who ran it where and how, each step with what it removed and left, the volumes it touched and
// how it ended. Text is UTF-8. Needs no system header, so that the writers build natively too.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class RecordKind {
    File,         // place: the file's path; size: its length
    Folder,       // place: the folder's path
    Key,          // place: "HKEY_...\path\key", with everything below it
    Value,        // place: its key; name: the value's name; size: its data
    BlankedValue, // place: its key; name: the value's name, now an empty or harmless text
    ProfileEntry, // place: the settings file; name: "[section]" or "[section] key"
    CacheEntry,   // place: the address of a URL cache entry; size: its content
    HistoryStore, // place: the browser's history store, cleared as a whole
    RecycleBin,   // place: "Recycle Bin"; name: how many items; size: their length
    Clipboard,    // place: "Clipboard"
    FreeSpace,    // place: the drive root; size: the free space overwritten
    Rows,         // place: a database; name: how many rows of what it lost
};

struct RecordItem {
    RecordKind kind = RecordKind::File;
    std::string place;
    std::string name;
    uint64_t size = 0;
};

// Something the step meant to remove and that is still there, and why.
struct LeftItem {
    std::string place;
    std::string reason;
};

struct RecordStep {
    std::string title;
    // A step only shown (a user-defined item the run left as unsafe), or one a cancel kept from
    // starting, did not run.
    bool ran = false;
    std::vector<RecordItem> removed;
    std::vector<LeftItem> left;
    // Files and folders the user keeps, which the step met and left as they are.
    std::vector<std::string> kept;
    // Written by the erase component while the step ran, every pass counted.
    uint64_t bytesOverwritten = 0;
};

struct RecordVolume {
    std::string root;
    std::string fileSystem;
};

enum class RunEnd { Done, PartlyDone, Cancelled };

struct RunRecord {
    // Local time as "2026-12-09T05:30:12+01:00".
    std::string started;
    std::string ended;
    std::string machine;
    std::string user;
    std::string version;
    std::string methodName;
    unsigned passes = 0;
    // Whether the method reads its last pass back from the disk.
    bool readBack = false;
    std::vector<RecordStep> steps;
    std::vector<RecordVolume> volumes;
    // Lines that say why something stays (a browser that runs, a database left as it was).
    std::vector<std::string> notes;
    RunEnd end = RunEnd::Done;
};

// The counts of removed items of one step or of a whole run.
struct RecordTotals {
    uint64_t items = 0;
    uint64_t files = 0;
    uint64_t folders = 0;
    uint64_t keys = 0;
    uint64_t values = 0;
    uint64_t left = 0;
    uint64_t bytesOverwritten = 0;
};

RecordTotals TotalsOf(const RecordStep& step);
RecordTotals TotalsOf(const RunRecord& record);
