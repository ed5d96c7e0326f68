#include "RunLoop.h"

#include "VxRun.h"

void RunCancel::Cancel() noexcept {
    m_cancelled = true;
    CVxRun::Cancel();
}

RunOutcome RunShred(CVxMain& engine, const std::vector<RunStep>& steps, EraseMethod method,
                    const RunCancel& cancel, const std::function<void(size_t)>& started,
                    const std::function<void(const std::string&)>& noted) {
    RunOutcome outcome;
    const CVxRun run(SettingForMethod(method));
    engine.IniLib();
    for (size_t i = 0; i < steps.size() && !cancel.Cancelled(); ++i) {
        started(i);
        if (!steps[i].call) {
            ++outcome.skipped;
            continue;
        }
        steps[i].call(engine);
        ++outcome.done;
        while (outcome.notes.size() < run.NoteCount()) {
            outcome.notes.push_back(run.Note((unsigned long)outcome.notes.size()));
            if (noted)
                noted(outcome.notes.back());
        }
    }
    engine.UnIniLib();
    outcome.left = run.Left();
    outcome.cancelled = cancel.Cancelled();
    return outcome;
}
