// Row limit shared by the per-draw tables (pairs, sums, patterns): a draw that
// would need row 32768 stops the build and the rows before it stay.
#include <gtest/gtest.h>

#include "analysis/AnalysisCatalog.h"
#include "analysis/NumberSumAnalysis.h"
#include "analysis/PairAnalysis.h"
#include "analysis/PatternAnalysis.h"
#include "support/TestSupport.h"

namespace {

TEST(PerDrawTableLimits, DrawPastRow32767StopsWithAMessageAndKeepsTheRows) {
    // Draws 1 … 32767, all complete; numbers outside 1 … 37 keep the start-up
    // counts at zero instead of overflowing.
    std::vector<TestDraw> draws;
    for (int n = 1; n <= 32767; ++n) draws.push_back(Draw(n, {40, 41, 42, 43, 44, 45, 46, 47, 48}));
    const GlobalBas g = MakeGlobals(draws);
    for (const auto build : {BuildPairAnalysis, BuildNumberSums, BuildEvenOddPatterns}) {
        ResultGrid grid;
        try {
            build(g, grid);
            ADD_FAILURE() << "the build did not stop";
        } catch (const BuildStopped& stopped) {
            EXPECT_NE(std::string(stopped.what()).find("第32767回"), std::string::npos);
        }
        EXPECT_EQ(grid.RowCount(), 32767);
        EXPECT_EQ(grid.ReadCell(1, 32767), "32766");
        EXPECT_EQ(grid.ReadCell(2, 32767), "40");
    }
}

}  // namespace
