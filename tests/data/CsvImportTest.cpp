#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "core/DrawRecord.h"
#include "data/CsvImport.h"
#include "data/Database.h"
#include "data/DrawStoreLoader.h"
#include "data/PrizeStore.h"
#include "data/TicketStore.h"
#include "support/TestSupport.h"

namespace {

const std::string kHeader =
    "回数,抽せん日,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,"
    "ボーナス数字2\r\n";

class Import : public ::testing::Test {
  protected:
    TempDir dir;
    std::string csv = dir.File("draws.csv");
    std::string db = dir.File("draws.mdb");

    ImportReport Run(const std::string& text) {
        WriteFile(csv, text);
        return ImportCsv(csv, db);
    }
    std::vector<DrawRecord> Stored() {
        GlobalBas g;
        OpenDrawStore(g, db);
        return g.Draws.Rows();
    }
    std::string Refusal(const std::string& text) {
        try {
            Run(text);
        } catch (const UserError& e) {
            return e.what();
        }
        return {};
    }
};

TEST_F(Import, HeaderOnlyCreatesAnEmptyDatabase) {
    const ImportReport report = Run(kHeader);
    EXPECT_EQ(report.added, 0);
    EXPECT_TRUE(Stored().empty());
}

TEST_F(Import, EmptyDateAndEmptyNumbersMakeIncompleteDraws) {
    Run(kHeader + "1,,1,2,3,4,5,6,7,8,9\r\n2,2013-04-12,10,11,,13,14,15,16,17,18\r\n");
    const auto rows = Stored();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(rows[0].IsComplete());
    EXPECT_FALSE(rows[1].IsComplete());
    EXPECT_FALSE(rows[1].Has(2));
    EXPECT_EQ(rows[1].numbers[8], 18);
}

TEST_F(Import, BadValueRefusesTheWholeFileNamingTheLine) {
    Run(kHeader + "1,,1,2,3,4,5,6,7,8,9\n");
    for (const std::string bad : {"0", "38", "1.5", "x", "-3"}) {
        const std::string error =
            Refusal(kHeader + "2,,1,2,3,4,5,6,7,8,9\n3,,1,2,3,4,5,6," + bad + ",8,9\n");
        EXPECT_NE(error.find("3行目"), std::string::npos) << bad << ": " << error;
        EXPECT_NE(error.find("第7数字"), std::string::npos) << error;
    }
    EXPECT_EQ(Stored().size(), 1u);  // draw 2 of the refused files was not stored either
    EXPECT_NE(Refusal(kHeader + "0,,1,2,3,4,5,6,7,8,9\n").find("回数"), std::string::npos);
    EXPECT_NE(Refusal("a,b,c\n1,2,3\n").find("見出し"), std::string::npos);
}

TEST_F(Import, ReimportAddsNothingAndConflictsKeepTheStoredDraw) {
    Run(kHeader + "1,,1,2,3,4,5,6,7,8,9\n2,,2,3,4,5,6,7,8,9,10\n");
    const ImportReport again =
        Run(kHeader + "1,,1,2,3,4,5,6,7,8,9\n2,,20,3,4,5,6,7,8,9,10\n3,,3,4,5,6,7,8,9,10,11\n");
    EXPECT_EQ(again.added, 1);
    EXPECT_EQ(again.unchanged, 1);
    ASSERT_EQ(again.conflicts.size(), 1u);
    EXPECT_NE(again.conflicts[0].find("第2回"), std::string::npos);
    const auto rows = Stored();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].numbers[0], 2);
}

