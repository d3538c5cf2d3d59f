#include <gtest/gtest.h>

#include "data/EditableRecordSet.h"
#include "data/PrizeStore.h"
#include "support/DrawDatabase.h"

namespace {

using Rows = std::vector<std::string>;

const Rows kThreeDraws = {"1, 7,10,12,17,23,28,34,3,15", "2, 20,24,29,31,33,34,35,12,32",
                          "3, 1,2,3,4,5,6,7,8,9"};

class EditableRecords : public ::testing::Test {
  protected:
    TempDir dir;
    std::string connection = CreateDrawDatabase(dir, kThreeDraws);
    EditableRecordSet records{connection};

    void Sql(const std::string& statement) const {
        Database::Open(connection, Database::Mode::ReadWrite).Exec(statement);
    }
};

TEST_F(EditableRecords, AFailedWriteKeepsTheStoredStateAndLaterWritesStillWork) {
    // The database refuses changes to draw 2, as a full disk or a lock would.
    Sql("CREATE TRIGGER refuse BEFORE UPDATE ON 当選データ WHEN OLD.回数 = 2 "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    try {
        records.SetNumber(1, 0, 9);
        FAIL() << "the write should fail";
    } catch (const DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("第2回の「第1数字」を保存できませんでした。"),
                  std::string::npos);
    }
    EXPECT_EQ(records.Row(1).numbers[0], FieldValue(20LL));
    records.SetNumber(0, 0, 9);  // no transaction was left open
    EXPECT_EQ(StoredRows(connection)[0], "1:9,10,12,17,23,28,34,3,15");
    EXPECT_EQ(StoredRows(connection)[1], "2:20,24,29,31,33,34,35,12,32");
}

TEST_F(EditableRecords, ARowChangedOrDeletedElsewhereIsNotOverwritten) {
    Sql("UPDATE 当選データ SET 第1数字 = 11 WHERE 回数 = 1");
    Sql("DELETE FROM 当選データ WHERE 回数 = 3");
    EXPECT_THROW(records.SetNumber(0, 1, 30), DatabaseError);
    EXPECT_THROW(records.Delete(2), DatabaseError);
    EXPECT_EQ(records.RecordCount(), 3u);
    EXPECT_EQ(StoredRows(connection),
              (Rows{"1:11,10,12,17,23,28,34,3,15", "2:20,24,29,31,33,34,35,12,32"}));
}

TEST_F(EditableRecords, NoDrawNumberBeyondSixteenBitsIsHandedOut) {
    Sql("INSERT INTO 当選データ (回数) VALUES (32767)");
    EditableRecordSet full(connection);
    EXPECT_THROW(full.InsertAt(0), DatabaseError);
    EXPECT_EQ(full.RecordCount(), 4u);
    EXPECT_EQ(StoredRows(connection).size(), 4u);
}

TEST_F(EditableRecords, CommitsUseTheRollbackJournalWithFullSync) {
    Statement sync(records.Connection(), "PRAGMA synchronous");
    ASSERT_TRUE(sync.Step());
    EXPECT_EQ(sqlite3_column_int(sync.Handle(), 0), 2);  // FULL
    Statement journal(records.Connection(), "PRAGMA journal_mode");
    ASSERT_TRUE(journal.Step());
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(journal.Handle(), 0)), "delete");
}

TEST_F(EditableRecords, ADeletedDrawTakesItsPrizeLinesWithIt) {
    DrawPrizes prizes;
    prizes.tiers[5] = PrizeLine{100, 1'000};
    prizes.sales = 300'000'000;
    for (int draw : {2, 3}) StorePrizes(connection, draw, prizes);
    records.Delete(1);  // draw 2
    const Database db = Database::Open(connection, Database::Mode::ReadOnly);
    EXPECT_TRUE(ReadPrizes(db, 2).Empty());
    EXPECT_EQ(ReadPrizes(db, 3), prizes);
}

}  // namespace
