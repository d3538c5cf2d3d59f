#include "filter/FilterReport.h"

#include <cstdio>

#include "core/FigureText.h"
#include "core/GridStyle.h"
#include "core/JsonText.h"
#include "lotto/PrizeShares.h"
#include "lotto/TicketWorth.h"

namespace {

using HAlign = ResultGrid::HAlign;

constexpr int kHeadingRow = 1;
constexpr int kAllRow = 2;
constexpr std::array<const char*, 7> kFilterHeadings = {
    "条件",      "指定", "もとにした分析", "残る組合せ", "組合せの割合", "残る過去の当選番号",
    "過去の割合"};

// The width in characters of a text: two for every character beyond ASCII.
int TextWidth(const std::string& text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            ++width;
        } else if (c >= 0xC0) {
            width += 2;
        }
    }
    return width;
}

// Columns as wide as their longest text, plus a margin.
void FitColumns(ResultGrid& grid) {
    for (int column = 1; column <= grid.ColumnCount(); ++column) {
        int width = 4;
        for (int row = 1; row <= grid.RowCount(); ++row) {
            width = std::max(width, TextWidth(grid.ReadCell(column, row)));
        }
        grid.SetColumnWidth(column, width + 2);
    }
}

void ShapeTable(ResultGrid& grid, int columns, int rows) {
    grid = ResultGrid();
    ShapeGrid(grid, {.columns = columns,
                     .rows = rows,
                     .visibleColumns = columns,
                     .visibleRows = std::min(rows, 30),
                     .frozenRows = 1,
                     .scrollBars = 2});
    StyleWholeGrid(grid);
    for (int row = 1; row <= rows; ++row) grid.SetRowHeight(row, 12);
    FillBlock(grid, 1, kHeadingRow, columns, kHeadingRow, [](ResultGrid& g) {
        g.SetBackColor(kHeaderPink);
        g.SetForeColor(kBlue);
    });
}

void WriteCounts(ResultGrid& grid, int row, std::uint64_t combos, std::uint64_t total, int past,
                 int draws) {
    grid.WriteCell(4, row, GroupedNumber(combos));
    grid.WriteCell(5, row, PercentText(combos, total) + " %");
    grid.WriteCell(6, row, std::to_string(past) + " / " + std::to_string(draws));
    grid.WriteCell(7, row, draws > 0 ? PercentText(past, draws) + " %" : "－");
}

std::string JsonShare(std::uint64_t part, std::uint64_t whole) {
    if (whole == 0) return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", static_cast<double>(part) / whole);
    return text;
}

}  // namespace

std::string PercentText(std::uint64_t part, std::uint64_t whole) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", whole ? 100.0 * part / whole : 0.0);
    return text;
}

std::string CombinationShareText(std::uint64_t part, std::uint64_t whole) {
    return GroupedNumber(part) + " 通り（" + PercentText(part, whole) + " %）";
}

std::string PastShareSentence(int part, int draws) {
    if (draws == 0) return "比べる過去の当選番号がありません";
    return "過去の当選番号のうち " + std::to_string(part) + " 回(" + PercentText(part, draws) +
           " %)が残ります";
}

void WriteFilterGrid(const FilterOutcome& o, ResultGrid& grid) {
    std::vector<FilterKind> on;
    for (const FilterInfo& info : FilterCatalog()) {
        if (o.conditions.IsOn(info.kind)) on.push_back(info.kind);
    }
    const int columns = static_cast<int>(kFilterHeadings.size());
    ShapeTable(grid, columns, kAllRow + static_cast<int>(on.size()));
    for (int column = 1; column <= columns; ++column) {
        grid.WriteCell(column, kHeadingRow, kFilterHeadings[column - 1]);
    }
    const std::uint64_t total = o.combinations.total;
    grid.WriteCell(1, kAllRow, on.empty() ? "条件なし" : "すべての条件");
    FillBlock(grid, 1, kAllRow, columns, kAllRow,
              [](ResultGrid& g) { g.SetBackColor(kLightYellow); });
    WriteCounts(grid, kAllRow, o.combinations.passing, total, o.past.passing, o.past.draws);
    int row = kAllRow + 1;
    for (FilterKind kind : on) {
        const FilterInfo& info = InfoOf(kind);
        const int k = static_cast<int>(kind);
        grid.WriteCell(1, row, std::string(info.label));
        grid.WriteCell(2, row, ConditionText(kind, o.conditions));
        grid.WriteCell(3, row, info.window.empty() ? "－" : std::string(info.window));
        WriteCounts(grid, row, o.combinations.alone[k], total, o.past.alone[k], o.past.draws);
        ++row;
    }
    FillBlock(grid, 1, kAllRow, 2, grid.RowCount(),
              [](ResultGrid& g) { g.SetHorizontalAlign(HAlign::Left); });
    FillBlock(grid, 4, kAllRow, columns, grid.RowCount(),
              [](ResultGrid& g) { g.SetHorizontalAlign(HAlign::Right); });
    FitColumns(grid);
}

