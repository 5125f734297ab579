// The manual clock, ScopedClock, and GetTickCount/Sleep over whichever clock is installed.
#include "platform/clock.h"
#include "platform/windows.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(ManualClockTest, MovesOnlyWhenToldOrBySleeping) {
    ManualClock clock(100);
    EXPECT_EQ(clock.tick_count(), 100u);
    EXPECT_EQ(clock.tick_count(), 100u);
    clock.advance(25);
    EXPECT_EQ(clock.tick_count(), 125u);
    clock.sleep(10);
    EXPECT_EQ(clock.tick_count(), 135u);
    clock.sleep(0); // no yield step: a yield takes no time
    EXPECT_EQ(clock.tick_count(), 135u);
    clock.set_yield_step(3);
    clock.sleep(0);
    EXPECT_EQ(clock.tick_count(), 138u);
    EXPECT_EQ(clock.sleeps(), 3u);
}

TEST(ManualClockTest, AutoStepAdvancesAfterEachRead) {
    ManualClock clock(10);
    clock.set_auto_step(5);
    EXPECT_EQ(clock.tick_count(), 10u);
    EXPECT_EQ(clock.tick_count(), 15u);
}

TEST(ManualClockTest, WrapsLikeTheTickCount) {
    ManualClock clock(0xFFFFFFF0u);
    clock.advance(0x20);
    EXPECT_EQ(clock.tick_count(), 0x10u);
}

TEST(ScopedClockTest, RoutesTickCountAndSleepAndRestoresInOrder) {
    ManualClock outer(1000);
    ManualClock inner(5);
    {
        ScopedClock use_outer(outer);
        EXPECT_EQ(GetTickCount(), 1000u);
        {
            ScopedClock use_inner(inner);
            EXPECT_EQ(GetTickCount(), 5u);
            Sleep(60000); // a manual clock does not really wait
            EXPECT_EQ(GetTickCount(), 60005u);
        }
        EXPECT_EQ(GetTickCount(), 1000u);
        EXPECT_EQ(outer.sleeps(), 0u);
    }
    // Back on the real clock.
    ManualClock probe;
    Clock& previous = install_clock(probe);
    EXPECT_EQ(&previous, &system_clock());
    install_clock(previous);
}

TEST(SystemClockTest, NeverRunsBackwards) {
    std::uint32_t first = GetTickCount();
    Sleep(1);
    std::uint32_t second = GetTickCount();
    EXPECT_LT(second - first, 0x80000000u);
}

} // namespace
} // namespace platform
