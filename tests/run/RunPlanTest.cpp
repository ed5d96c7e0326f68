// The steps of a shred run for user-defined items: one per pattern, and a shown but empty step
// for an item or a pattern that is not safe to run.
#include "RunPlan.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::vector<RunStep> PlanItems(std::initializer_list<CString> items) {
    RunRequest request;
    for (const CString& item : items)
        request.userItems.AddTail(item);
    return PlanRun(request);
}

} // namespace

TEST(RunPlan, AnItemRunsOncePerPatternUnderItsFolder) {
    const auto steps = PlanItems({"C:\\<*.tmp><SubFolder:No>", "D:\\W\\<*.a,*.b><SubFolder:Yes>"});
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_STREQ(steps[0].line, "< User Define >: C:\\*.tmp");
    EXPECT_STREQ(steps[2].line, "< User Define >: D:\\W\\*.b");
    for (const RunStep& step : steps)
        EXPECT_TRUE(step.call) << step.line;
}

TEST(RunPlan, AnItemOutsideAFullPathOrAPatternOutsideItsFolderIsShownAndSkipped) {
    const auto steps = PlanItems({"Temp\\<*.tmp><SubFolder:Yes>", "\\<*.*><SubFolder:Yes>",
                                  "C:\\W\\<..\\*.*,*.tmp,x:y><SubFolder:No>"});
    ASSERT_EQ(steps.size(), 5u);
    EXPECT_STREQ(steps[0].line,
                 "< User Define >: Temp\\<*.tmp><SubFolder:Yes> (skipped: the folder is not a full "
                 "path)");
    EXPECT_FALSE(steps[0].call);
    EXPECT_FALSE(steps[1].call);
    EXPECT_STREQ(steps[2].line,
                 "< User Define >: C:\\W\\..\\*.* (skipped: the file name reaches outside the "
                 "folder)");
    EXPECT_FALSE(steps[2].call);
    EXPECT_TRUE(steps[3].call);
    EXPECT_FALSE(steps[4].call);
}

TEST(RunPlan, ALongItemKeepsItsWholeProgressLine) {
    const std::string folder = "C:\\" + std::string(400, 'f');
    const auto steps = PlanItems({CString((folder + "\\<*.tmp><SubFolder:No>").c_str())});
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(std::string(steps[0].line), "< User Define >: " + folder + "\\*.tmp");
}
