// A report of a run. While a CVxRunReport lives, the engine's members called on its thread count
// the items they meant to remove and could not: a file held open by another program, one whose
// overwrite or removal the system refused, a folder that stays although nothing in it was kept,
// a drive whose free space could not be written. Items a cancel kept from the run do not count.
#pragma once

#include "VxMain.h"

class VXCLEAN_API CVxRunReport {
public:
    CVxRunReport() noexcept;
    ~CVxRunReport();
    CVxRunReport(const CVxRunReport&) = delete;
    CVxRunReport& operator=(const CVxRunReport&) = delete;

    unsigned long Left() const { return m_left; }
    // Called by the engine on the report's thread.
    void Count(unsigned long items) { m_left += items; }

private:
    unsigned long m_left = 0;
    CVxRunReport* m_outer;
};
