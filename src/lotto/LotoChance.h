#pragma once

#include <cstdint>

// What chance alone gives a row of predicted numbers.  A Loto 7 draw takes
// seven main numbers from 1 … 37 and then two bonus numbers from the other
// 30, every set equally likely and independent of any earlier draw, so the
// matches of k distinct numbers follow the hypergeometric distribution.

// C(n, k) exactly, for 0 ≤ n ≤ 60; 0 when k < 0 or k > n.
std::uint64_t Binomial(int n, int k);

// The chance that exactly `matches` of `picks` distinct numbers are main
// numbers: C(7, m) · C(30, k − m) / C(37, k).
long double MainMatchProbability(int picks, int matches);

// The chance of `mainMatches` main and `bonusMatches` bonus matches: given m
// main matches, the other k − m numbers lie among the 30 the bonus numbers
// are drawn from, so the bonus part is C(k − m, b) · C(30 − k + m, 2 − b) / C(30, 2).
long double MatchProbability(int picks, int mainMatches, int bonusMatches);

// The mean number of main matches of `picks` numbers: 7k / 37.
long double ExpectedMainMatches(int picks);

// The chance that a ticket of seven numbers wins prize tier 1 … 6, summed
// over the match counts PrizeTier gives that tier.
long double TierProbability(int tier);

// The variance of the total main matches of rows scored against one draw.
// `count` numbers are picked in all and `countSquares` is the sum, over the
// numbers 1 … 37, of the square of how many rows hold that number.  With p =
// 7/37 each number is a main number with variance p(1 − p), and two numbers
// both are with chance 7·6/(37·36), so they covary by 7·6/(37·36) − p².  For
// one row of k numbers this is the hypergeometric k·p·(1 − p)·(37 − k)/36.
long double MainMatchTotalVariance(long long count, long long countSquares);

// P(|Z| ≥ |z|) for a standard normal Z.
double TwoSidedPValue(double z);
