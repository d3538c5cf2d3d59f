#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "data/CsvImport.h"
#include "data/DrawStoreLoader.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

// Read-only files and folders: the snapshot still loads, an import is
// refused with a message, and the stored draws stay as they were.
TEST(ReadOnlyStore, SnapshotLoadsAndImportIsRefusedWithoutChange) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    TempDir dir;
    const std::string db = dir.File("draws.mdb");
    ImportCsv(BundledCsvPath(), db);
    const std::string before = ReadFile(db);
    const std::string csv = dir.File("more.csv");
    WriteFile(csv,
              "回数,抽せん日,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,"
              "ボーナス数字1,ボーナス数字2\n690,,1,2,3,4,5,6,7,8,9\n");
    fs::permissions(db, fs::perms::owner_read);
    GlobalBas g;
    OpenDrawStore(g, db);
    EXPECT_EQ(g.LatestDrawNumber, 689);
    EXPECT_THROW(ImportCsv(csv, db), UserError);
    EXPECT_EQ(ReadFile(db), before);

    fs::permissions(db, fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    GlobalBas again;
    OpenDrawStore(again, db);
    EXPECT_EQ(again.LatestDrawNumber, 689);
    EXPECT_THROW(ImportCsv(csv, db), UserError);
    fs::permissions(dir.Path(), fs::perms::owner_all);
    EXPECT_EQ(ReadFile(db), before);
}

TEST(ReadOnlyStore, UnreadableDatabaseIsReportedAsSuch) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    TempDir dir;
    const std::string db = dir.File("draws.mdb");
    ImportCsv(BundledCsvPath(), db);
    fs::permissions(db, fs::perms::none);
    GlobalBas g;
    try {
        OpenDrawStore(g, db);
        ADD_FAILURE() << "an unreadable file was opened";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("読み取る許可がありません"), std::string::npos)
            << e.what();
    }
    fs::permissions(db, fs::perms::owner_read);
    EXPECT_NO_THROW(OpenDrawStore(g, db));
}

}  // namespace
