#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <thread>
#include <vector>

#include "core/ParallelFor.h"

namespace {

// A helper's index waits until `open`, so that the calling thread surely
// takes indices of its own however the threads are scheduled.
void WaitOnHelper(std::thread::id caller, const std::function<bool()>& open) {
    while (std::this_thread::get_id() != caller && !open()) std::this_thread::yield();
}

TEST(ParallelFor, EveryIndexRunsOnceWhateverThreadTakesIt) {
    std::vector<int> seen(1000, 0);
    std::atomic<int> callerAsked{0};
    const std::thread::id caller = std::this_thread::get_id();
    EXPECT_TRUE(ParallelFor(
        1000,
        [&](int i) {
            WaitOnHelper(caller, [&] { return callerAsked > 0; });
            seen[i] += i;
        },
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
    const std::thread::id caller = std::this_thread::get_id();
    std::atomic<int> ran{0};
    std::atomic<bool> stopped{false};
    EXPECT_FALSE(ParallelFor(
        100000,
        [&](int) {
            WaitOnHelper(caller, [&] { return stopped.load(); });
            ++ran;
        },
        [&] {
            stopped = ran >= 10;
            return !stopped;
        }));
    EXPECT_LT(ran.load(), 100000);
    // A failure on whichever thread stops the others and reaches the caller.
    std::atomic<int> after{0};
    EXPECT_THROW(ParallelFor(100000,
                             [&](int i) {
                                 if (i == 3) throw std::runtime_error("broken");
                                 // Slow enough that the failure is seen long before.
                                 if (i > 3)
                                     std::this_thread::sleep_for(std::chrono::microseconds(20));
                                 if (i > 50000) ++after;
                             }),
                 std::runtime_error);
    EXPECT_LT(after.load(), 49999);
}

}  // namespace
