#pragma once

#include <cstdint>

// A seeded source of fair Loto 7 draws for simulations: seven main numbers
// taken from 1 … 37 and two bonus numbers from the other 30, every set
// equally likely.  Sets are bits 1 … 37.  The same seed gives the same
// draws on every machine (xoshiro256** seeded through splitmix64).
class FairDraws {
  public:
    explicit FairDraws(std::uint64_t seed);

    std::uint64_t NextMainSet();
    // A whole draw: the main set, and the two bonus numbers in `bonus`.
    std::uint64_t NextDraw(std::uint64_t& bonus);
    std::uint64_t Next();

    // The seed of the stream numbered `index` of a simulation seeded with
    // `seed`: streams for separate blocks of work that give the same
    // figures whichever thread runs them.
    static std::uint64_t StreamSeed(std::uint64_t seed, int index);

  private:
    // Adds numbers uniform on 1 … 37 not yet in `set` until it holds `count` more.
    void AddNumbers(std::uint64_t& set, std::uint64_t excluded, int count);

    std::uint64_t s_[4];
};
