#pragma once

#include <functional>

// The threads computation that splits itself over cores runs on: the
// calling thread and one helper, as many as this machine's two cores.
inline constexpr int kComputeThreads = 2;

// Runs body(i) for every i in [0, count) on `threads` threads, the calling
// thread among them, each thread taking the next index none has taken, so
// that a result depends on i alone, never on the thread that made it.
// After each index the calling thread ran, carryOn (when given) is asked on
// that thread whether to go on; false stops every thread before its next
// index.  Returns false when so stopped.  An exception thrown by body on any
// thread stops the others and is thrown again here once all have ended.
bool ParallelFor(int count, const std::function<void(int)>& body,
                 const std::function<bool()>& carryOn = {}, int threads = kComputeThreads);
