#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "data/ConnectionText.h"
#include "data/CsvImport.h"
#include "data/Database.h"
#include "data/DrawStoreLoader.h"
#include "data/Schema.h"
#include "support/TestSupport.h"

namespace {

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const UserError& e) {
        return e.what();
    }
    return {};
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(ConnectionText, HasTheFixedForm) {
    const std::string text = BuildConnectionText("/opt/ロト;7/Loto7Kazoria.mdb");
    EXPECT_EQ(text, "Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=" +
                        DatabasePassword() + ";Data Source=/opt/ロト;7\\Loto7Kazoria.mdb");
    EXPECT_FALSE(DatabasePassword().empty());
    EXPECT_EQ(DatabasePassword().find_first_not_of("0123456789"), std::string::npos);
}

class StoreFile : public ::testing::Test {
  protected:
    TempDir dir;
    std::string path = dir.File("draws.mdb");

    Database Create() {
        Database db = Database::Open(path, Database::Mode::Create);
        EnsureSchema(db);
        return db;
    }
};

TEST_F(StoreFile, RoundTripThroughTheViewKeepsIncompleteRowsAndNumbersNewRows) {
    {
        Database db = Create();
        db.Exec("INSERT INTO 全データ選択クエリ VALUES (1, 1,2,3,4,5,6,7,8,9)");
        db.Exec(
            "INSERT INTO 全データ選択クエリ (第1数字) VALUES (30)");  // number given by the store
        db.Exec("UPDATE 全データ選択クエリ SET 第7数字 = 37 WHERE 回数 = 1");
        db.Exec("INSERT INTO 全データ選択クエリ VALUES (3, 3,4,5,6,7,8,9,10,11)");
        db.Exec("DELETE FROM 全データ選択クエリ WHERE 回数 = 3");
        db.Exec("INSERT INTO 全データ選択クエリ (第1数字) VALUES (31)");
    }
    GlobalBas g;
    OpenDrawStore(g, path);
    const auto& rows = g.Draws.Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].drawNumber, 1);
    EXPECT_EQ(rows[0].numbers[6], 37);
    EXPECT_EQ(rows[1].drawNumber, 2);
    EXPECT_FALSE(rows[1].IsComplete());
    EXPECT_EQ(rows[1].numbers[0], 30);
    EXPECT_EQ(rows[2].drawNumber, 3);  // one after the largest stored number
    EXPECT_EQ(g.LatestDrawNumber, 1);
    EXPECT_TRUE(Contains(g.ConnectionText, "\\draws.mdb"));

    // Read on a thread of its own, as at start-up: the same snapshot.
    const GlobalBas ahead = OpenDrawStoreAhead(path).get();
    EXPECT_EQ(ahead.Draws.Rows().size(), 3u);
    EXPECT_EQ(ahead.LatestDrawNumber, 1);
    EXPECT_EQ(ahead.ConnectionText, g.ConnectionText);
}

TEST_F(StoreFile, DrawNumbersAreUniqueAndPositive) {
    Database db = Create();
    db.Exec("INSERT INTO 全データ選択クエリ VALUES (1, 1,2,3,4,5,6,7,8,9)");
    EXPECT_THROW(db.Exec("INSERT INTO 全データ選択クエリ VALUES (1, 1,2,3,4,5,6,7,8,9)"),
                 DatabaseError);
    EXPECT_THROW(db.Exec("INSERT INTO 全データ選択クエリ VALUES (0, 1,2,3,4,5,6,7,8,9)"),
                 DatabaseError);
}

// A draw file written by the engine directly, keyed with a passphrase and the
// cipher settings of the 3.x file format spelled out (pages of 1024 bytes,
// 64000 derivation rounds, SHA-1 page HMAC), as every file so far was made.
void WriteFileWith3xSettings(const std::string& path, const std::string& passphrase) {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
    const std::string sql =
        "PRAGMA key = '" + passphrase +
        "'; PRAGMA cipher_page_size = 1024; PRAGMA kdf_iter = 64000; PRAGMA cipher_use_hmac = ON;"
        "PRAGMA cipher_hmac_algorithm = HMAC_SHA1; PRAGMA cipher_kdf_algorithm = PBKDF2_HMAC_SHA1;"
        "CREATE TABLE d (回数 INTEGER PRIMARY KEY, 第1数字, 第2数字, 第3数字, 第4数字, "
        "第5数字, 第6数字, 第7数字, ボーナス数字1, ボーナス数字2);"
        "CREATE VIEW 全データ選択クエリ AS SELECT * FROM d;"
        "INSERT INTO d VALUES (1, 1,2,3,4,5,6,7,8,9);";
    ASSERT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);
}

TEST_F(StoreFile, FileIsEncryptedAndOtherPasswordsAreRefusedWithoutChange) {
    Create().Exec("INSERT INTO 全データ選択クエリ VALUES (1, 1,2,3,4,5,6,7,8,9)");
    EXPECT_EQ(ReadFile(path).rfind("SQLite format 3", 0), std::string::npos);

    const std::string other = dir.File("other.mdb");
    WriteFileWith3xSettings(other, "12345");
    const std::string before = ReadFile(other);
    const std::string error = ErrorOf([&] { Database::Open(other, Database::Mode::ReadWrite); });
    EXPECT_TRUE(Contains(error, "パスワードが違います")) << error;
    EXPECT_EQ(ReadFile(other), before);
}

