#include "tickets/TicketGrids.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>

#include "core/GridStyle.h"
#include "core/YenText.h"

namespace {

using HAlign = ResultGrid::HAlign;

constexpr Rgb kPendingFore = MakeRgb(128, 128, 128);
constexpr double kRowHeight = 12;

template <typename F>
void Cell(ResultGrid& grid, int column, int row, F&& style) {
    FillBlock(grid, column, row, column, row, style);
}

void Heading(ResultGrid& grid, int columns,
             const std::vector<std::pair<const char*, double>>& heads) {
    for (int c = 1; c <= columns; ++c) {
        grid.WriteCell(c, 1, heads[static_cast<std::size_t>(c - 1)].first);
        grid.SetColumnWidth(c, heads[static_cast<std::size_t>(c - 1)].second);
    }
    FillBlock(grid, 1, 1, columns, 1, [](ResultGrid& g) { g.SetBackColor(kHeaderPink); });
}

void Shape(ResultGrid& grid, int columns, int rows, int visibleRows) {
    ShapeGrid(grid, {.columns = columns,
                     .rows = rows,
                     .visibleColumns = columns,
                     .visibleRows = std::min(rows, visibleRows),
                     .frozenRows = 1,
                     .scrollBars = 2});
    grid.SetRowHeight(-1, kRowHeight);
    StyleWholeGrid(grid);
}

// Three significant digits in plain decimals (0.0000669, 9.51, 663): a
// small expectation reads as small, never as 0.
std::string Expected(double value) {
    int decimals = 1;
    if (value > 0 && value < 10) {
        decimals = std::clamp(2 - static_cast<int>(std::floor(std::log10(value))), 1, 12);
    }
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

void WriteTicketYen(ResultGrid& grid, int row, const TicketYen& yen, bool drawn) {
    if (!drawn) return;
    grid.WriteCell(kTicketCostColumn, row, YenText(yen.cost));
    if (yen.prizeKnown) {
        grid.WriteCell(kTicketPrizeColumn, row, YenText(yen.prize));
        if (yen.prize > 0)
            Cell(grid, kTicketPrizeColumn, row, [](ResultGrid& g) { g.SetForeColor(kRed); });
        return;
    }
    grid.WriteCell(kTicketPrizeColumn, row, kUnenteredName);
    grid.WriteCell(kTicketEstimateColumn, row, YenText(yen.estimate));
    FillBlock(grid, kTicketPrizeColumn, row, kTicketEstimateColumn, row,
              [](ResultGrid& g) { g.SetForeColor(kPendingFore); });
}

void WriteTicketRow(ResultGrid& grid, int row, const PurchasedTicket& t, const TicketOutcome& o,
                    const DrawMasks& draws, const PrizeIndex& prizes, bool selected) {
    grid.WriteCell(kTicketIdColumn, row, static_cast<long long>(t.id));
    grid.WriteCell(kTicketDrawsColumn, row, TicketDrawText(t));
    grid.WriteCell(kTicketDrawColumn, row, o.drawNumber);
    ColourDrawNumbers(grid, kTicketDrawColumn, row, kTicketDrawColumn, row);
    if (selected) {
        FillBlock(grid, kTicketIdColumn, row, kTicketDrawsColumn, row,
                  [](ResultGrid& g) { g.SetBackColor(kSelectedTicketBack); });
        FillBlock(grid, kTicketFirstNumberColumn, row, kTicketColumns, row,
                  [](ResultGrid& g) { g.SetBackColor(kSelectedTicketBack); });
    }
    const DrawMasks::Draw* draw = o.drawn ? draws.Find(o.drawNumber) : nullptr;
    for (int i = 0; i < kTicketNumberCount; ++i) {
        const int column = kTicketFirstNumberColumn + i;
        const int n = t.numbers[static_cast<std::size_t>(i)];
        grid.WriteCell(column, row, n);
        if (!draw) continue;
        const std::uint64_t bit = std::uint64_t{1} << n;
        if (draw->main & bit)
            Cell(grid, column, row, [](ResultGrid& g) { g.SetBackColor(kMainMark); });
        if (draw->bonus & bit)
            Cell(grid, column, row, [](ResultGrid& g) { g.SetBackColor(kBonus1Mark); });
    }
    grid.WriteCell(kTicketUnitsColumn, row, t.units);
    grid.WriteCell(kTicketResultColumn, row, o.drawn ? TierName(o.score.tier) : kPendingName);
    if (!o.drawn) {
        Cell(grid, kTicketResultColumn, row, [](ResultGrid& g) { g.SetForeColor(kPendingFore); });
    } else if (o.score.tier > 0) {
        Cell(grid, kTicketResultColumn, row, [](ResultGrid& g) { g.SetForeColor(kRed); });
    }
    WriteTicketYen(grid, row, PriceOutcome(t, o, prizes), o.drawn);
    grid.WriteCell(kTicketMemoColumn, row, t.memo);
    Cell(grid, kTicketMemoColumn, row, [](ResultGrid& g) { g.SetHorizontalAlign(HAlign::Left); });
}

}  // namespace

std::vector<std::int64_t> WriteTicketGrid(std::span<const PurchasedTicket> tickets,
                                          const DrawMasks& draws, const PrizeIndex& prizes,
                                          std::int64_t selected, ResultGrid& grid,
                                          std::optional<int> onlyDraw) {
    std::vector<std::vector<TicketOutcome>> outcomes;
    int rows = 1;
    for (const PurchasedTicket& t : tickets) {
        outcomes.push_back(CheckTicket(t, draws));
        if (onlyDraw) {
            std::erase_if(outcomes.back(),
                          [&](const TicketOutcome& o) { return o.drawNumber != *onlyDraw; });
        }
        rows += static_cast<int>(outcomes.back().size());
    }
    grid = ResultGrid();
    Shape(grid, kTicketColumns, rows, 30);
    Heading(grid, kTicketColumns,
            {{"番号", 5},
             {"購入回", 10},
             {"回", 5},
             {"第1数字", 7},
             {"第2数字", 7},
             {"第3数字", 7},
             {"第4数字", 7},
             {"第5数字", 7},
             {"第6数字", 7},
             {"第7数字", 7},
             {"口数", 5},
             {"結果", 7},
             {"購入額", 9},
             {"当選額", 12},
             {"概算", 12},
             {"メモ", 24}});
    FillBlock(grid, kTicketCostColumn, 2, kTicketEstimateColumn, -1,
              [](ResultGrid& g) { g.SetHorizontalAlign(HAlign::Right); });
    std::vector<std::int64_t> idOfRow(static_cast<std::size_t>(rows) + 1, 0);
    int row = 2;
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        for (const TicketOutcome& o : outcomes[i]) {
            WriteTicketRow(grid, row, tickets[i], o, draws, prizes,
                           selected != 0 && tickets[i].id == selected);
            idOfRow[static_cast<std::size_t>(row)] = tickets[i].id;
            ++row;
        }
    }
    return idOfRow;
}

