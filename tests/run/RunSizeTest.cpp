// The bytes a run plans from its preview are the bytes the erase component writes, for every
// method: over files shorter than a cluster, of whole clusters and of more than one buffer.
#include "RunSize.h"

#include "RunLoop.h"
#include "RunPreview.h"
#include "VxRun.h"
#include "common/Scratch.h"

#include <gtest/gtest.h>

namespace {

constexpr size_t kSizes[] = {0, 1, 100, 4095, 4096, 4097, 70000, (size_t(3) << 20) + 1};

RunRequest FolderRequest(const ScratchFolder& folder) {
    RunRequest request;
    request.userItems.AddTail((folder.Path() + "\\<*.bin><SubFolder:No>").c_str());
    return request;
}

} // namespace

TEST(RunSize, TheRunWritesWhatItsPreviewPlansForEveryMethod) {
    for (EraseMethod method :
         {EraseMethod::Gutmann, EraseMethod::Dod5200_28Std, EraseMethod::Dod5220_22M,
          EraseMethod::PseudoRandom, EraseMethod::Zeroes}) {
        ScratchFolder folder("runsize");
        for (size_t i = 0; i < std::size(kSizes); ++i)
            WriteText(folder / ("f" + std::to_string(i) + ".bin"), std::string(kSizes[i], 'x'));
        const RunRequest request = FolderRequest(folder);
        const unsigned long long planned = PlannedBytes(request, method);

        const unsigned long long before = CVxRun::WrittenBytes();
        CVxMain engine;
        RunCancel cancel;
        const RunOutcome outcome =
            RunShred(engine, PlanRun(request), method, cancel, [](size_t) {});
        EXPECT_EQ(outcome.left, 0u);
        EXPECT_EQ(CVxRun::WrittenBytes() - before, planned) << "method " << int(method);
        EXPECT_GT(planned, 3u << 20);
    }
}
