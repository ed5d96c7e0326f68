#include "RunLoop.h"

#include "KeepStore.h"
#include "RunRecorder.h"
#include "VxRun.h"

#include <optional>

void RunCancel::Cancel() noexcept {
    m_cancelled = true;
    CVxRun::Cancel();
}

RunOutcome RunShred(CVxMain& engine, const std::vector<RunStep>& steps, EraseMethod method,
                    const RunCancel& cancel, const std::function<void(size_t)>& started,
                    const std::function<void(const std::string&)>& noted, RunRecord* record) {
    RunOutcome outcome;
    std::optional<RunRecorder> recorder;
    if (record)
        recorder.emplace(*record);
    CVxRun run(SettingForMethod(method), record ? &*recorder : nullptr);
    const StoredKeep stored = ReadKeepLists();
    CVxKeep keep;
    ApplyKeepLists(keep, stored.lists);
    for (const std::string& line : stored.skipped)
        run.AddNote(line.c_str());
    const auto takeNotes = [&] {
        while (outcome.notes.size() < run.NoteCount()) {
            outcome.notes.push_back(run.Note((unsigned long)outcome.notes.size()));
            if (noted)
                noted(outcome.notes.back());
        }
    };
    engine.IniLib();
    for (size_t i = 0; i < steps.size() && !cancel.Cancelled(); ++i) {
        started(i);
        if (recorder)
            recorder->BeginStep(steps[i].line, bool(steps[i].call));
        if (!steps[i].call) {
            ++outcome.skipped;
            continue;
        }
        const unsigned long long written = CVxRun::WrittenBytes();
        steps[i].call(engine);
        if (recorder)
            recorder->EndStep(CVxRun::WrittenBytes() - written);
        ++outcome.done;
        takeNotes();
    }
    takeNotes();
    engine.UnIniLib();
    outcome.left = run.Left();
    outcome.cancelled = cancel.Cancelled();
    return outcome;
}