void WriteTicketSummaryGrid(const TicketSummary& s, const std::string& scope, ResultGrid& grid) {
    constexpr int kColumns = 4 + kPrizeTierCount + 2;
    grid = ResultGrid();
    Shape(grid, kColumns, 2, 2);
    grid.SetScrollBars(0);
    std::vector<std::pair<const char*, double>> heads = {
        {"集計の範囲", 16}, {"枚数", 6}, {"口数", 6}, {"代金（未抽選を含む）", 16}};
    for (int t = 1; t <= kPrizeTierCount; ++t) heads.push_back({TierName(t), 6});
    heads.push_back({"はずれ", 6});
    heads.push_back({kPendingName, 6});
    Heading(grid, kColumns, heads);
    grid.WriteCell(1, 2, scope);
    grid.WriteCell(2, 2, s.tickets);
    grid.WriteCell(3, 2, s.units);
    grid.WriteCell(4, 2, YenText(s.cost));
    for (int t = 1; t <= kPrizeTierCount; ++t) {
        grid.WriteCell(4 + t, 2, s.unitsByTier[static_cast<std::size_t>(t)]);
        if (s.unitsByTier[static_cast<std::size_t>(t)] > 0) {
            Cell(grid, 4 + t, 2, [](ResultGrid& g) { g.SetForeColor(kRed); });
        }
    }
    grid.WriteCell(kColumns - 1, 2, s.unitsByTier[0]);
    grid.WriteCell(kColumns, 2, s.pendingUnits);
}

namespace {

// The yen columns the 収支 band and the 年別 table share, from `column` on:
// 購入額, 当選額, 当選額（概算を含む）, 収支 (red when a loss) and 回収率.
constexpr int kMoneyColumns = 5;

void MoneyHeads(std::vector<std::pair<const char*, double>>& heads) {
    heads.insert(heads.end(), {{"購入額", 13},
                               {"当選額", 13},
                               {"当選額（概算を含む）", 18},
                               {"収支", 14},
                               {"回収率", 11}});
}

void WriteMoney(ResultGrid& grid, int column, int row, const TicketSummary& s) {
    grid.WriteCell(column, row, YenText(s.spent));
    grid.WriteCell(column + 1, row, YenText(s.won));
    grid.WriteCell(column + 2, row, YenText(s.WonWithEstimates()));
    grid.WriteCell(column + 3, row, YenText(s.Balance()));
    grid.WriteCell(column + 4, row, ReturnRateText(s.won, s.spent));
    if (s.Balance() < 0) Cell(grid, column + 3, row, [](ResultGrid& g) { g.SetForeColor(kRed); });
    FillBlock(grid, column, row, column + kMoneyColumns - 1, row,
              [](ResultGrid& g) { g.SetHorizontalAlign(HAlign::Right); });
    FillBlock(grid, column + 2, row, column + 2, row,
              [](ResultGrid& g) { g.SetBackColor(kPaleCyan); });
}

}  // namespace

