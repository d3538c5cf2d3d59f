#include "wheel/WheelGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/GridStyle.h"
#include "lotto/LotoChance.h"
#include "lotto/PrizeTier.h"
#include "wheel/WheelText.h"

namespace {

using HAlign = ResultGrid::HAlign;

void Frame(ResultGrid& grid, int columns, int rows, int visibleRows) {
    ShapeGrid(grid, {.columns = columns,
                     .rows = rows,
                     .visibleColumns = columns,
                     .visibleRows = visibleRows,
                     .frozenRows = 1,
                     .frozenColumns = 0,
                     // The window gives each grid the room it has: whatever
                     // does not fit scrolls into view.
                     .scrollBars = 3});
    StyleWholeGrid(grid);
    FillBlock(grid, -1, 1, -1, 1, [](ResultGrid& g) { g.SetBackColor(kHeaderPink); });
}

void Headings(ResultGrid& grid, const std::vector<std::string>& texts) {
    for (std::size_t c = 0; c < texts.size(); ++c)
        grid.WriteCell(static_cast<int>(c) + 1, 1, texts[c]);
}

void WriteTickets(const WheelReport& r, ResultGrid& grid) {
    const int rows = static_cast<int>(r.tickets.size()) + 1;
    Frame(grid, kWheelTicketSize + 1, rows, std::min(rows, 21));
    grid.SetColumnWidth(-1, 5);
    grid.SetColumnWidth(1, 6);
    Headings(grid, {"No.", "数字1", "数字2", "数字3", "数字4", "数字5", "数字6", "数字7"});
    const NumberMask keys = MaskOf(r.keys);
    const int count = static_cast<int>(r.numbers.size());
    for (std::size_t i = 0; i < r.tickets.size(); ++i) {
        const int row = static_cast<int>(i) + 2;
        grid.WriteCell(1, row, static_cast<int>(i) + 1);
        const std::vector<int> numbers = NumbersOf(r.tickets[i]);
        for (std::size_t c = 0; c < numbers.size(); ++c) {
            const int column = static_cast<int>(c) + 2;
            grid.WriteCell(column, row, numbers[c]);
            const auto at = std::find(r.numbers.begin(), r.numbers.end(), numbers[c]);
            grid.SelectCell(column, row);
            if (at != r.numbers.end()) {
                grid.SetBackColor(
                    ChosenNumberColour(static_cast<int>(at - r.numbers.begin()), count));
            }
            if (keys >> numbers[c] & 1) grid.SetForeColor(kRed);
        }
    }
    grid.ActivateCell(0, 0);
}

void Line(ResultGrid& grid, int row, const char* label, const std::string& value) {
    grid.WriteCell(1, row, label);
    grid.WriteCell(2, row, value);
}

void WriteFigures(const WheelReport& r, ResultGrid& grid) {
    const int rows = r.searched ? 8 : 5;
    Frame(grid, 2, rows, rows);
    grid.SetColumnWidth(1, 16);
    grid.SetColumnWidth(2, 96);
    FillBlock(grid, 2, 2, 2, -1, [](ResultGrid& g) { g.SetHorizontalAlign(HAlign::Left); });
    Headings(grid, {"項目", "内容"});
    std::string chosen =
        JoinNumbers(r.numbers, " ") + "（" + std::to_string(r.numbers.size()) + "個）";
    if (!r.keys.empty()) chosen += "　キー数字 " + JoinNumbers(r.keys, " ");
    Line(grid, 2, "選んだ数字", chosen);
    Line(grid, 3, "購入枚数",
         std::to_string(r.tickets.size()) + "枚（" + std::to_string(r.Cost()) + "円、1枚" +
             std::to_string(kWheelPricePerTicket) + "円）");
    Line(grid, 4, "保証", r.asked ? GuaranteeText(r) : "指定なし（下の表が確かめた保証です）");
    Line(grid, 5, "金額", WheelWorthText(r));
    if (!r.searched) return;
    Line(grid, 6, "下界",
         std::to_string(r.bound.tickets) + "枚（" + r.bound.name + "）" +
             (r.optimal ? "　下界に達したので、これより少ない枚数はありません" : ""));
    Line(
        grid, 7, "最初の貪欲法",
        std::to_string(r.greedyTickets) + "枚" +
            (r.startCut ? "（時間内に作り終わらなかったため、残りの場合は1つにつき1枚で補いました）"
                        : ""));
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f", r.seconds);
    Line(grid, 8, "探索",
         std::string(seconds) + "秒、シード " + std::to_string(r.seed) +
             (r.stopped ? "（中止しました。それまでに見つけた最小の組です）" : ""));
}

void WriteGuarantees(const WheelReport& r, ResultGrid& grid) {
    const int rows = static_cast<int>(r.table.size()) + 1;
    Frame(grid, 3, rows, rows);
    grid.SetColumnWidth(1, 18);
    grid.SetColumnWidth(2, 22);
    grid.SetColumnWidth(3, 30);
    Headings(grid, {"選んだ数字から出た数", "少なくとも1枚の一致数", "最も少ない場合の例"});
    for (std::size_t i = 0; i < r.table.size(); ++i) {
        const GuaranteeLine& line = r.table[i];
        const int row = static_cast<int>(i) + 2;
        grid.WriteCell(1, row, std::to_string(line.m) + "個");
        grid.WriteCell(2, row, std::to_string(line.guaranteed) + "個");
        grid.WriteCell(3, row, JoinNumbers(line.worstCase, " "));
    }
}

// "0.0000389本": three significant digits.
std::string ExpectedWinsText(long double wins) {
    if (wins <= 0) return "0本";
    const int decimals = std::max(0, 2 - static_cast<int>(std::floor(std::log10(wins))));
    char text[48];
    std::snprintf(text, sizeof text, "%.*Lf本", decimals, wins);
    return text;
}

void WriteOdds(const WheelReport& r, ResultGrid& grid) {
    const int rows = kPrizeTierCount + 2;
    Frame(grid, 4, rows, rows);
    grid.SetColumnWidth(1, 10);
    for (int c = 2; c <= 4; ++c) grid.SetColumnWidth(c, 30);
    Headings(grid, {"等級", "この購入番号", "同じ枚数のランダムな購入番号",
                    "当選本数の期待値（どちらも同じ）"});
    const std::uint64_t count = r.tickets.size();
    for (int tier = 1; tier <= kPrizeTierCount + 1; ++tier) {
        const int row = tier + 1;
        const bool any = tier > kPrizeTierCount;
        const int asTier = any ? 0 : tier;
        grid.WriteCell(1, row, any ? std::string("いずれか") : std::to_string(tier) + "等");
        grid.WriteCell(2, row,
                       r.odds ? ChanceText(any ? r.odds->Any() : r.odds->Tier(tier))
                              : std::string("計算量が多すぎるため省略"));
        grid.WriteCell(3, row, ChanceText(RandomTicketsChance(asTier, count)));
        long double p = 0;
        for (int t = 1; t <= kPrizeTierCount; ++t) {
            if (any || t == tier) p += TierProbability(t);
        }
        grid.WriteCell(4, row, ExpectedWinsText(p * static_cast<long double>(count)));
    }
}

}  // namespace

std::vector<NamedGrid> WheelGrids::Named() const {
    return {
        {"tickets", &tickets}, {"figures", &figures}, {"guarantees", &guarantees}, {"odds", &odds}};
}

Rgb ChosenNumberColour(int index, int count) {
    // Every other hue first, so numbers next to each other differ clearly.
    const int half = (count + 1) / 2;
    const int slot = index % 2 == 0 ? index / 2 : half + index / 2;
    const double hue = 360.0 * slot / std::max(1, count);
    const double saturation = 0.35;
    const auto channel = [&](double n) {
        const double k = std::fmod(n + hue / 60.0, 6.0);
        const double value = 1 - saturation * std::max(0.0, std::min({k, 4 - k, 1.0}));
        return static_cast<int>(std::lround(value * 255));
    };
    return MakeRgb(channel(5), channel(3), channel(1));
}

void WriteWheelGrids(const WheelReport& report, WheelGrids& grids) {
    grids = WheelGrids();
    WriteTickets(report, grids.tickets);
    WriteFigures(report, grids.figures);
    WriteGuarantees(report, grids.guarantees);
    WriteOdds(report, grids.odds);
}