TEST_F(StoreFile, FileWithThe3xCipherSettingsAndThePasswordAsPassphraseOpens) {
    WriteFileWith3xSettings(path, DatabasePassword());
    GlobalBas g;
    OpenDrawStore(g, path);
    EXPECT_EQ(g.LatestDrawNumber, 1);
}

TEST_F(StoreFile, MissingFileSaysWhereAndHowToCreateIt) {
    GlobalBas g;
    const std::string error = ErrorOf([&] { OpenDrawStore(g, path); });
    EXPECT_TRUE(Contains(error, "見つかりません")) << error;
    EXPECT_TRUE(Contains(error, path)) << error;
    EXPECT_TRUE(Contains(error, "import")) << error;
    // Read ahead at start-up, the message comes out of get() unchanged.
    EXPECT_EQ(ErrorOf([&] { OpenDrawStoreAhead(path).get(); }), error);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(StoreFile, BrokenFilesGiveAMessageAndStayAsTheyWere) {
    const std::vector<std::string> contents = {"", "これはデータベースではありません\n",
                                               std::string(5000, '\x01')};
    for (const std::string& content : contents) {
        WriteFile(path, content);
        GlobalBas g;
        const std::string error = ErrorOf([&] { OpenDrawStore(g, path); });
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(Contains(error, path)) << error;
        EXPECT_EQ(ReadFile(path), content);
    }
}

TEST_F(StoreFile, SnapshotRollsBackAWriteAKilledProcessLeftUnfinished) {
    {
        Database db = Create();
        db.Exec("INSERT INTO 全データ選択クエリ VALUES (1, 1,2,3,4,5,6,7,8,9)");
        db.Exec("INSERT INTO 全データ選択クエリ VALUES (2, 2,3,4,5,6,7,8,9,10)");
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A writer that dies inside its transaction after the journal and the
        // changed pages reached the disk.
        Database db = Database::Open(path, Database::Mode::ReadWrite);
        db.Exec("PRAGMA cache_size = 1; BEGIN");
        for (int d = 3; d < 3000; ++d) {
            db.Exec("INSERT INTO 当選データ (回数, 抽せん日) VALUES (" + std::to_string(d) + ", '" +
                    std::string(200, 'x') + "')");
        }
        db.Exec("UPDATE 当選データ SET 第1数字 = 30 WHERE 回数 = 1");
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(std::filesystem::exists(path + "-journal"));
    GlobalBas g;
    OpenDrawStore(g, path);
    ASSERT_EQ(g.Draws.RecordCount(), 2u);
    EXPECT_EQ(g.Draws.Rows()[0].numbers[0], 1);
    EXPECT_EQ(g.LatestDrawNumber, 2);
}

TEST_F(StoreFile, TruncatedDatabaseGivesAMessage) {
    {
        Database db = Create();
        InTransaction(db, [&] {
            for (int d = 1; d <= 400; ++d) {
                db.Exec("INSERT INTO 全データ選択クエリ VALUES (" + std::to_string(d) +
                        ", 1,2,3,4,5,6,7,8,9)");
            }
        });
    }
    std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
    GlobalBas g;
    EXPECT_TRUE(Contains(ErrorOf([&] { OpenDrawStore(g, path); }), "壊れています"));
}

TEST_F(StoreFile, ValuesThatDoNotConvertNameTheDrawShownEscaped) {
    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {{"'abc'", "「abc」"},
                 {"CAST(x'61006200' AS TEXT)", "「a\\x00b\\x00」"},
                 {"CAST(x'41ff42' AS TEXT)", "「A\\xFFB」"}};
    for (const auto& c : cases) {
        std::filesystem::remove(path);
        Create().Exec(
            "INSERT INTO 当選データ (回数, 第1数字, 第2数字, 第3数字, 第4数字, 第5数字, "
            "第6数字, 第7数字, ボーナス数字1, ボーナス数字2) VALUES (7, 1, 2, 3, 4, 5, 6, " +
            std::string(c.stored) + ", 8, 9)");
        GlobalBas g;
        const std::string error = ErrorOf([&] { OpenDrawStore(g, path); });
        EXPECT_TRUE(Contains(error, "第7回")) << error;
        EXPECT_TRUE(Contains(error, "第7数字")) << error;
        EXPECT_TRUE(Contains(error, c.shown)) << error;
    }
}

TEST(ConvertToInt16, AcceptsWholeNumbersInAnyStoredForm) {
    EXPECT_EQ(ConvertToInt16(FieldValue{12LL}).value, 12);
    EXPECT_TRUE(ConvertToInt16(FieldValue{12LL}).converts);
    EXPECT_EQ(ConvertToInt16(FieldValue{std::string(" 7 ")}).value, 7);
    EXPECT_EQ(ConvertToInt16(FieldValue{3.0}).value, 3);
    for (const FieldValue& empty : {FieldValue{std::monostate{}}, FieldValue{std::string("")}}) {
        EXPECT_TRUE(ConvertToInt16(empty).converts);
        EXPECT_FALSE(ConvertToInt16(empty).value.has_value());
    }
    for (const FieldValue& bad : {FieldValue{40000LL}, FieldValue{-40000LL}, FieldValue{2.5},
                                  FieldValue{std::string("1.5")}, FieldValue{std::string("x")}}) {
        EXPECT_FALSE(ConvertToInt16(bad).converts);
    }
}

}  // namespace
