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
