#pragma once

// Marks a function whose inner loop counts bits: it is built twice, once for
// processors with the popcnt instruction and once without, and the loader
// picks the one this processor runs (the plain build would call a library
// routine for every count).  Sanitizer builds keep one plain version.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_UNDEFINED__) || !defined(__x86_64__)
#define LOTO7_POPCOUNT_CLONES
#else
#define LOTO7_POPCOUNT_CLONES [[gnu::target_clones("popcnt", "default")]]
#endif
