#include <gtest/gtest.h>

#include "analysis/PatternAnalysis.h"
#include "support/TestSupport.h"

namespace {

constexpr Rgb kShaded = MakeRgb(200, 255, 255);

ResultGrid Build(const GlobalBas& g, PatternKind kind) {
    ResultGrid grid;
    BuildPatternAnalysis(g, grid, kind);
    return grid;
}

// Columns 11 to 13 of a row: first-class count, second-class count, letter.
std::vector<std::string> Pattern(const ResultGrid& grid, int row) {
    return {grid.ReadCell(11, row), grid.ReadCell(12, row), grid.ReadCell(13, row)};
}
using P = std::vector<std::string>;

TEST(PatternAnalysis, LowHighCountsShadesAndLetters) {
    TestDraw incomplete{2, {std::nullopt, 2, 3, 4, 5, 6, 7, 8, 9}};
    const GlobalBas g = MakeGlobals({
        Draw(1, {1, 5, 12, 18, 19, 30, 37, 3, 36}), incomplete,
        Draw(3, {1, 2, 3, 4, 5, 17, 18, 20, 21}), Draw(4, {19, 20, 25, 30, 31, 36, 37, 1, 2}),
        Draw(5, {0, -3, 40, 32767, -32768, 18, 19, 0, 0}),  // written by another tool
    });
    const ResultGrid grid = Build(g, PatternKind::LowHigh);

    EXPECT_EQ(Pattern(grid, 2), (P{"4", "3", "E"}));
    for (int k = 0; k < 7; ++k) EXPECT_EQ(grid.Cell(2 + k, 2).back == kShaded, k < 4) << k;
    // Bonus 3 is low but neither shaded nor counted.
    EXPECT_EQ(grid.Cell(9, 2).back, MakeRgb(255, 255, 200));
    EXPECT_EQ(Pattern(grid, 3), (P{"7", "0", "H"}));
    EXPECT_EQ(grid.Cell(13, 3).back, MakeRgb(255, 0, 0));
    EXPECT_EQ(Pattern(grid, 4), (P{"0", "7", "A"}));
    EXPECT_EQ(grid.Cell(13, 4).back, kWhite);
    EXPECT_EQ(Pattern(grid, 5), (P{"4", "3", "E"}));
    EXPECT_EQ(Pattern(grid, 1), (P{"低数字", "高数字", "パターン"}));
    EXPECT_EQ(grid.ReadCell(5, 1), "本 数 字");
    EXPECT_TRUE(grid.IsEmpty(1, 6));  // the incomplete draw's row stays empty
}

TEST(PatternAnalysis, EvenOddIndexIsTheOddCount) {
    const GlobalBas g = MakeGlobals({Draw(1, {1, 5, 12, 18, 19, 30, 37, 4, 6}),
                                     Draw(2, {2, 4, 6, 8, 10, 12, 15, 1, 3}),
                                     Draw(3, {2, 4, 6, 8, 10, 12, 14, 1, 3}),
                                     Draw(4, {0, -3, 40, 32767, -32768, 18, 19, 0, 0})});
    const ResultGrid grid = Build(g, PatternKind::EvenOdd);

    EXPECT_EQ(Pattern(grid, 2), (P{"3", "4", "E"}));
    EXPECT_EQ(grid.Cell(4, 2).back, kShaded);                 // 12
    EXPECT_EQ(grid.Cell(2, 2).back, kWhite);                  // 1
    EXPECT_EQ(grid.Cell(9, 2).back, MakeRgb(255, 255, 200));  // bonus 4 is not classified
    EXPECT_EQ(Pattern(grid, 3), (P{"6", "1", "B"}));
    EXPECT_EQ(Pattern(grid, 4), (P{"7", "0", "A"}));
    EXPECT_EQ(Pattern(grid, 5), (P{"4", "3", "D"}));
    EXPECT_EQ(Pattern(grid, 1), (P{"偶数", "奇数", "パターン"}));
}

// The eight pattern letters by index, each with the background it gives its
// cell; "A" leaves the cell's own.
TEST(PatternAnalysis, EachPatternIndexWritesItsLetterInItsColour) {
    constexpr Rgb kOwn = MakeRgb(1, 2, 3);
    const struct {
        const char* letter;
        Rgb back;
    } kLetters[] = {
        {"A", kOwn},
        {"B", MakeRgb(200, 255, 255)},
        {"C", MakeRgb(200, 255, 200)},
        {"D", MakeRgb(255, 255, 200)},
        {"E", MakeRgb(255, 255, 255)},
        {"F", MakeRgb(255, 200, 255)},
        {"G", MakeRgb(255, 200, 200)},
        {"H", MakeRgb(255, 0, 0)},
    };
    for (int index = 0; index < 8; ++index) {
        ResultGrid grid;
        grid.SetColumnCount(1);
        grid.SetRowCount(1);
        grid.SelectCell(1, 1);
        grid.SetBackColor(kOwn);
        WritePatternLetter(grid, index, 1, 1);
        EXPECT_EQ(grid.ReadCell(1, 1), kLetters[index].letter) << index;
        EXPECT_EQ(grid.Cell(1, 1).back, kLetters[index].back) << index;
    }
}

TEST(PatternAnalysis, RealHistoryCountsAddUpAndLettersFollowTheIndex) {
    const GlobalBas& g = RealHistory();
    for (PatternKind kind : {PatternKind::LowHigh, PatternKind::EvenOdd}) {
        const ResultGrid grid = Build(g, kind);
        for (int row = 2; row <= grid.RowCount(); ++row) {
            int shaded = 0;
            for (int c = 2; c <= 8; ++c) shaded += grid.Cell(c, row).back == kShaded;
            const int first = std::stoi(grid.ReadCell(11, row));
            const int second = std::stoi(grid.ReadCell(12, row));
            ASSERT_EQ(first, shaded) << "row " << row;
            ASSERT_EQ(first + second, 7);
            const int index = kind == PatternKind::LowHigh ? first : second;
            ASSERT_EQ(grid.ReadCell(13, row), std::string(1, char('A' + index)));
        }
    }
}

}  // namespace
