#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include "core/ParallelFor.h"

namespace {

TEST(ParallelFor, EveryIndexRunsOnceWhateverThreadTakesIt) {
    std::vector<int> seen(1000, 0);
    std::atomic<int> callerAsked{0};
    const std::thread::id caller = std::this_thread::get_id();
    EXPECT_TRUE(ParallelFor(
        1000, [&](int i) { seen[i] += i; },
        [&] {
            EXPECT_EQ(std::this_thread::get_id(), caller);  // asked on the calling thread only
            ++callerAsked;
            return true;
        }));
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(seen[i], i);
    EXPECT_GT(callerAsked.load(), 0);
    EXPECT_TRUE(ParallelFor(0, [](int) { FAIL(); }));
}

TEST(ParallelFor, AStopEndsEveryThreadAndAFailureIsThrownOnTheCaller) {
    std::atomic<int> ran{0};
    EXPECT_FALSE(ParallelFor(
        100000, [&](int) { ++ran; }, [&] { return ran < 10; }));
    EXPECT_LT(ran.load(), 100000);
    // A failure on whichever thread stops the others and reaches the caller.
    std::atomic<int> after{0};
    EXPECT_THROW(ParallelFor(100000,
                             [&](int i) {
                                 if (i == 3) throw std::runtime_error("broken");
                                 if (i > 50000) ++after;
                             }),
                 std::runtime_error);
    EXPECT_LT(after.load(), 49999);
}

}  // namespace