TEST_F(Import, DifferingDuplicateWithinOneFileIsRefused) {
    const std::string error = Refusal(kHeader + "1,,1,2,3,4,5,6,7,8,9\n1,,1,2,3,4,5,6,7,8,10\n");
    EXPECT_NE(error.find("重複"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(db));
}

// What --replace does to a stored draw 1 of 1…9 dated 2013/4/5: a blank
// never empties a stored number (the file is refused naming the line), a
// row without a date keeps the stored date, a row with one replaces it, and
// a blank where the stored draw has none too is no loss.
TEST_F(Import, ReplacingNeverEmptiesAStoredNumberAndKeepsAStoredDate) {
    const auto storedDate = [&] {
        const Database database = Database::Open(db, Database::Mode::ReadOnly);
        Statement query(database, "SELECT coalesce(抽せん日, '') FROM 当選データ WHERE 回数 = 1");
        query.Step();
        return std::string(reinterpret_cast<const char*>(sqlite3_column_text(query.Handle(), 0)));
    };
    const auto numbers = [&] {
        std::string text;
        for (int f = 0; f < kFieldCount; ++f) {
            const DrawRecord row = Stored().front();
            text += (f ? "," : "") + (row.Has(f) ? std::to_string(row.numbers[f]) : "");
        }
        return text;
    };
    Run(kHeader + "1,2013/4/5,1,2,3,4,5,6,7,8,9\n");
    const struct {
        const char* row;
        const char* refusal;  // empty: stored
        const char* date;
        const char* numbers;
    } steps[] = {
        {"1,,,,,,,,,,", "第1回(2行目)は「第1数字」「第2数字」", "2013/4/5", "1,2,3,4,5,6,7,8,9"},
        {"1,2013/4/6,1,2,3,4,5,6,7,8,", "「ボーナス数字2」が空欄です。", "2013/4/5",
         "1,2,3,4,5,6,7,8,9"},
        {"1,,1,2,3,4,5,6,7,8,10", "", "2013/4/5", "1,2,3,4,5,6,7,8,10"},
        {"1,2013年4月5日,11,2,3,4,5,6,7,8,10", "", "2013年4月5日", "11,2,3,4,5,6,7,8,10"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.row);
        WriteFile(csv, kHeader + step.row + "\n");
        std::string error;
        try {
            ImportCsv(csv, db, ImportMode::ReplaceStored);
        } catch (const UserError& e) {
            error = e.what();
        }
        if (*step.refusal) {
            EXPECT_NE(error.find(step.refusal), std::string::npos) << error;
            EXPECT_NE(error.find("空欄で登録済みの数字「1,2,3,4,5,6,7／8,9」を消すことはしない"),
                      std::string::npos)
                << error;
        } else {
            EXPECT_EQ(error, "");
        }
        EXPECT_EQ(storedDate(), step.date);
        EXPECT_EQ(numbers(), step.numbers);
    }
    // Blanks where the stored draw has no number either replace nothing stored.
    Run(kHeader + "2,,1,2,3,4,5,6,7,,\n");
    WriteFile(csv, kHeader + "2,,1,2,3,4,5,6,8,,\n");
    EXPECT_EQ(ImportCsv(csv, db, ImportMode::ReplaceStored).replaced.size(), 1u);
}

TEST_F(Import, BundledHistoryLoadsCompletely) {
    const ImportReport report = ImportCsv(BundledCsvPath(), db);
    EXPECT_EQ(report.added, 689);
    EXPECT_TRUE(report.conflicts.empty());
    const auto rows = Stored();
    ASSERT_EQ(rows.size(), 689u);
    EXPECT_EQ(rows.front().drawNumber, 1);
    EXPECT_EQ(rows.back().drawNumber, 689);
}

TEST_F(Import, PrizeColumnsFillThePrizeTablesBesideTheDraws) {
    const std::string header =
        "回数,抽せん日,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,"
        "ボーナス数字2,1等口数,1等賞金,2等当選口数,2等当選金額,6等口数,6等金額,キャリーオーバー,"
        "販売実績額\n";
    const ImportReport report =
        Run(header +
            "1,2013-04-05,7,10,12,17,23,28,34,3,15,該当なし,,\"2\",\"7,272,200円\","
            "\"140,000\",1000,\"1,234,567,890\",2345678900\n"
            "2,2013-04-12,20,24,29,31,33,34,35,12,32,,,,,,,,\n");
    EXPECT_EQ(report.added, 2);
    EXPECT_EQ(report.prizeDraws, 1);
    const Database file = Database::Open(db, Database::Mode::ReadOnly);
    EXPECT_EQ(SchemaVersion(file), kPrizeSchemaVersion);
    const DrawPrizes first = ReadPrizes(file, 1);
    EXPECT_EQ(first.tiers[0], (PrizeLine{0, 0}));
    EXPECT_EQ(first.tiers[1], (PrizeLine{2, 7'272'200}));
    EXPECT_FALSE(first.tiers[2]);
    EXPECT_EQ(first.tiers[5], (PrizeLine{140'000, 1'000}));
    EXPECT_EQ(first.carryOver, 1'234'567'890);
    EXPECT_EQ(first.sales, 2'345'678'900);
    EXPECT_TRUE(ReadPrizes(file, 2).Empty());

    // A tier with winners and no amount, or an amount nobody won, refuses the file.
    EXPECT_NE(Refusal(header + "3,,1,2,3,4,5,6,7,8,9,2,,,,,,,\n").find("1等の当選金額がありません"),
              std::string::npos);
    EXPECT_NE(Refusal(header + "3,,1,2,3,4,5,6,7,8,9,0,100,,,,,,\n").find("該当なし（0口）"),
              std::string::npos);
    EXPECT_NE(Refusal(header + "3,,1,2,3,4,5,6,7,8,9,x,100,,,,,,\n").find("「1等口数」の値「x」"),
              std::string::npos);
}

}  // namespace
