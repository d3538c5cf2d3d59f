#include <gtest/gtest.h>

#include <iterator>

#include "analysis/AnalysisCatalog.h"
#include "support/TestSupport.h"

namespace {

// What the documents give for each analysis window: its size in twips
// (height × width) and its grid's frozen and visible rows and columns.
struct Documented {
    std::string_view name;
    int heightTwips, widthTwips;
    int frozenRows, frozenColumns;
    int visibleRows, visibleColumns;  // kEveryClass: one row per count class
};
constexpr int kEveryClass = -1;
constexpr Documented kWindows[] = {
    {"出現頻度分析", 10700, 11300, 2, 1, 39, 51},
    {"回数別出現分析", 8355, 3405, 0, 0, kEveryClass, 2},
    {"出現間隔分析", 13920, 12070, 2, 0, 52, 19},
    {"数字間隔分析", 13905, 12070, 2, 0, 52, 19},
    {"出現回数分析", 13995, 12080, 2, 0, 52, 19},
    {"引っ張り分析", 13600, 9680, 1, 1, 51, 10},
    {"バラツキ分析", 12750, 11080, 2, 1, 47, 39},
    {"連番飛び石分析", 13500, 8310, 1, 0, 51, 16},
    {"分割4傾向分析", 13750, 9090, 1, 0, 51, 14},
    {"分割6データ分析", 12600, 12365, 3, 0, 53, 39},
    {"分割7データ分析", 12600, 12365, 3, 0, 53, 45},
    {"分割9データ分析", 12600, 12365, 3, 1, 53, 39},
    {"下一桁出現傾向分析", 13980, 7400, 2, 0, 52, 29},
    {"下一桁連続出現回数分析", 13935, 7400, 2, 0, 52, 29},
    {"数字合計分析", 13800, 8970, 1, 0, 51, 12},
    {"低数字高数字の組合せパターン分析", 13700, 8750, 1, 0, 51, 13},
    {"偶数奇数の組合せパターン分析", 13700, 8750, 1, 0, 51, 13},
};

TEST(AnalysisCatalog, WindowSizesAndGridPanesAreTheDocumentedOnes) {
    const GlobalBas g = MakeGlobals({Draw(1, {1, 5, 12, 18, 19, 30, 37, 3, 36}),
                                     Draw(2, {2, 5, 13, 18, 20, 31, 37, 4, 35}),
                                     Draw(3, {1, 6, 12, 19, 20, 32, 36, 3, 34})});
    ASSERT_EQ(AnalysisCatalog().size(), std::size(kWindows));
    for (const Documented& d : kWindows) {
        const AnalysisInfo* info = FindAnalysis(d.name);
        ASSERT_NE(info, nullptr) << d.name;
        EXPECT_EQ(info->heightTwips, d.heightTwips) << d.name;
        EXPECT_EQ(info->widthTwips, d.widthTwips) << d.name;
        ResultGrid grid;
        info->build(g, grid);
        EXPECT_EQ(grid.FrozenRows(), d.frozenRows) << d.name;
        EXPECT_EQ(grid.FrozenColumns(), d.frozenColumns) << d.name;
        EXPECT_EQ(grid.VisibleRows(),
                  d.visibleRows == kEveryClass ? g.CountClassRowCount : d.visibleRows)
            << d.name;
        EXPECT_EQ(grid.VisibleColumns(), d.visibleColumns) << d.name;
    }
}

}  // namespace
