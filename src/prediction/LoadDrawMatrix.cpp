#include "prediction/LoadDrawMatrix.h"

namespace {

constexpr std::size_t kListedDraws = 5;

// The gap in draw numbers back to the latest earlier draw (1 or more) that
// has n among its main numbers, or 0 when there is none.  Only lottery
// numbers are searched: 0 marks the rows of draws that are not stored.
int GapToLastMainAppearance(const DrawMatrix& matrix, int drawNumber, int n) {
    if (n < kLowestNumber || n > kHighestNumber) return 0;
    for (int i = drawNumber - 1; i >= 1; --i) {
        if (matrix.HasMainNumber(i, n)) return drawNumber - i;
    }
    return 0;
}

void RecordCycleHits(const DrawMatrix& matrix, const DrawRecord& draw, CycleTable& cycles) {
    for (int slot = 1; slot <= DrawMatrix::kSlotCount; ++slot) {
        const int n = draw.numbers[slot - 1];
        const int gap = GapToLastMainAppearance(matrix, draw.drawNumber, n);
        if (gap > 0) RecordCycleHit(cycles, gap, slot, std::to_string(n));
    }
}

}  // namespace

bool LoadDraw(const DrawRecord& draw, DrawMatrix& matrix, CycleTable& cycles) {
    if (!matrix.Store(draw)) return false;
    RecordCycleHits(matrix, draw, cycles);
    return true;
}

DrawMatrixLoad LoadDrawMatrix(const DrawStore& draws, DrawMatrix& matrix, CycleTable& cycles) {
    DrawMatrixLoad load;
    for (const DrawRecord& draw : draws.Rows()) {
        if (!draw.IsComplete()) continue;
        if (!LoadDraw(draw, matrix, cycles)) {
            load.unheldDraws.push_back(draw.drawNumber);
            continue;
        }
        load.latestDrawNumber = draw.drawNumber;
    }
    return load;
}

std::string UnheldDrawsMessage(const std::vector<std::int16_t>& unheldDraws) {
    if (unheldDraws.empty()) return {};
    std::string listed;
    for (std::size_t i = 0; i < unheldDraws.size() && i < kListedDraws; ++i) {
        if (i > 0) listed += "、";
        listed += "第" + std::to_string(unheldDraws[i]) + "回";
    }
    if (unheldDraws.size() > kListedDraws) {
        listed += "ほか" + std::to_string(unheldDraws.size() - kListedDraws) + "回分";
    }
    return listed + "の当選データは回数が" + std::to_string(DrawMatrix::kFirstDrawNumber) + "～" +
           std::to_string(DrawMatrix::kLastDrawNumber) +
           "の範囲外のため、予想に使えません。\nそれ以外の当選データから予想しました。";
}
