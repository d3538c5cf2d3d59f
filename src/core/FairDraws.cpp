#include "core/FairDraws.h"

#include <initializer_list>

namespace {

constexpr std::uint32_t kPool = 37;
constexpr std::uint32_t kBiasedBelow = static_cast<std::uint32_t>(0x100000000ull % kPool);

std::uint64_t SplitMix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

std::uint64_t Rotate(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

}  // namespace

FairDraws::FairDraws(std::uint64_t seed) {
    for (std::uint64_t& word : s_) word = SplitMix(seed);
}

std::uint64_t FairDraws::StreamSeed(std::uint64_t seed, int index) {
    std::uint64_t x = seed ^ (0x5851f42d4c957f2dull * static_cast<std::uint64_t>(index + 1));
    return SplitMix(x);
}

std::uint64_t FairDraws::Next() {
    const std::uint64_t result = Rotate(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = Rotate(s_[3], 45);
    return result;
}

void FairDraws::AddNumbers(std::uint64_t& set, std::uint64_t excluded, int count) {
    while (count > 0) {
        const std::uint64_t r = Next();
        // Two numbers a word, each uniform on 1 … 37 by Lemire's multiply,
        // rejecting the few low values that would bias it.
        for (const std::uint32_t half :
             {static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(r >> 32)}) {
            const std::uint64_t wide = static_cast<std::uint64_t>(half) * kPool;
            if (static_cast<std::uint32_t>(wide) < kBiasedBelow) continue;
            const std::uint64_t bit = std::uint64_t{1} << (1 + (wide >> 32));
            if (count > 0 && ((set | excluded) & bit) == 0) {
                set |= bit;
                --count;
            }
        }
    }
}

std::uint64_t FairDraws::NextMainSet() {
    std::uint64_t set = 0;
    AddNumbers(set, 0, 7);
    return set;
}

std::uint64_t FairDraws::NextDraw(std::uint64_t& bonus) {
    const std::uint64_t main = NextMainSet();
    bonus = 0;
    AddNumbers(bonus, main, 2);
    return main;
}
