#include "analysis/DigitRunAnalysis.h"

#include <charconv>
#include <cstdio>
#include <limits>

#include "core/GridLimits.h"
#include "core/GridStyle.h"

namespace {

constexpr int kExtraRows = 4;
constexpr std::size_t kEntryLength = 6;
constexpr std::size_t kDrawDigits = 5;
constexpr int kLargestFiveDigits = 99999;
constexpr std::size_t kLongEntryLength = 16;  // "%05d " of any int, and its end
constexpr int kLongestRun = std::numeric_limits<std::int16_t>::max();

Rgb RunColour(int runLength) {
    if (runLength >= 1 && runLength <= 3) return kPaleCyan;
    if (runLength >= 4 && runLength <= 6) return kPaleGreen;
    if (runLength >= 7 && runLength <= 9) return kLightYellow;
    if (runLength >= 10 && runLength <= 12) return kPaleMagenta;
    return kHeaderPink;
}

void Outline(ResultGrid& grid, int c1, int r1, int c2, int r2) {
    FillBlock(grid, c1, r1, c2, r2,
              [](ResultGrid& gr) { gr.DrawBorder(ResultGrid::kBorderOutline, 1); });
}

std::string RunTooLongMessage(int digit, int drawNumber) {
    return "下一桁" + std::to_string(digit) + "の連続出現回数が第" + std::to_string(drawNumber) +
           "回で32767を超えるため、分析を止めました。";
}

}  // namespace

void AppendAppearance(AppearanceLists& lists, int drawNumber, int digit) {
    if (digit < 0 || digit >= kDigitCount) return;
    std::string& list = lists[digit];
    if (drawNumber < 0 || drawNumber > kLargestFiveDigits) {
        char entry[kLongEntryLength];
        std::snprintf(entry, sizeof entry, "%05d ", drawNumber);
        list += entry;
        return;
    }
    // Five digits with leading zeros and a space, as "%05d " writes them:
    // a history of thousands of draws appends tens of thousands of entries.
    char entry[kEntryLength];
    for (std::size_t at = kDrawDigits; at-- > 0; drawNumber /= 10) {
        entry[at] = static_cast<char>('0' + drawNumber % 10);
    }
    entry[kDrawDigits] = ' ';
    list.append(entry, kEntryLength);
}

// A draw numbered below 1 has no row in the table, and a negative number no
// last digit: neither adds an entry.
AppearanceLists CollectAppearances(const GlobalBas& g) {
    AppearanceLists lists;
    for (const DrawRecord& draw : g.Draws.Rows()) {
        if (!draw.IsComplete() || draw.drawNumber < 1) continue;
        for (int number : draw.numbers) {
            if (const auto digit = LastDigit(number)) {
                AppendAppearance(lists, draw.drawNumber, *digit);
            }
        }
    }
    return lists;
}

std::optional<int> AppearanceEntry(std::string_view list, std::size_t i) {
    const std::size_t start = kEntryLength * i;
    if (start + kDrawDigits > list.size()) return std::nullopt;
    int drawNumber = 0;
    const char* first = list.data() + start;
    const auto [end, error] = std::from_chars(first, first + kDrawDigits, drawNumber);
    if (error != std::errc()) return std::nullopt;
    return drawNumber;
}

void SetUpRunGrid(const GlobalBas& g, ResultGrid& grid, int extraRows) {
    const int latest = g.LatestDrawNumber;
    LayOutDigitGrid(grid, latest + extraRows);
    ColourDrawNumbers(grid, 1, 1, 1, latest + 3);
    // Every draw number gets its row, stored and complete or not.
    for (int k = 1; k <= latest && grid.Contains(1, k + 2); ++k) grid.WriteCell(1, k + 2, k);
    FillBlock(grid, 1, 2, kDigitGridColumns, latest + 3,
              [](ResultGrid& gr) { gr.DrawBorder(ResultGrid::kBorderAll, 1); });
}

// The top header has its title row above the digit row; the bottom header
// mirrors it, digits first.
void WriteRunHeader(ResultGrid& grid, int startRow, bool bottom) {
    const int titleRow = bottom ? startRow + 1 : startRow;
    const int digitRow = bottom ? startRow : startRow + 1;
    FillBlock(grid, 2, startRow, kDigitGridColumns, startRow + 1, [](ResultGrid& gr) {
        gr.SetForeColor(kBlue);
        gr.SetBackColor(kHeaderPink);
    });
    Outline(grid, 1, startRow, 1, startRow);
    Outline(grid, 2, digitRow, kDigitGridColumns, digitRow);
    WriteDigitTitleRow(grid, titleRow);
    WriteDigitNames(grid, digitRow);
}

void ShadeRun(ResultGrid& grid, int column, int row, int runLength) {
    grid.SelectCell(column, row);
    grid.DrawBorder(ResultGrid::kBorderBottom, 1);
    grid.SetBackColor(RunColour(runLength));
}

void MarkRun(ResultGrid& grid, int digit, int drawNumber, int runLength) {
    const int column = DigitColumn(digit);
    const int row = drawNumber + 2;
    if (!grid.WriteCell(column, row, runLength)) return;
    ShadeRun(grid, column, row, runLength);
}

// Each list is read to its end: a digit drawn twice in one draw adds two
// entries, so a list can be longer than the number of draws.
void ScanRuns(const AppearanceLists& lists, ResultGrid& grid) {
    for (int digit = 0; digit < kDigitCount; ++digit) {
        int runLength = 0;
        std::optional<int> previous = AppearanceEntry(lists[digit], 0);
        for (std::size_t i = 1;; ++i) {
            const std::optional<int> current = AppearanceEntry(lists[digit], i);
            if (!current) break;
            if (*previous + 1 < *current) {
                runLength = 0;
            } else {
                if (runLength == kLongestRun) {
                    throw BuildStopped(RunTooLongMessage(digit, *current));
                }
                ++runLength;
                MarkRun(grid, digit, *current, runLength);
            }
            previous = current;
        }
    }
}

void BuildRunTable(const GlobalBas& g, ResultGrid& grid) {
    const AppearanceLists lists = CollectAppearances(g);
    const int bottomRow = g.LatestDrawNumber + 3;
    SetUpRunGrid(g, grid, kExtraRows);
    WriteRunHeader(grid, 1, false);
    const bool bottomFits = bottomRow + 1 <= grid.RowCount();
    if (bottomFits) WriteRunHeader(grid, bottomRow, true);
    ScanRuns(lists, grid);
    if (!bottomFits) StopWithoutBottomHeader();
}
