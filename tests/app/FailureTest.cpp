// Bad input of every kind, given to the real program: each ends with a
// Japanese message and a documented exit status, never an abort or a hang,
// and leaves the database and the options file byte for byte as they were.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QProcess>
#include <QThread>
#include <filesystem>
#include <functional>
#include <iostream>

#include "app/CommandLine.h"
#include "data/CsvImport.h"
#include "data/Database.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;  // -1: crashed or hung
    std::string out, err;
};

Outcome Program(const std::string& directory, const QStringList& arguments) {
    QProcess program;
    program.setWorkingDirectory(QString::fromStdString(directory));
    program.start(QStringLiteral(LOTO7_EXECUTABLE), arguments);
    if (!program.waitForFinished(30000)) program.kill();
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            program.readAllStandardOutput().toStdString(),
            program.readAllStandardError().toStdString()};
}

const std::string kHeader =
    "回数,抽せん日,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,"
    "ボーナス数字2\n";

// A database whose stored query yields twenty million rows from a few pages.
void WriteEndlessDatabase(const std::string& path) {
    const Database db = Database::Open(path, Database::Mode::Create);
    db.Exec(
        "CREATE VIEW 全データ選択クエリ AS WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL "
        "SELECT x + 1 FROM c WHERE x < 20000000) SELECT x AS 回数, 1 AS 第1数字, 2 AS 第2数字, "
        "3 AS 第3数字, 4 AS 第4数字, 5 AS 第5数字, 6 AS 第6数字, 7 AS 第7数字, "
        "8 AS ボーナス数字1, 9 AS ボーナス数字2 FROM c");
}

class Failure : public ::testing::Test {
  protected:
    TempDir dir;
    std::string db = dir.File("Loto7Kazoria.mdb");
    std::string options = dir.File("ロト7カゾリア.ini");

    void SetUp() override {
        ImportCsv(BundledCsvPath(), db);
        WriteFile(options, "頻度分析Opt=True\r\n");
    }
    QString Path(const std::string& name) const { return QString::fromStdString(dir.File(name)); }
};

TEST_F(Failure, EveryBadInputEndsWithAMessageAndAnHonestStatusAndChangesNothing) {
    fs::create_directory(dir.File("folder"));
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    WriteFile(dir.File("big.csv"), kHeader);
    fs::resize_file(dir.File("big.csv"), kMaxCsvBytes + 1);
    WriteFile(dir.File("conflict.csv"), kHeader + "1,,1,2,3,4,5,6,7,8,9\n");
    WriteFile(dir.File("short.csv"), kHeader + "690,,1,2,3,4,5,6,7\n");
    WriteFile(dir.File("text.mdb"), "SQLite format 3 but not really");
    WriteEndlessDatabase(dir.File("endless.mdb"));
    std::string cut = ReadFile(db);
    cut.resize(cut.size() / 2);
    WriteFile(dir.File("cut.mdb"), cut);
    const QString dbArg = QString::fromStdString(db);

    const struct {
        QStringList arguments;
        int status;
        const char* says;
    } cases[] = {
        {{"dump", "バラツキ分析", "--db", ""}, 2, "--db には"},
        {{"dump", "バラツキ分析", "--db", Path("folder")}, 1, "フォルダーです"},
        {{"dump", "バラツキ分析", "--db", Path("fifo")}, 1, "通常のファイルではありません"},
        {{"dump", "バラツキ分析", "--db", "/dev/null"}, 1, "通常のファイルではありません"},
        {{"dump", "バラツキ分析", "--db", Path("text.mdb")}, 1, "パスワードが違います"},
        {{"dump", "バラツキ分析", "--db", Path("cut.mdb")}, 1, "壊れています"},
        {{"dump", "バラツキ分析", "--db", Path("endless.mdb")}, 1, "100000行を超える"},
        {{"dump", "一発カゾリア予想", "--db", Path("endless.mdb")}, 1, "100000行を超える"},
        {{"import", "/dev/zero", "--db", dbArg}, 1, "通常のファイルではありません"},
        // Looks like a file, fails with an input/output error: not a disk fault.
        {{"import", "/proc/self/mem", "--db", dbArg}, 1, "システムの情報を示す特別なファイル"},
        {{"dump", "バラツキ分析", "--db", "/proc/self/status"}, 1, "特別なファイル"},
        {{"import", Path("fifo"), "--db", dbArg}, 1, "通常のファイルではありません"},
        {{"import", Path("folder"), "--db", dbArg}, 1, "フォルダーです"},
        {{"import", Path("big.csv"), "--db", dbArg}, 1, "大きすぎます"},
        {{"import", Path("short.csv"), "--db", dbArg}, 1, "2行目"},
        {{"import", Path("conflict.csv"), "--db", "/dev/null"}, 1, "通常のファイルではありません"},
        {{"import", Path("conflict.csv"), "--db", Path("folder")}, 1, "フォルダーです"},
        {{"import", Path("conflict.csv"), "--db", dbArg}, 3, "登録済みのままにしました"},
        {{"--db", Path("fifo"), "--quit-when-ready"}, 1, "通常のファイルではありません"},
        {{"--db", "", "--quit-when-ready"}, 2, "--db には"},
    };
    const std::string storedBefore = ReadFile(db);
    const std::string optionsBefore = ReadFile(options);
    for (const auto& c : cases) {
        const Outcome run = Program(dir.Path().string(), c.arguments);
        const std::string label = c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.status, c.status) << label << "\n" << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << label << "\n" << run.err;
        EXPECT_EQ(ReadFile(db), storedBefore) << label;
        EXPECT_EQ(ReadFile(options), optionsBefore) << label;
    }
    EXPECT_FALSE(fs::exists("/dev/null-journal"));
    EXPECT_TRUE(fs::is_fifo(dir.File("fifo")));
}

