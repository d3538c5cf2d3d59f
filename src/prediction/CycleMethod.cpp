#include "prediction/CycleMethod.h"

#include <charconv>

#include "core/DrawRecord.h"

namespace {

bool InTable(int position, int column) {
    return position >= 1 && position <= CycleTable::kPositions && column >= 0 &&
           column < CycleTable::kCycles;
}

bool HeldElsewhere(const CycleTable& table, int column, int position, const std::string& text) {
    for (int p = 1; p <= CycleTable::kPositions; ++p) {
        if (p != position && table.Entry(p, column) == text) return true;
    }
    return false;
}

}  // namespace

const std::string& CycleTable::Entry(int position, int column) const {
    static const std::string empty;
    return InTable(position, column) ? entries_[position][column] : empty;
}

void CycleTable::SetEntry(int position, int column, std::string text) {
    if (InTable(position, column)) entries_[position][column] = std::move(text);
}

void CycleTable::Clear() {
    for (auto& position : entries_) position.fill(std::string());
}

int CycleColumnOfGap(int gap) {
    for (int c = 0; c < CycleTable::kCycles; ++c) {
        if (CycleTable::kCycleGaps[c] == gap) return c;
    }
    return -1;
}

void RecordCycleHit(CycleTable& table, int gap, int position, const std::string& numberText) {
    const int column = CycleColumnOfGap(gap);
    if (column < 0 || position < 1 || position > CycleTable::kPositions) return;
    if (HeldElsewhere(table, column, position, numberText)) return;
    table.SetEntry(position, column, numberText);
}

std::vector<int> CycleRowNumbers(const CycleTable& table, int column) {
    std::vector<int> numbers;
    for (int position = 1; position <= kMainCount; ++position) {
        const std::string& text = table.Entry(position, column);
        int n = 0;
        if (std::from_chars(text.data(), text.data() + text.size(), n).ec == std::errc()) {
            numbers.push_back(n);
        }
    }
    return numbers;
}

void ShowCycleTable(const CycleTable& table, ResultGrid& grid) {
    for (int column = 0; column < CycleTable::kCycles; ++column) {
        for (int position = 1; position <= CycleTable::kPositions; ++position) {
            // Position 8 lands beyond the last grid column and is dropped.
            grid.WriteCell(position + 1, column + 2, table.Entry(position, column));
        }
    }
}
