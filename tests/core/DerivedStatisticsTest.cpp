#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

TEST(DerivedStatistics, IncompleteRowsCountForNothingAndNeverBecomeLatest) {
    TestDraw partial{3, {1, 2, 3, 4, 5, 6, 7, 8, std::nullopt}};
    const GlobalBas g = MakeGlobals(
        {Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}), Draw(2, {1, 2, 3, 4, 5, 6, 7, 8, 10}), partial});
    EXPECT_EQ(g.Draws.RecordCount(), 3u);
    EXPECT_EQ(g.LatestDrawNumber, 2);
    EXPECT_EQ(g.NumberCount[1], 2);
    EXPECT_EQ(g.NumberCount[9], 1);  // bonus 2 counts like a main number
    EXPECT_EQ(g.NumberCount[8], 2);  // bonus 1 as well
    EXPECT_EQ(g.NumberCount[11], 0);
    EXPECT_EQ(g.MaxCount, 2);
}

TEST(DerivedStatistics, CountClassesListNumbersAscendingWithoutBlanks) {
    // 5 and 12 appear three times, 1 … 4 and 6 … 9 once or twice.
    const GlobalBas g =
        MakeGlobals({Draw(1, {12, 5, 1, 2, 3, 4, 6, 7, 8}), Draw(2, {5, 12, 1, 2, 3, 4, 6, 7, 9}),
                     Draw(3, {12, 5, 20, 21, 22, 23, 24, 25, 26})});
    EXPECT_EQ(g.MaxCount, 3);
    ASSERT_EQ(g.CountClassList.size(), 4u);
    EXPECT_EQ(g.CountClassList[3], "5,12");
    EXPECT_EQ(g.CountClassList[2], "1,2,3,4,6,7");
    EXPECT_EQ(g.CountClassList[1], "8,9,20,21,22,23,24,25,26");
    EXPECT_EQ(g.CountClassList[0].rfind("10,11,13,", 0), 0u);
    EXPECT_EQ(g.CountClassRowCount, 5);
}

TEST(DerivedStatistics, EmptyAndAllIncompleteDatabases) {
    const GlobalBas empty = MakeGlobals({});
    EXPECT_EQ(empty.MaxCount, 0);
    EXPECT_EQ(empty.CountClassRowCount, 0);
    EXPECT_EQ(empty.LatestDrawNumber, 0);
    EXPECT_TRUE(empty.CountClassList.empty());

    // Rows but none complete: every number sits in the class of count 0.
    const GlobalBas none = MakeGlobals({TestDraw{1, {1, 2, std::nullopt}}});
    EXPECT_EQ(none.CountClassRowCount, 2);
    ASSERT_EQ(none.CountClassList.size(), 1u);
    EXPECT_EQ(none.CountClassList[0].substr(0, 6), "1,2,3,");
}

TEST(DerivedStatistics, ValuesOutsideOneToThirtySevenAreNotCounted) {
    const GlobalBas g = MakeGlobals({Draw(1, {0, -4, 38, 500, 5, 6, 7, 8, 9})});
    int total = 0;
    for (int n = 1; n <= 37; ++n) total += g.NumberCount[n];
    EXPECT_EQ(total, 5);
    EXPECT_EQ(g.LatestDrawNumber, 1);
}

TEST(DerivedStatistics, CountPast32767StopsWithTheDrawNamed) {
    std::vector<TestDraw> draws;
    for (int d = 1; d <= 3641; ++d) draws.push_back(Draw(d, {1, 1, 1, 1, 1, 1, 1, 1, 1}));
    try {
        MakeGlobals(draws);
        FAIL() << "no error for a count past 32767";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("第3641回"), std::string::npos) << e.what();
    }
}

TEST(DerivedStatistics, RealHistoryInvariants) {
    const GlobalBas& g = RealHistory();
    int complete = 0;
    for (const DrawRecord& row : g.Draws.Rows()) complete += row.IsComplete() ? 1 : 0;
    EXPECT_EQ(complete, 689);
    EXPECT_EQ(g.LatestDrawNumber, 689);
    int total = 0;
    for (int n = 1; n <= 37; ++n) total += g.NumberCount[n];
    EXPECT_EQ(total, 9 * complete);
    // Every number 1 … 37 is listed in exactly one class.
    std::vector<int> seen(38, 0);
    int classes = 0;
    for (const std::string& list : g.CountClassList) {
        if (list.empty()) continue;
        ++classes;
        std::size_t start = 0;
        while (start <= list.size()) {
            const auto comma = list.find(',', start);
            ++seen.at(std::stoi(list.substr(start, comma - start)));
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
    }
    for (int n = 1; n <= 37; ++n) EXPECT_EQ(seen[n], 1) << n;
    EXPECT_EQ(g.CountClassRowCount, classes + 1);
}

}  // namespace
