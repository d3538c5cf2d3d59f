#include "prediction/Elimination.h"

#include <charconv>

#include "core/DrawRecord.h"

namespace {
constexpr int kNumbersPerRow = 7;
}  // namespace

std::string WrapNumber(std::string_view text) {
    int n = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), n).ec != std::errc()) n = 0;
    if (n > kHighestNumber) {
        n -= kHighestNumber;
    } else if (n < kLowestNumber) {
        n += kHighestNumber;
    }
    return std::to_string(n);
}

bool IsNewCandidate(const CandidateList& candidates, int ruleIndex) {
    for (int i = 0; i < ruleIndex; ++i) {
        if (candidates[i] == candidates[ruleIndex]) return false;
    }
    return true;
}

void PlaceEliminationCandidate(ResultGrid& grid, CandidateList& candidates, int& c, int& r,
                               int ruleIndex, std::string_view candidateText) {
    candidates[ruleIndex] = WrapNumber(candidateText);
    if (!IsNewCandidate(candidates, ruleIndex)) return;
    grid.WriteCell(c + 2, r + 2, candidates[ruleIndex]);
    if (++c == kNumbersPerRow) {
        c = 0;
        ++r;
    }
}

void PredictByElimination(const DrawMatrix& matrix, int latest, int shift,
                          CandidateList& candidates, ResultGrid& grid) {
    int c = 0;
    int r = 0;
    for (int k = 0; k < static_cast<int>(kEliminationRules.size()); ++k) {
        const EliminationRule& rule = kEliminationRules[k];
        const int d = latest - rule.back - shift;
        const int candidate = matrix.At(d, rule.position) + rule.addend;
        PlaceEliminationCandidate(grid, candidates, c, r, k, std::to_string(candidate));
    }
}