void WriteTicketBalanceGrid(std::span<const NamedSummary> rows, ResultGrid& grid) {
    constexpr int kColumns = 2 + kMoneyColumns + 1;
    const int gridRows = 1 + static_cast<int>(rows.size());
    grid = ResultGrid();
    Shape(grid, kColumns, gridRows, gridRows);
    grid.SetScrollBars(0);
    std::vector<std::pair<const char*, double>> heads = {{"収支の範囲", 16}, {"枚数", 6}};
    MoneyHeads(heads);
    heads.push_back({"未入力（口）", 11});
    Heading(grid, kColumns, heads);
    int row = 2;
    for (const auto& [name, s] : rows) {
        grid.WriteCell(1, row, name);
        grid.WriteCell(2, row, s.tickets);
        WriteMoney(grid, 3, row, s);
        grid.WriteCell(kColumns, row, s.unknownUnits);
        if (s.unknownUnits > 0)
            Cell(grid, kColumns, row, [](ResultGrid& g) { g.SetForeColor(kPendingFore); });
        ++row;
    }
}

void WriteTicketYearGrid(std::span<const YearBalance> years, ResultGrid& grid) {
    constexpr int kColumns = 3 + kMoneyColumns + 1;
    const int rows = 1 + static_cast<int>(years.size());
    grid = ResultGrid();
    Shape(grid, kColumns, rows, 8);
    std::vector<std::pair<const char*, double>> heads = {{"年", 8}, {"枚数", 6}, {"口数", 6}};
    MoneyHeads(heads);
    heads.push_back({"最高等級", 8});
    Heading(grid, kColumns, heads);
    int row = 2;
    for (const YearBalance& y : years) {
        grid.WriteCell(1, row, y.year > 0 ? std::to_string(y.year) + "年" : std::string("年不明"));
        grid.WriteCell(2, row, y.sum.tickets);
        grid.WriteCell(3, row, y.sum.units);
        WriteMoney(grid, 4, row, y.sum);
        grid.WriteCell(kColumns, row, y.sum.bestTier > 0 ? TierName(y.sum.bestTier) : "—");
        if (y.sum.bestTier > 0)
            Cell(grid, kColumns, row, [](ResultGrid& g) { g.SetForeColor(kRed); });
        ++row;
    }
}

void WriteQuickTierGrid(const QuickCheckResult& r, ResultGrid& grid) {
    constexpr int kRows = 1 + kPrizeTierCount + 1;
    grid = ResultGrid();
    Shape(grid, 3, kRows, kRows);
    grid.SetScrollBars(0);
    Heading(grid, 3, {{"等級", 8}, {"当選した回数", 12}, {"偶然の期待値", 12}});
    for (int t = 1; t <= kPrizeTierCount + 1; ++t) {
        const int tier = t <= kPrizeTierCount ? t : 0;
        const int row = 1 + t;
        grid.WriteCell(1, row, TierName(tier));
        grid.WriteCell(2, row, r.tierCounts[static_cast<std::size_t>(tier)]);
        grid.WriteCell(3, row, Expected(r.expectedCounts[static_cast<std::size_t>(tier)]));
        if (tier > 0 && r.tierCounts[static_cast<std::size_t>(tier)] > 0) {
            Cell(grid, 2, row, [](ResultGrid& g) { g.SetForeColor(kRed); });
        }
    }
    FillBlock(grid, 3, 2, 3, kRows, [](ResultGrid& g) { g.SetBackColor(kPaleCyan); });
}

void WriteQuickWinGrid(const QuickCheckResult& r, ResultGrid& grid) {
    const int rows = 1 + static_cast<int>(r.bigWins.size());
    grid = ResultGrid();
    Shape(grid, 4, rows, 12);
    Heading(grid, 4, {{"回", 6}, {"本数字一致", 10}, {"ボーナス一致", 12}, {"等級", 6}});
    int row = 2;
    for (const QuickCheckResult::Win& win : r.bigWins) {
        grid.WriteCell(1, row, win.drawNumber);
        grid.WriteCell(2, row, win.score.mainMatches);
        grid.WriteCell(3, row, win.score.bonusMatches);
        grid.WriteCell(4, row, TierName(win.score.tier));
        Cell(grid, 4, row, [](ResultGrid& g) { g.SetForeColor(kRed); });
        ++row;
    }
    if (rows > 1) ColourDrawNumbers(grid, 1, 2, 1, rows);
}

std::string NumbersText(std::span<const int> numbers) {
    std::string text;
    for (int n : numbers) text += (text.empty() ? "" : ", ") + std::to_string(n);
    return text;
}
