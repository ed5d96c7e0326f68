// A report of a run. While a CVxRunReport lives, the engine's members called on its thread count
// the files they could not erase: held open by another program, a path too long for the erase
// component, or an overwrite or removal the system refused. Files a cancel kept from the run do
// not count.
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
    void Count(unsigned long files) { m_left += files; }

private:
    unsigned long m_left = 0;
    CVxRunReport* m_outer;
};
