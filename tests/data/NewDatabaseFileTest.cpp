#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "data/CsvImport.h"
#include "data/DrawStoreLoader.h"
#include "data/NewDatabaseFile.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

const std::string kHeader =
    "回数,抽せん日,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,"
    "ボーナス数字2\n";

class NewDatabaseFile : public ::testing::Test {
  protected:
    TempDir dir;
    std::string db = dir.File("draws.mdb");
    std::string csv = dir.File("draws.csv");

    void SetUp() override { WriteFile(csv, kHeader + "1,,1,2,3,4,5,6,7,8,9\n"); }
    void TearDown() override { SetRenameFunctionForTesting(nullptr); }
    std::size_t FilesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir.Path()), {}));
    }
};

// A process killed after the new file was filled but before it was moved
// into place leaves no database at all, and no half-made one.
TEST_F(NewDatabaseFile, AFailureBeforeTheRenameLeavesNothingBehind) {
    SetRenameFunctionForTesting([](const char*, const char*) {
        errno = EIO;
        return -1;
    });
    EXPECT_THROW(ImportCsv(csv, db), UserError);
    EXPECT_FALSE(fs::exists(db));
    EXPECT_EQ(FilesInFolder(), 1u);  // only the CSV file
}

// Another import that made the file a moment earlier wins the rename; this
// one then adds its draws to that file instead of failing.
TEST_F(NewDatabaseFile, AFileMadeMeanwhileByAnotherImportIsAddedTo) {
    static std::string other;
    other = dir.File("other.csv");
    WriteFile(other, kHeader + "2,,10,11,12,13,14,15,16,17,18\n");
    static std::string target;
    target = db;
    SetRenameFunctionForTesting([](const char*, const char*) {
        SetRenameFunctionForTesting(nullptr);
        ImportCsv(other, target);
        errno = EEXIST;
        return -1;
    });
    const ImportReport report = ImportCsv(csv, db);
    EXPECT_EQ(report.added, 1);
    GlobalBas g;
    OpenDrawStore(g, db);
    EXPECT_EQ(g.Draws.RecordCount(), 2u);
    EXPECT_EQ(FilesInFolder(), 3u);  // the two CSV files and the database
}

// What killed creations of draws.mdb left behind is removed by the next
// creation: this program's temporary files of this user that no process
// holds, with their journals.  A temporary file another creation still
// holds, and everything else in the folder, stays.
TEST_F(NewDatabaseFile, LeftoversOfKilledCreationsAreRemovedAndNothingElse) {
    const auto make = [&](const std::string& name) {
        WriteFile(dir.File(name), "leftover");
        return dir.File(name);
    };
    const std::vector<std::string> removed = {
        make(".draws.mdb.new-a1B2c3"), make(".draws.mdb.new-a1B2c3-journal"),
        make(".draws.mdb.new-Zz9Zz9"), make(".draws.mdb.new-gone01-journal")};
    std::vector<std::string> kept = {
        make(".draws.mdb.new-held01"),    make(".draws.mdb.new-a1B2c3d"),
        make(".other.mdb.new-a1B2c3"),    make("draws.mdb.new-a1B2c3"),
        make(".draws.mdb.new-a1B2c"),     dir.File(".draws.mdb.new-link01"),
        dir.File(".draws.mdb.new-dir001")};
    fs::create_symlink(csv, kept[5]);
    fs::create_directory(kept[6]);
    if (::geteuid() == 0) {
        kept.push_back(make(".draws.mdb.new-other1"));
        ASSERT_EQ(::chown(kept.back().c_str(), 65534, 65534), 0);
    }
    // A creation still at work holds its temporary file.
    const int held = ::open(kept[0].c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    EXPECT_EQ(ImportCsv(csv, db).added, 1);
    ::close(held);
    for (const std::string& path : removed) EXPECT_FALSE(fs::exists(path)) << path;
    for (const std::string& path : kept) EXPECT_TRUE(fs::exists(fs::symlink_status(path))) << path;
    EXPECT_EQ(ReadFile(kept[0]), "leftover");
    EXPECT_EQ(FilesInFolder(), 2 + kept.size());  // the CSV file, the database and the kept
}

}  // namespace
