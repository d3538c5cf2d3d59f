#include "wheel/WheelBounds.h"

#include <algorithm>

namespace {

std::uint64_t CeilDiv(std::uint64_t a, std::uint64_t b) { return (a + b - 1) / b; }

}  // namespace

std::uint64_t SchoenheimBound(int v, int k, int t) {
    if (t <= 0) return 1;
    std::uint64_t bound = 1;
    for (int i = t - 1; i >= 0; --i) {
        bound =
            CeilDiv(static_cast<std::uint64_t>(v - i) * bound, static_cast<std::uint64_t>(k - i));
    }
    return bound;
}

std::uint64_t CountingBound(int v, int k, int t, int m) {
    if (t <= 0) return 1;
    std::uint64_t perBlock = 0;
    for (int i = t; i <= std::min(k, m); ++i) perBlock += Choose(k, i) * Choose(v - k, m - i);
    return perBlock == 0 ? 0 : CeilDiv(Choose(v, m), perBlock);
}

WheelBound LowerBound(const WheelProblem& p) {
    const int v = p.PointCount();
    if (p.need <= 0) return {1, "自明（キー数字だけで保証されます）"};
    if (p.caseSize == p.need) {
        return {std::max<std::uint64_t>(SchoenheimBound(v, p.blockSize, p.need), 1),
                "Schönheimの下界"};
    }
    return {std::max<std::uint64_t>(CountingBound(v, p.blockSize, p.need, p.caseSize), 1),
            "数え上げの下界（場合の数÷1枚が保証する場合の数）"};
}
