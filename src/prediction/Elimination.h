#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ResultGrid.h"
#include "prediction/DrawMatrix.h"

// One elimination rule: take the main number at `position` (1–7) of the draw
// `back` draws before the latest one (moved further back by the reflection
// shift), add `addend` and fold the sum into 1 … 37.
struct EliminationRule {
    std::int8_t position;
    std::int8_t addend;
    std::int8_t back;
};

// Three groups of seven, one rule per position; the addend depends only on
// the position, the distance back differs per group.
inline constexpr std::array<EliminationRule, 21> kEliminationRules = {{
    {1, 22, 4}, {2, 16, 5}, {3, 17, 5}, {4, 24, 9},  {5, 32, 9},  {6, 1, 12}, {7, 12, 12},
    {1, 22, 5}, {2, 16, 6}, {3, 17, 6}, {4, 24, 10}, {5, 32, 13}, {6, 1, 16}, {7, 12, 16},
    {1, 22, 6}, {2, 16, 7}, {3, 17, 7}, {4, 24, 11}, {5, 32, 14}, {6, 1, 17}, {7, 12, 17},
}};

// The wrapped candidate of each rule, as text.
using CandidateList = std::array<std::string, kEliminationRules.size()>;

// Folds a number text once into 1 … 37: 38 and above lose 37, 0 and below
// gain 37.  A text that is not a number counts as 0.
std::string WrapNumber(std::string_view text);

// True when no earlier entry of the list equals entry ruleIndex.
bool IsNewCandidate(const CandidateList& candidates, int ruleIndex);

// Runs the 21 rules against the draws counted back from `latest`, `shift`
// draws further into the past, stores each rule's wrapped candidate in
// `candidates` and returns the distinct candidates in rule order.  A
// reference draw that is not stored (or lies below 1) reads 0, so its rule
// gives the addend.
std::vector<int> EliminationNumbers(const DrawMatrix& matrix, int latest, int shift,
                                    CandidateList& candidates);

// Writes the numbers of EliminationNumbers into rows 2–4, columns 2–8 of the
// elimination grid, seven a row.
void PredictByElimination(const DrawMatrix& matrix, int latest, int shift,
                          CandidateList& candidates, ResultGrid& grid);
