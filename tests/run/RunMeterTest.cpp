// A run's progress against its plan: it never goes back or past the plan, and its rate and time
// left follow the last seconds of the run, not its whole.
#include "RunMeter.h"

#include <gtest/gtest.h>

namespace {
constexpr unsigned long long kMB = 1000000;
} // namespace

TEST(RunMeter, NeverGoesBackOrPastThePlan) {
    RunMeter meter(100 * kMB);
    EXPECT_EQ(meter.Sample(0, 0).Percent(), 0);
    EXPECT_EQ(meter.Sample(1, 60 * kMB).done, 60 * kMB);
    EXPECT_EQ(meter.Sample(2, 50 * kMB).done, 60 * kMB) << "a smaller reading keeps the mark";
    const RunProgress over = meter.Sample(3, 130 * kMB);
    EXPECT_EQ(over.done, 100 * kMB);
    EXPECT_EQ(over.Percent(), 100);
    EXPECT_EQ(over.secondsLeft.value_or(-1), 0);
    EXPECT_EQ(RunMeter(0).Sample(1, 5 * kMB).Percent(), 0) << "nothing planned";
}

TEST(RunMeter, RateAndTimeLeftFollowTheLastSecondsOfASlowedRun) {
    RunMeter meter(1000 * kMB);
    EXPECT_FALSE(meter.Sample(0, 0).secondsLeft) << "no rate before a second has passed";
    EXPECT_FALSE(meter.Sample(0.5, 50 * kMB).secondsLeft);
    RunProgress progress;
    double seconds = 0;
    for (; seconds < 5; seconds += 0.5)
        progress = meter.Sample(seconds, (unsigned long long)(seconds * 100 * kMB));
    EXPECT_NEAR(progress.rate, 100 * kMB, kMB);
    // The erase slows to a tenth: within the window the rate falls to it, and the time left is
    // what the rest takes at the slow rate.
    unsigned long long written = 500 * kMB;
    for (int tick = 0; tick < 20; ++tick, seconds += 0.5) {
        written += 5 * kMB;
        progress = meter.Sample(seconds, written);
    }
    EXPECT_NEAR(progress.rate, 10 * kMB, kMB);
    ASSERT_TRUE(progress.secondsLeft);
    EXPECT_NEAR(*progress.secondsLeft, double(1000 * kMB - written) / (10 * kMB), 5);
}