// A database named with a backslash is a file of exactly that name.
TEST_F(Failure, DatabasePathsAreTakenLiterally) {
    const std::string name = "report\\2024.db";
    Outcome run = Program(dir.Path().string(), {"import", QString::fromStdString(BundledCsvPath()),
                                                "--db", QString::fromStdString(name)});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::is_regular_file(dir.Path() / name));
    EXPECT_FALSE(fs::exists(dir.Path() / "report"));
    run = Program(dir.Path().string(),
                  {"dump", "回数別出現分析", "--db", QString::fromStdString(name)});
    EXPECT_EQ(run.status, 0) << run.err;
}

// A writer's lock is waited for, then reported as "in use", never as a
// wrong password.
TEST_F(Failure, ALockedDatabaseIsWaitedForThenReportedAsInUse) {
    const QStringList dump = {"dump", "回数別出現分析", "--db", QString::fromStdString(db)};
    {
        const Database writer = Database::Open(db, Database::Mode::ReadWrite);
        writer.Exec("BEGIN EXCLUSIVE");
        const Outcome locked = Program(dir.Path().string(), dump);
        EXPECT_EQ(locked.status, 1);
        EXPECT_NE(locked.err.find("使用中"), std::string::npos) << locked.err;
        EXPECT_EQ(locked.err.find("パスワード"), std::string::npos) << locked.err;

        // A lock released while the reader waits is no failure at all.
        QProcess reader;
        reader.start(QStringLiteral(LOTO7_EXECUTABLE), dump);
        ASSERT_TRUE(reader.waitForStarted());
        QThread::msleep(300);
        writer.Exec("COMMIT");
        ASSERT_TRUE(reader.waitForFinished(30000));
        EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    }
}

// The program run once as its own process; its exit status, what it said
// and its peak resident memory in MiB, from wait4's account of that child.
struct Measured {
    int status = -1;
    std::string err;
    double peakMiB = 0;
};

Measured RunMeasured(const std::vector<std::string>& arguments) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeFds[1], 2);
        ::dup2(::open("/dev/null", O_WRONLY), 1);
        ::close(pipeFds[0]);
        std::vector<char*> argv{const_cast<char*>(LOTO7_EXECUTABLE)};
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(LOTO7_EXECUTABLE, argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    Measured m;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) m.err.append(buffer, n);
    ::close(pipeFds[0]);
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    m.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    m.peakMiB = usage.ru_maxrss / 1024.0;
    return m;
}

// Crafted input costs no memory: a CSV file whose header is followed by
// sixty million commas is refused; a database whose query builds a text of
// 990 million characters is refused where the engine reports the value as
// too long, and where it silently gives no value instead (its printf), the
// draw is incomplete.  Peak memory stays under 150 MiB either way.
TEST_F(Failure, CraftedInputCostsBoundedMemory) {
    const std::string commas = dir.File("commas.csv");
    WriteFile(commas, "回数" + std::string(60'000'000, ','));
    const auto craft = [&](const std::string& name, const std::string& text) {
        const Database crafted = Database::Open(dir.File(name), Database::Mode::Create);
        crafted.Exec("CREATE VIEW 全データ選択クエリ AS SELECT 1 AS 回数, " + text +
                     " AS 第1数字, 2 AS 第2数字, 3 AS 第3数字, 4 AS 第4数字, 5 AS 第5数字, "
                     "6 AS 第6数字, 7 AS 第7数字, 8 AS ボーナス数字1, 9 AS ボーナス数字2");
        return dir.File(name);
    };
    // The program's own cap; AddressSanitizer's shadow memory and quarantine
    // come on top of it in a sanitizer build, still far below the gigabytes
    // an unbounded read takes.
#if defined(__SANITIZE_ADDRESS__)
    constexpr double kMostPeakMiB = 400.0;
#else
    constexpr double kMostPeakMiB = 150.0;
#endif
    const std::string hex = craft("hex.mdb", "hex(zeroblob(495000000))");
    const std::string printf = craft("printf.mdb", "printf('%.*c', 990000000, 'x')");
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* says;
    } cases[] = {
        {{"import", commas, "--db", dir.File("new.mdb")},
         1,
         "1行目: 見出し行の項目が1000を超えています。"},
        {{"dump", "回数別出現分析", "--db", hex}, 1, "値が長すぎます(1 MiBまで)。"},
        {{"dump", "回数別出現分析", "--db", printf}, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.back());
        const Measured run = RunMeasured(c.arguments);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_LT(run.peakMiB, kMostPeakMiB);
        std::cout << "peak resident memory of " << c.arguments.front() << " " << c.arguments.back()
                  << ": " << run.peakMiB << " MiB\n";
    }
    EXPECT_FALSE(fs::exists(dir.File("new.mdb")));
}

// A relative database name after the working folder was removed.
TEST(FailureInProcess, AVanishedWorkingFolderIsAMessage) {
    const fs::path before = fs::current_path();
    {
        TempDir dir;
        fs::current_path(dir.Path());
        fs::remove(dir.Path());
        for (const std::vector<std::string>& words :
             {std::vector<std::string>{"dump", "回数別出現分析"},
              std::vector<std::string>{"import", "draws.csv"}}) {
            std::ostringstream out, err;
            const int status =
                RunHeadlessCommand(ParseArguments(words, "Loto7Kazoria.mdb"), out, err);
            EXPECT_EQ(status, 1) << err.str();
            EXPECT_NE(err.str().find("見つかりません"), std::string::npos) << err.str();
        }
        fs::current_path(before);
    }
}

}  // namespace
