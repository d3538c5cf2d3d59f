#pragma once

#include <array>
#include <map>
#include <vector>

#include "core/DrawRecord.h"

// The exact chance law of the total main matches of rows of numbers scored
// against fair draws.  Entry x is the chance that the rows match x main
// numbers in all.

using MatchLaw = std::vector<double>;

// The law for one fair draw of seven main numbers from 1 … 37, with
// holding[n] the rows that hold number n: the total is the sum of
// holding[n] over the seven numbers drawn, so rows that share numbers are
// counted as they are, not as independent rows.
MatchLaw DrawMatchLaw(const std::array<int, kHighestNumber + 1>& holding);

// DrawMatchLaw remembered by how many numbers each count of rows holds (all
// the law depends on): the draws of a replay whose rows overlap alike share
// one law, worked out once.
class DrawMatchLaws {
  public:
    const MatchLaw& LawOf(const std::array<int, kHighestNumber + 1>& holding);

  private:
    std::map<std::vector<int>, MatchLaw> laws_;
};

// The law of the sum of two independent totals.
MatchLaw Convolve(const MatchLaw& a, const MatchLaw& b);

// The law of the sum of independent totals, `count` of each law given.
// Up to kDirectSupport possible totals it convolves directly (exact to
// rounding); beyond, through the discrete Fourier transform, which keeps
// every probability to about 1e-16 times the number of totals summed (each
// transformed law is raised to its count) and sets those below 1e-14 to 0
// (their p-values are far below anything the figures show).
inline constexpr std::size_t kDirectSupport = 2048;
MatchLaw SumOfLaws(const std::map<MatchLaw, int>& laws);

// Two-sided exact p-value of every total: the chance of a total no more
// likely than it (the sum of the probabilities not larger than its own,
// with a relative tolerance for ties computed along different paths).
// Totals the law cannot give get 0.
std::vector<double> TwoSidedExactPValues(const MatchLaw& law);

// The smallest p-value any total can give: at or above the 5 % level no
// outcome of the range could be called significant.
double SmallestExactPValue(const MatchLaw& law);
