// A run of the engine's members on this thread. While a CVxRun lives, the members called on its
// thread erase with the run's method and count the items they meant to remove and could not: a
// file held open by another program, one whose overwrite or removal the system refused, a folder
// that stays although nothing in it was kept, a drive whose free space could not be written.
// Items a cancel kept from the run do not count. A run given a record tells it each trace it
// removed, as a preview reports them, and each item it left with the reason.
#pragma once

#include "VxPreview.h"

class VXCLEAN_API CVxRun {
public:
    // `method` is a value of the erase method as "Setting" stores it (0x81 to 0x90); 0 leaves
    // the erase component to apply the stored one.
    explicit CVxRun(unsigned long method = 0, VxTraceSink* record = nullptr) noexcept;
    ~CVxRun();
    CVxRun(const CVxRun&) = delete;
    CVxRun& operator=(const CVxRun&) = delete;

    unsigned long Left() const { return m_left; }
    unsigned long Method() const { return m_method; }
    VxTraceSink* Record() const { return m_record; }
    // The lines, in UTF-8, that say why something stays (a browser that runs, a database left as
    // it was), in the order they were noted.
    unsigned long NoteCount() const;
    const char* Note(unsigned long index) const;
    // Called by the engine on the run's thread.
    void Count(unsigned long items) { m_left += items; }
    void AddNote(const char* line) noexcept;

    // Whether the erase component takes a method for each job. One that does not applies the
    // stored "Setting" whatever the run's method.
    static bool TakesMethod() noexcept;
    // Asks the running erase job, and every job after it until the next IniLib, to stop at its
    // next buffer, where the erase component can be asked to. Safe from any thread.
    static void Cancel() noexcept;
    // The bytes the erase component has written over files and free space since it was loaded,
    // a count that only grows; 0 from a component that does not count. Safe from any thread.
    static unsigned long long WrittenBytes() noexcept;

private:
    unsigned long m_left = 0;
    unsigned long m_method;
    VxTraceSink* m_record;
    CVxRun* m_outer;
    struct Notes;
    Notes* m_notes;
};
