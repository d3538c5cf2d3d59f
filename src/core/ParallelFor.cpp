#include "core/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

bool ParallelFor(int count, const std::function<void(int)>& body,
                 const std::function<bool()>& carryOn, int threads) {
    std::atomic<int> next{0};
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto run = [&](bool asks) {
        try {
            for (int i = next++; i < count && !stop; i = next++) {
                body(i);
                if (asks && carryOn && !carryOn()) stop = true;
            }
        } catch (...) {
            const std::lock_guard<std::mutex> hold(failureLock);
            if (!failure) failure = std::current_exception();
            stop = true;
        }
    };
    std::vector<std::thread> helpers;
    const int helperCount = std::min(threads, count) - 1;
    for (int t = 0; t < helperCount; ++t) helpers.emplace_back(run, false);
    run(true);
    for (std::thread& helper : helpers) helper.join();
    if (failure) std::rethrow_exception(failure);
    return !stop;
}
