#pragma once

class QThreadPool;

// The threads the windows' long work runs on (back-test, randomness test,
// wheel search, filter counts): a pool of the program's own.  Qt paints
// large fills on its global pool and waits for them there, so work that
// held the global pool's threads would stall every paint until it ended:
// the whole window would freeze during a run on a one-core machine, or with
// two runs on two cores.
QThreadPool& WorkerPool();
