// What the user keeps whatever a run takes. While a CVxKeep lives, the engine's members called on
// its thread, in a run or a preview, leave every kept place (a file, or a folder with everything
// below it) and the cookies of every kept site. A place is matched as the system resolves it:
// given by a short name, in another case, in the extended form or through a junction, it is the
// same place.
#pragma once

#include "VxMain.h"

// Receives the sites whose cookies are present now, each once, in lower case.
class VxSiteSink {
public:
    virtual void Site(const char* host) noexcept = 0;

protected:
    ~VxSiteSink() = default;
};

// The sites whose cookies the user's browsers hold now: Internet Explorer's cookie entries and
// cookie files, and the cookie databases of every profile of Chrome, Edge and Firefox, read
// without a change.
VXCLEAN_API void VxCookieSites(VxSiteSink& sink) noexcept;

class VXCLEAN_API CVxKeep {
public:
    CVxKeep() noexcept;
    ~CVxKeep();
    CVxKeep(const CVxKeep&) = delete;
    CVxKeep& operator=(const CVxKeep&) = delete;

    // A full path in UTF-8. A place that finds no memory is not kept; false then.
    bool KeepPlace(const char* place) noexcept;
    // A host name in lower case, as the program's keep list holds it.
    bool KeepSite(const char* site) noexcept;

    // The lists as the engine looks them up.
    struct Kept;

private:
    Kept* m_kept;
    Kept* m_outer;
};
