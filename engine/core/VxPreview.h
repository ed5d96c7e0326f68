// A preview of a run. While a CVxPreview lives, the engine's members called on its thread remove
// and change nothing: each reports instead every trace it would remove or change, in the order
// the run would. A trace that a member called earlier in the same preview would already have
// removed is not reported again.
#pragma once

#include "VxMain.h"

enum class VxTraceKind {
    File,         // place: the file's full path; size: its length
    Folder,       // place: a folder the run removes once emptied
    Key,          // place: "HKEY_...\path\key", removed with everything below it
    Value,        // place: its key; name: the value's name; size: its data
    BlankedValue, // place: its key; name: the value's name, set to an empty or harmless text
    ProfileEntry, // place: the settings file; name: "[section]" or "[section] key"
    CacheEntry,   // place: the address of a URL cache entry; size: its content
    HistoryStore, // place: the browser's history store, cleared as a whole
    RecycleBin,   // place: "Recycle Bin"; name: the number of items; size: their length
    Clipboard,    // place: "Clipboard"
    FreeSpace,    // place: the drive root; size: the free space that is overwritten
    Rows,         // place: a database; name: how many rows of what it loses
    Note,         // place: why something the run would remove stays, such as a running browser
    Left,         // in a run's record only: place: what the run meant to remove and left; name: why
    Kept,         // place: a file or folder the user keeps, which the run leaves as it is
};

// Places and names are UTF-8: files and folders as the system spells them.
struct VxTrace {
    VxTraceKind kind;
    const char* place;
    const char* name;
    unsigned long long size;
};

// Receives the traces of a preview, or what a run removed and left, on the thread that runs
// them. Found must not throw.
class VxTraceSink {
public:
    virtual void Found(const VxTrace& trace) noexcept = 0;

protected:
    ~VxTraceSink() = default;
};

struct VxRecording;

class VXCLEAN_API CVxPreview {
public:
    // A preview shown to the user tries each file for whether another program holds it, and
    // leaves out those the run would leave; a plan of the run's bytes, `tryHeld` false, does
    // without: each try costs more than the rest of the walk.
    explicit CVxPreview(VxTraceSink& sink, bool tryHeld = true) noexcept;
    ~CVxPreview();
    CVxPreview(const CVxPreview&) = delete;
    CVxPreview& operator=(const CVxPreview&) = delete;

private:
    VxRecording* m_recording;
    VxRecording* m_outer;
};
