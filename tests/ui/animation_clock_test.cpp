#include "ui/animation_clock.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace brivane::test {
namespace {

class TAnimationClockTest : public ::testing::Test {
protected:
    void TearDown() override { fClock.SetEnabled(false); }

    ui::TAnimationClock& fClock = ui::TAnimationClock::Instance();
    QObject fOwner;
};

TEST_F(TAnimationClockTest, OffEveryAnimationEndsAtOnceAndNoTimerRuns) {
    fClock.SetEnabled(false);
    double value = 0;
    int finished = 0;
    fClock.Animate(
        &fOwner, 1, 0, 10, 0.5, [&](double aValue) { value = aValue; }, [&] { ++finished; });
    EXPECT_EQ(value, 10);
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(fClock.TimerActive());
    EXPECT_FALSE(fClock.IsAnimating(&fOwner, 1));
}

TEST_F(TAnimationClockTest, OnTheValueRunsToItsEndAndTheTimerStopsWithTheLast) {
    fClock.SetEnabled(true);
    std::vector<double> values;
    int finished = 0;
    fClock.Animate(
        &fOwner, 1, 0, 1, 0.1, [&](double aValue) { values.push_back(aValue); },
        [&] { ++finished; });
    EXPECT_TRUE(fClock.TimerActive());
    ASSERT_TRUE(RunEventLoopUntil([&] { return finished == 1; }));
    EXPECT_EQ(values.front(), 0);
    EXPECT_EQ(values.back(), 1);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_FALSE(fClock.TimerActive());
}

TEST_F(TAnimationClockTest, ANewAnimationOfTheSameChannelReplacesTheRunningOne) {
    fClock.SetEnabled(true);
    int firstFinished = 0;
    double value = 0;
    fClock.Animate(
        &fOwner, 1, 0, 1, 10, [&](double aValue) { value = aValue; }, [&] { ++firstFinished; });
    fClock.Animate(&fOwner, 1, 5, 6, 0.05, [&](double aValue) { value = aValue; });
    EXPECT_EQ(fClock.RunningCount(), 1);
    ASSERT_TRUE(RunEventLoopUntil([&] { return !fClock.TimerActive(); }));
    EXPECT_EQ(value, 6);
    EXPECT_EQ(firstFinished, 0);
}

TEST_F(TAnimationClockTest, TurningAnimationsOffEndsTheRunningOnes) {
    fClock.SetEnabled(true);
    double value = 0;
    int finished = 0;
    fClock.Animate(
        &fOwner, 2, 0, 3, 10, [&](double aValue) { value = aValue; }, [&] { ++finished; });
    fClock.SetEnabled(false);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(fClock.TimerActive());
}

TEST_F(TAnimationClockTest, AnAnimationOfADestroyedOwnerEndsSilently) {
    fClock.SetEnabled(true);
    int calls = 0;
    {
        auto owner = std::make_unique<QObject>();
        fClock.Animate(owner.get(), 1, 0, 1, 10, [&](double) { ++calls; });
    }
    const int before = calls;
    ASSERT_TRUE(RunEventLoopUntil([&] { return !fClock.TimerActive(); }));
    EXPECT_EQ(calls, before);
}

} // namespace
} // namespace brivane::test
