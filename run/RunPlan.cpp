#include "RunPlan.h"

#include "CatalogueMembers.h"
#include "UserItem.h"
#include "UserItemParser.h"

namespace {

// A user-defined item that is not safe to run is shown with the reason and left alone.
constexpr char kNotFullPath[] = " (skipped: the folder is not a full path)";
constexpr char kOutsideFolder[] = " (skipped: the file name reaches outside the folder)";

CString ProgressLine(const char* category, const char* entry) {
    CString line;
    line.Format("< %s >: %s", category, entry);
    return line;
}

} // namespace

std::vector<RunStep> PlanRun(const RunRequest& request) {
    std::vector<RunStep> steps;
    for (int i = 0; i < request.driveRoots.GetCount(); ++i) {
        const CString root = request.driveRoots.GetAt(i);
        steps.push_back({ProgressLine("Unused Space", request.driveNames.GetAt(i)),
                         [root](CVxMain& engine) { engine.ShredUnSpace(root); }});
    }
    const CatalogueEntry* const* order = RunOrder();
    for (int i = 0; i < kCatalogueSize; ++i) {
        const CatalogueEntry& entry = *order[i];
        if (!request.selection.test(size_t(entry.bit)))
            continue;
        const EngineMember member = MemberOf(entry);
        steps.push_back({ProgressLine(CategoryName(entry.category), entry.name),
                         [member](CVxMain& engine) { (engine.*member)(); }});
    }
    for (const CString& item : request.userItems) {
        UserItemRun run;
        if (!ParseUserItem(item, run))
            continue;
        if (CheckFolder(run.folder) != FolderCheck::FullPath) {
            steps.push_back({ProgressLine("User Define", item + kNotFullPath), {}});
            continue;
        }
        for (const CString& pattern : run.patterns) {
            const CString target = run.folder + "\\" + pattern;
            if (!IsPatternInsideFolder(pattern))
                steps.push_back({ProgressLine("User Define", target + kOutsideFolder), {}});
            else
                steps.push_back(
                    {ProgressLine("User Define", target), [run, pattern](CVxMain& engine) {
                         engine.ShredFiles(run.folder, pattern, run.subfolders);
                     }});
        }
    }
    return steps;
}
