#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "SampleTables.h"
#include "grid/GridView.h"

namespace {

using VAlign = ResultGrid::VAlign;

// Rows of 4, 6 and 12 pt holding texts aligned to the top, the bottom and
// the centre, among them letters reaching above and below the digits
// ("Å", "gjpq"): most rows grow to keep their texts clear of the lines.
ResultGrid MixedRows() {
    ResultGrid g;
    g.SetColumnCount(3);
    g.SetRowCount(6);
    g.SetScrollBars(3);
    g.SetColumnWidth(-1, 12);
    const double points[] = {4, 6, 12, 6, 4, 12};
    const char* texts[6][3] = {{"12", "第1回", "ボ"},    {"Ågy", "37", "（注）"},
                               {"第12回", "ÅÉ", "gjpq"}, {"", "｜", "5"},
                               {"数字", "", "ÖÜ"},       {"+3", "-12", "ÅÉgjpq"}};
    const VAlign aligns[3] = {VAlign::Top, VAlign::Bottom, VAlign::Center};
    for (int r = 1; r <= 6; ++r) {
        g.SetRowHeight(r, points[r - 1]);
        for (int c = 1; c <= 3; ++c) {
            g.WriteCell(c, r, texts[r - 1][c - 1]);
            g.SelectCell(c, r);
            g.SetVerticalAlign(aligns[(c + r) % 3]);
        }
    }
    return g;
}

// A row grows by the pixels its most demanding text needs to clear the
// lines above and below it, and by no more than 100: at 300 dpi the
// top-aligned "Å" reaches above the font's tallest glyphs and never
// clears, so rows 2 and 6 stop at 25 + 100 and 50 + 100.
TEST(GridRowHeight, RowsGrowForTheirMostDemandingTextUpToAHundredPixels) {
    const ResultGrid grid = MixedRows();
    const struct {
        double dpi;
        std::vector<int> edges;
    } cases[] = {
        {96, {0, 16, 34, 52, 69, 86, 104}},
        {300, {0, 40, 165, 216, 257, 302, 452}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GridGeometry(grid, ProgramFont(), c.dpi).RowEdges(), c.edges) << c.dpi << " dpi";
    }
}

// Showing a grid fitted at once lays it out as showing it and then fitting
// it does, in a table shown whole (its rows kept within the height) and in
// one that scrolls.
TEST(GridRowHeight, SetGridFittedLaysOutAsSetGridThenFit) {
    for (const int scrollBars : {0, 3}) {
        ResultGrid grid = Table(8, 30);
        grid.SetScrollBars(scrollBars);
        grid.SetColumnWidth(-1, 4);
        for (int c = 2; c <= 8; ++c)
            grid.WriteCell(c, 1, "第" + std::to_string(c * 111) + "回前後");
        GridView twoSteps;
        GridView once;
        for (GridView* view : {&twoSteps, &once}) view->resize(700, 300);
        twoSteps.SetGrid(&grid);
        twoSteps.FitToPresentSize(true);
        once.SetGridFitted(&grid, true);
        const GridGeometry& a = twoSteps.Geometry();
        const GridGeometry& b = once.Geometry();
        EXPECT_EQ(a.ColumnEdges(), b.ColumnEdges()) << scrollBars;
        EXPECT_EQ(a.RowEdges(), b.RowEdges()) << scrollBars;
        for (int c = 1; c <= grid.ColumnCount(); ++c) {
            EXPECT_EQ(a.PlaceText(c, 1).font, b.PlaceText(c, 1).font)
                << scrollBars << " column " << c;
        }
        // The fitting did something to check: columns widened into the room.
        EXPECT_NE(a.ColumnEdges(), GridGeometry(grid, ProgramFont(), a.Dpi()).ColumnEdges());
    }
}

// A grid whose texts all fit in its font measures only that font, yet every
// smaller size still gives its baseline, as a renderer asks for it.
TEST(GridRowHeight, EverySizeGivesItsBaselineWhetherOrNotACellUsesIt) {
    const ResultGrid grid = Table(3, 3);
    const GridGeometry geometry(grid, ProgramFont(), 96);
    ASSERT_EQ(geometry.FontCount(), 3);  // 12, 11 and 10 px
    std::vector<int> offsets;
    for (int font = 0; font < geometry.FontCount(); ++font) {
        EXPECT_EQ(geometry.Font(font).pixelSize(), 12 - font);
        offsets.push_back(geometry.BaselineOffset(font));
    }
    // Noto Sans CJK rises 1.16 em above its baseline.
    EXPECT_EQ(offsets, (std::vector<int>{14, 13, 12}));
}

}  // namespace
