// Every writer of the program against a target that fails: on a write, on
// the sync to disk, on the rename, on a full file system and past the file
// size limit.  Each ends with status 1 and a Japanese message naming the
// cause, leaves the previous file byte for byte as it was, and leaves no
// temporary file behind.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <cerrno>
#include <filesystem>
#include <functional>

#include "AppTestSupport.h"
#include "core/WholeFile.h"
#include "data/NewDatabaseFile.h"
#include "prediction/ReflectOptions.h"

namespace {

namespace fs = std::filesystem;

// A writer: writes its file into folder and says how it ended.
struct Writer {
    const char* name;
    const char* file;  // the target's name in the folder
    std::function<Outcome(const std::string& target)> write;
    bool replaces = true;  // false: it only creates (the database)
};

std::vector<Writer> EveryWriter(const std::string& db, const std::string& csv) {
    const auto exportTo = [db](const std::string& target) {
        return RunCli({"export", "分割6データ分析", "--out", target}, db);
    };
    const auto options = [](const std::string& target) {
        ReflectOptions flags;
        flags.SetFlag(2, true);
        try {
            flags.WriteInitFile(target);
        } catch (const UserError& e) {
            return Outcome{1, "", e.what()};
        }
        return Outcome{};
    };
    const auto create = [csv](const std::string& target) {
        return RunCli({"import", csv, "--db", target}, target);
    };
    return {{"export CSV", "表.csv", exportTo},
            {"export PNG", "表.png", exportTo},
            {"export PDF", "表.pdf", exportTo},
            {"options file", "ロト7カゾリア.ini", options},
            {"database creation", "new.mdb", create, false}};
}

// Each case's failing system call, for the writers that go through them.
ssize_t FailWrite(int, const void*, size_t) {
    errno = ENOSPC;
    return -1;
}
int FailSync(int) {
    errno = EIO;
    return -1;
}
int FailRename(const char*, const char*) {
    errno = EACCES;
    return -1;
}
const WholeFileCalls kFailingWrite{FailWrite, ::fsync, ::rename};
const WholeFileCalls kFailingSync{::write, FailSync, ::rename};
const WholeFileCalls kFailingRename{::write, ::fsync, FailRename};

class Writers : public ::testing::Test {
  protected:
    TempDir dir;
    std::string db = dir.File("Loto7Kazoria.mdb");
    std::string csv = BundledCsvPath();
    void SetUp() override { ImportCsv(csv, db); }
    void TearDown() override {
        SetWholeFileCallsForTesting(nullptr);
        SetRenameFunctionForTesting(nullptr);
    }

    // Runs every writer into folder after prepare (which returns false for
    // a writer the fault does not reach), expecting status 1, the message
    // part says, the previous file unchanged and nothing left behind.
    void ExpectEveryWriterFails(const fs::path& folder, const std::string& says,
                                const std::function<bool(const Writer&)>& prepare) {
        for (const Writer& writer : EveryWriter(db, csv)) {
            SCOPED_TRACE(writer.name);
            const std::string target = (folder / writer.file).string();
            const std::string previous = std::string("前のファイル ") + writer.name;
            fs::remove(folder / "filler");
            if (writer.replaces) WriteFile(target, previous);
            if (!prepare(writer)) continue;
            const auto before = std::distance(fs::directory_iterator(folder), {});
            const Outcome run = writer.write(target);
            SetWholeFileCallsForTesting(nullptr);
            SetRenameFunctionForTesting(nullptr);
            EXPECT_EQ(run.status, 1);
            EXPECT_NE(run.err.find("「" + target + "」"), std::string::npos) << run.err;
            EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
            if (writer.replaces) {
                EXPECT_EQ(ReadFile(target), previous);
                EXPECT_NE(run.err.find("元のファイルは変わっていません。"), std::string::npos);
            } else {
                EXPECT_FALSE(fs::exists(target));
            }
            EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), before) << "left behind";
            fs::remove(target);
        }
    }
};

TEST_F(Writers, AFailedWriteSyncOrRenameKeepsThePreviousFile) {
    const fs::path folder = dir.Path() / "out";
    fs::create_directory(folder);
    const struct {
        const char* step;
        const WholeFileCalls* calls;
        const char* says;
    } cases[] = {
        {"write", &kFailingWrite, "ディスクがいっぱいです。"},
        {"sync", &kFailingSync, "ディスクの読み書きで装置のエラーが起きました。"},
        {"rename", &kFailingRename, "許可がありません。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        ExpectEveryWriterFails(folder, c.says, [&](const Writer& writer) {
            if (writer.replaces) {
                SetWholeFileCallsForTesting(c.calls);
                return true;
            }
            // The database engine writes and syncs the new database itself
            // (a failure of those shows on the full file system below); the
            // rename is the program's.
            if (c.calls != &kFailingRename) return false;
            SetRenameFunctionForTesting(FailRename);
            return true;
        });
    }
}

// A full file system: a small tmpfs, which needs root to mount.
TEST_F(Writers, AFullFileSystemKeepsThePreviousFile) {
    const fs::path folder = dir.Path() / "full";
    fs::create_directory(folder);
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=200k") != 0) {
        GTEST_SKIP() << "A tmpfs cannot be mounted here (" << errno
                     << "); the failing calls above stand in for a full disk.";
    }
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{folder.string()};
    ExpectEveryWriterFails(folder, "ディスクがいっぱいです。", [&](const Writer&) {
        // Fill it to the last byte; the previous file is already there.
        const std::string filler = (folder / "filler").string();
        std::string block(4096, 'x');
        FILE* out = std::fopen(filler.c_str(), "wb");
        while (std::fwrite(block.data(), 1, block.size(), out) == block.size()) {
        }
        std::fclose(out);
        out = std::fopen(filler.c_str(), "ab");
        while (std::fwrite("x", 1, 1, out) == 1 && std::fflush(out) == 0) {
        }
        std::fclose(out);
        return true;
    });
}

// Past the file size limit (ulimit -f), which anyone can set: the real
// program, not a replaced call.
TEST_F(Writers, AFileSizeLimitKeepsThePreviousFile) {
    for (const char* name : {"表.csv", "表.pdf", "表.png"}) {
        SCOPED_TRACE(name);
        const std::string target = dir.File(name);
        WriteFile(target, "前のファイル");
        QProcess program;
        program.start("bash", {"-c", "ulimit -f 2 && exec \"$0\" \"$@\"", LOTO7_EXECUTABLE,
                               "export", "分割6データ分析", "--db", QString::fromStdString(db),
                               "--out", QString::fromStdString(target)});
        ASSERT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 1);
        const std::string err = program.readAllStandardError().toStdString();
        EXPECT_NE(err.find("に書き込めません。ファイルの大きさの上限を超えました。"),
                  std::string::npos)
            << err;
        EXPECT_EQ(ReadFile(target), "前のファイル");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 4);
}

}  // namespace
