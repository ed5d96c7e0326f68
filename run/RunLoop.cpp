#include "RunLoop.h"

#include "VxRun.h"

void RunCancel::Cancel() noexcept {
    m_cancelled = true;
    CVxRun::Cancel();
}

RunOutcome RunShred(CVxMain& engine, const std::vector<RunStep>& steps, EraseMethod method,
                    const RunCancel& cancel, const std::function<void(size_t)>& started) {
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
    }
    engine.UnIniLib();
    outcome.left = run.Left();
    outcome.cancelled = cancel.Cancelled();
    return outcome;
}