void WriteTicketGrid(const std::vector<Combination>& tickets, ResultGrid& grid) {
    const int columns = 1 + kComboSize;
    ShapeTable(grid, columns, 1 + static_cast<int>(tickets.size()));
    grid.WriteCell(1, kHeadingRow, "No.");
    for (int k = 1; k <= kComboSize; ++k) {
        grid.WriteCell(1 + k, kHeadingRow, "数字" + std::to_string(k));
    }
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        const int row = kHeadingRow + 1 + static_cast<int>(i);
        grid.WriteCell(1, row, static_cast<int>(i + 1));
        for (int k = 0; k < kComboSize; ++k) grid.WriteCell(2 + k, row, tickets[i][k]);
    }
    if (!tickets.empty()) ColourDrawNumbers(grid, 1, kHeadingRow + 1, 1, grid.RowCount());
    FitColumns(grid);
}

void WriteFilterJson(std::ostream& out, const FilterOutcome& o,
                     const std::optional<TicketRequest>& request,
                     const std::vector<Combination>& tickets) {
    const std::uint64_t total = o.combinations.total;
    out << "{\"total\": " << total << ", \"passing\": " << o.combinations.passing
        << ", \"share\": " << JsonShare(o.combinations.passing, total)
        << ", \"latestDraw\": " << o.latestDraw << ", \"pastDraws\": " << o.past.draws
        << ", \"pastPassing\": " << o.past.passing
        << ", \"pastShare\": " << JsonShare(o.past.passing, o.past.draws) << ",\n \"filters\": [";
    bool first = true;
    for (const FilterInfo& info : FilterCatalog()) {
        if (!o.conditions.IsOn(info.kind)) continue;
        const int k = static_cast<int>(info.kind);
        out << (first ? "\n  " : ",\n  ") << "{\"key\": " << JsonString(info.key)
            << ", \"label\": " << JsonString(info.label)
            << ", \"window\": " << (info.window.empty() ? "null" : JsonString(info.window))
            << ", \"note\": " << JsonString(info.note)
            << ", \"condition\": " << JsonString(ConditionText(info.kind, o.conditions))
            << ", \"passing\": " << o.combinations.alone[k]
            << ", \"share\": " << JsonShare(o.combinations.alone[k], total)
            << ", \"pastPassing\": " << o.past.alone[k]
            << ", \"pastShare\": " << JsonShare(o.past.alone[k], o.past.draws) << "}";
        first = false;
    }
    out << "]";
    if (request) {
        out << ",\n \"tickets\": {\"method\": "
            << (request->method == TicketMethod::Random ? "\"random\"" : "\"spread\"")
            << ", \"seed\": " << request->seed << ", \"requested\": " << request->count;
        const TicketWorth worth =
            WorthOf(static_cast<std::int64_t>(tickets.size()), kSharesChangedAtDraw);
        out << ", \"cost\": " << worth.cost << ", \"expectedPrize\": " << worth.expectedPrize
            << ", \"expectedBalance\": " << worth.ExpectedBalance() << ", \"numbers\": [";
        for (std::size_t i = 0; i < tickets.size(); ++i) {
            out << (i ? ", " : "") << "[";
            for (int k = 0; k < kComboSize; ++k) out << (k ? ", " : "") << tickets[i][k];
            out << "]";
        }
        out << "]}";
    }
    out << "}\n";
}
