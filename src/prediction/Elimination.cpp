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

std::vector<int> EliminationNumbers(const DrawMatrix& matrix, int latest, int shift,
                                    CandidateList& candidates) {
    std::vector<int> numbers;
    for (int k = 0; k < static_cast<int>(kEliminationRules.size()); ++k) {
        const EliminationRule& rule = kEliminationRules[k];
        const int d = latest - rule.back - shift;
        const int candidate = matrix.At(d, rule.position) + rule.addend;
        candidates[k] = WrapNumber(std::to_string(candidate));
        if (IsNewCandidate(candidates, k)) numbers.push_back(std::stoi(candidates[k]));
    }
    return numbers;
}

void PredictByElimination(const DrawMatrix& matrix, int latest, int shift,
                          CandidateList& candidates, ResultGrid& grid) {
    const std::vector<int> numbers = EliminationNumbers(matrix, latest, shift, candidates);
    for (int i = 0; i < static_cast<int>(numbers.size()); ++i) {
        grid.WriteCell(i % kNumbersPerRow + 2, i / kNumbersPerRow + 2, numbers[i]);
    }
}
