#include "RunPreview.h"

#include "KeepStore.h"
#include "RunPlan.h"

#include <cstdio>
#include <iterator>

namespace {

// Collects the traces of the running step; a lack of memory marks the step cut short.
class StepRecorder : public VxTraceSink {
public:
    void StartStep(PreviewStep& step) { m_step = &step; }

    void Found(const VxTrace& trace) noexcept override {
        try {
            if (trace.kind == VxTraceKind::Note || trace.kind == VxTraceKind::Kept) {
                m_step->notes.push_back(trace.kind == VxTraceKind::Kept
                                            ? std::string(trace.place) + " is on the keep list"
                                            : trace.place);
                return;
            }
            m_step->items.push_back({trace.kind, trace.place, trace.name, trace.size});
            if (trace.kind != VxTraceKind::FreeSpace)
                m_step->bytes += trace.size;
        } catch (...) {
            m_step->complete = false;
        }
    }

private:
    PreviewStep* m_step = nullptr;
};

const char* KindName(VxTraceKind kind) {
    switch (kind) {
    case VxTraceKind::File:
        return "File";
    case VxTraceKind::Folder:
        return "Folder";
    case VxTraceKind::Key:
        return "Key";
    case VxTraceKind::Value:
        return "Value";
    case VxTraceKind::BlankedValue:
        return "Emptied value";
    case VxTraceKind::ProfileEntry:
        return "Setting";
    case VxTraceKind::CacheEntry:
        return "Cache entry";
    case VxTraceKind::HistoryStore:
        return "History";
    case VxTraceKind::RecycleBin:
        return "Recycle Bin";
    case VxTraceKind::Clipboard:
        return "Clipboard";
    case VxTraceKind::FreeSpace:
        return "Free space";
    case VxTraceKind::Rows:
        return "Rows of";
    case VxTraceKind::Note:
        return "Note:";
    case VxTraceKind::Left:
        return "Left:";
    case VxTraceKind::Kept:
        return "Kept:";
    }
    return "";
}

} // namespace

// One recording over the whole run, so that what an earlier step removes is not counted again.
RunPreview PreviewRun(const RunRequest& request, bool tryHeld) {
    RunPreview preview;
    const std::vector<RunStep> steps = PlanRun(request);
    preview.steps.reserve(steps.size());
    CVxMain engine;
    StepRecorder recorder;
    const CVxPreview recording(recorder, tryHeld);
    CVxKeep keep;
    ApplyKeepLists(keep, ReadKeepLists().lists);
    for (const RunStep& step : steps) {
        preview.steps.push_back({step.line, {}, 0, true, !step.call});
        recorder.StartStep(preview.steps.back());
        if (step.call)
            step.call(engine);
        preview.items += preview.steps.back().items.size();
        preview.bytes += preview.steps.back().bytes;
    }
    return preview;
}

std::string DescribeItem(const PreviewItem& item) {
    const std::string kind = std::string(KindName(item.kind)) + " ";
    const std::string size = " (" + SizeText(item.size) + ")";
    switch (item.kind) {
    case VxTraceKind::Value:
        return kind + item.place + ": " + (item.name.empty() ? "(default)" : item.name) + size;
    case VxTraceKind::BlankedValue:
        return kind + item.place + ": " + (item.name.empty() ? "(default)" : item.name);
    case VxTraceKind::ProfileEntry:
        return kind + item.name + " in " + item.place;
    case VxTraceKind::RecycleBin:
        return kind + item.name + size;
    case VxTraceKind::Rows:
        return kind + item.place + ": " + item.name;
    case VxTraceKind::File:
    case VxTraceKind::CacheEntry:
    case VxTraceKind::FreeSpace:
        return kind + item.place + size;
    case VxTraceKind::Clipboard:
        return KindName(item.kind);
    default:
        return kind + item.place;
    }
}

std::string CountText(size_t items) {
    return std::to_string(items) + (items == 1 ? " item" : " items");
}
