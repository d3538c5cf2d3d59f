#include "core/GlobalBas.h"

#include <limits>

namespace {

constexpr int kInt16Max = std::numeric_limits<std::int16_t>::max();

void CountDraw(GlobalBas& g, const DrawRecord& row) {
    for (int field = 0; field < kFieldCount; ++field) {
        const int n = row.numbers[field];
        if (n < kLowestNumber || n > kHighestNumber) continue;
        if (g.NumberCount[n] == kInt16Max) {
            throw UserError("第" + std::to_string(row.drawNumber) + "回を数えると、数字" +
                            std::to_string(n) + "の出現回数が32767を超えます。");
        }
        ++g.NumberCount[n];
    }
    g.LatestDrawNumber = row.drawNumber;
}

void ListCountClasses(GlobalBas& g) {
    g.MaxCount = 0;
    g.CountClassRowCount = 1;
    g.CountClassList.assign(1, std::string());
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        const int c = g.NumberCount[n];
        if (c > g.MaxCount) {
            g.MaxCount = static_cast<std::int16_t>(c);
            g.CountClassList.resize(static_cast<std::size_t>(c) + 1);
        }
        std::string& entry = g.CountClassList[c];
        if (entry.empty()) {
            entry = std::to_string(n);
            ++g.CountClassRowCount;
        } else {
            entry += ',' + std::to_string(n);
        }
    }
}

}  // namespace

void DeriveStatistics(GlobalBas& g) {
    g.NumberCount.fill(0);
    g.MaxCount = 0;
    g.CountClassList.clear();
    g.CountClassRowCount = 0;
    g.LatestDrawNumber = 0;
    if (g.Draws.Empty()) return;
    for (const DrawRecord& row : g.Draws.Rows()) {
        if (row.IsComplete()) CountDraw(g, row);
    }
    ListCountClasses(g);
}
