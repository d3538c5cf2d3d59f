#include "wheel/WheelDesign.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <set>

#include "core/Errors.h"

namespace {

constexpr int kLowest = 1;
constexpr int kHighest = 37;

}  // namespace

std::uint64_t Choose(int n, int k) {
    if (n < 0 || n > 64 || k < 0 || k > n) return 0;
    return kChooseTable[n][k];
}

NumberMask WheelProblem::Ticket(std::uint64_t pointSet) const {
    NumberMask ticket = keys;
    while (pointSet) {
        ticket |= NumberMask{1} << points[std::countr_zero(pointSet)];
        pointSet &= pointSet - 1;
    }
    return ticket;
}

void CheckWheelRequest(const WheelRequest& r) {
    std::set<int> chosen;
    for (int n : r.numbers) {
        if (n < kLowest || n > kHighest) {
            throw UserError("数字「" + std::to_string(n) + "」は1～37の範囲にありません。");
        }
        if (!chosen.insert(n).second)
            throw UserError("数字「" + std::to_string(n) + "」が重複しています。");
    }
    const int v = static_cast<int>(chosen.size());
    if (v < kWheelMinChosen) {
        throw UserError("数字は" + std::to_string(kWheelMinChosen) + "個以上選んでください（いま" +
                        std::to_string(v) + "個）。");
    }
    std::set<int> keys;
    for (int k : r.keys) {
        if (!chosen.count(k))
            throw UserError("キー数字「" + std::to_string(k) + "」が選んだ数字にありません。");
        if (!keys.insert(k).second)
            throw UserError("キー数字「" + std::to_string(k) + "」が重複しています。");
    }
    const int k = static_cast<int>(keys.size());
    if (k >= kWheelTicketSize) throw UserError("キー数字は6個までです。");
    if (r.t < 1 || r.t > kWheelTicketSize || r.m < r.t || r.m > kWheelTicketSize) {
        throw UserError("保証は「t/m」で、1 ≦ t ≦ m ≦ 7 の数で指定してください。");
    }
    if (r.m > v)
        throw UserError("mは選んだ数字の個数（" + std::to_string(v) + "）以下にしてください。");
    if (r.m < k) {
        throw UserError("mはキー数字の個数（" + std::to_string(k) + "）以上にしてください。");
    }
}

WheelProblem MakeWheelProblem(const WheelRequest& r) {
    WheelProblem p;
    p.keys = MaskOf(r.keys);
    for (int n : NumbersOf(MaskOf(r.numbers) & ~p.keys)) p.points.push_back(n);
    const int k = std::popcount(p.keys);
    p.blockSize = kWheelTicketSize - k;
    p.caseSize = r.m - k;
    p.need = std::max(0, r.t - k);
    return p;
}

NumberMask MaskOf(const std::vector<int>& numbers) {
    NumberMask mask = 0;
    for (int n : numbers) {
        if (n >= kLowest && n <= kHighest) mask |= NumberMask{1} << n;
    }
    return mask;
}
