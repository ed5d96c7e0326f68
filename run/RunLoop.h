// The one loop of a shred run, which the progress dialog and the console program both drive. The
// steps run in order on the calling thread, each announced before it starts, none after a
// cancel; the erase method travels with the run down to each erase job, and nothing is stored.
// The stored keep lists hold for the whole run; an entry that is no site or place is a note.
#pragma once

#include "RunPlan.h"
#include "RunRecord.h"
#include "StoredSettings.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

struct RunOutcome {
    // Steps that ran, and steps only shown (a user-defined item the run leaves as unsafe).
    size_t done = 0;
    size_t skipped = 0;
    // Items the run meant to remove and could not, and the lines, in UTF-8, that say why some
    // stayed (a browser that runs, a database left as it was).
    unsigned long left = 0;
    std::vector<std::string> notes;
    bool cancelled = false;
};

class RunCancel {
public:
    // No further step starts, and the running erase job stops at its next buffer. Safe from any
    // thread.
    void Cancel() noexcept;
    bool Cancelled() const noexcept { return m_cancelled; }

private:
    std::atomic<bool> m_cancelled{false};
};

// `started` is told the index of each step before it starts, a skipped step's too; `noted`, when
// given, each line of the notes as the step that made it ends. `record`, when given, gets each
// step that started with what it removed and left and the bytes written while it ran.
RunOutcome RunShred(CVxMain& engine, const std::vector<RunStep>& steps, EraseMethod method,
                    const RunCancel& cancel, const std::function<void(size_t)>& started,
                    const std::function<void(const std::string&)>& noted = {},
                    RunRecord* record = nullptr);
