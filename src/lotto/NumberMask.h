#pragma once

#include <bit>
#include <cstdint>
#include <vector>

// A set of numbers from 1 to 37 as bits: number n is bit n, so a match
// between two sets is a popcount of their intersection.
using NumberMask = std::uint64_t;

inline constexpr NumberMask Bit(int number) { return NumberMask{1} << number; }

// The numbers of a set, ascending.
inline std::vector<int> NumbersOf(NumberMask mask) {
    std::vector<int> numbers;
    for (; mask != 0; mask &= mask - 1) numbers.push_back(std::countr_zero(mask));
    return numbers;
}

// True when the ascending numbers of `a` come before those of `b` as lists
// (the order NumbersOf(a) < NumbersOf(b)), without making the lists: below
// their lowest differing number both lists agree; the set holding that
// number comes first unless the other set has nothing above it.
inline bool NumbersBefore(NumberMask a, NumberMask b) {
    if (a == b) return false;
    const int d = std::countr_zero(a ^ b);
    const NumberMask above = ~((NumberMask{2} << d) - 1);
    return (a >> d & 1) != 0 ? (b & above) != 0 : (a & above) == 0;
}
