// The whole program as a user starts it: a process on the offscreen platform.
#include <gtest/gtest.h>

#include <QProcess>
#include <filesystem>

#include "data/CsvImport.h"
#include "data/DrawStoreLoader.h"
#include "support/TestSupport.h"

namespace {

struct Finished {
    int status = -1;
    QString err;
};

Finished RunProgram(const std::string& directory, const QStringList& arguments,
                    const QString& executable = QStringLiteral(LOTO7_EXECUTABLE)) {
    QProcess program;
    program.setWorkingDirectory(QString::fromStdString(directory));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(executable, arguments);
    program.waitForFinished(60000);
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromUtf8(program.readAllStandardError())};
}

TEST(Program, OpensEveryWindowAndShutsDownWritingTheOptionsFile) {
    TempDir dir;
    const std::string db = dir.File("Loto7Kazoria.mdb");
    ImportCsv(BundledCsvPath(), db);
    const std::string before = ReadFile(db);
    const Finished run = RunProgram(dir.Path().string(), {"--db", QString::fromStdString(db),
                                                          "--open-all", "--quit-when-ready"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("グラフの部品"))) << run.err.toStdString();
    EXPECT_EQ(ReadFile(db), before);  // reading never touches the database
    EXPECT_NE(ReadFile(dir.File("ロト7カゾリア.ini")).find("\r\n"), std::string::npos);
}

// A copy of the program without libloto7ondemand.so beside it still opens a
// chart's window, and says in its place, and once in a message, what is
// missing and where it was looked for.
TEST(Program, ChartWindowWithoutTheChartLibrarySaysWhatIsMissing) {
    TempDir dir;
    const std::string db = dir.File("Loto7Kazoria.mdb");
    ImportCsv(BundledCsvPath(), db);
    const std::string alone = dir.File("loto7kazoria");
    std::filesystem::copy_file(LOTO7_EXECUTABLE, alone);
    const Finished run = RunProgram(dir.Path().string(),
                                    {"--db", QString::fromStdString(db), "--open", "乱数性の検定",
                                     "--open", "予想の検証", "--quit-when-ready"},
                                    QString::fromStdString(alone));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QString said = QStringLiteral("グラフの部品 libloto7ondemand.so を読み込めないため");
    EXPECT_EQ(run.err.count(said), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromStdString(dir.File("libloto7ondemand.so"))))
        << run.err.toStdString();
}

TEST(Program, MissingOrForeignDatabaseEndsWithAJapaneseMessage) {
    TempDir dir;
    const std::string db = dir.File("Loto7Kazoria.mdb");
    Finished run =
        RunProgram(dir.Path().string(), {"--db", QString::fromStdString(db), "--quit-when-ready"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("見つかりません"))) << run.err.toStdString();
    WriteFile(db, "SQLite format 3 but not really");
    run =
        RunProgram(dir.Path().string(), {"--db", QString::fromStdString(db), "--quit-when-ready"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("パスワードが違います"))) << run.err.toStdString();
    EXPECT_EQ(ReadFile(db), "SQLite format 3 but not really");
}

TEST(Program, UnwritableOptionsFileIsReportedAndNothingElseIsLost) {
    TempDir dir;
    const std::string db = dir.File("Loto7Kazoria.mdb");
    ImportCsv(BundledCsvPath(), db);
    // A folder where the options file should be: it is neither read nor replaced.
    std::filesystem::create_directory(dir.File("ロト7カゾリア.ini"));
    const Finished run =
        RunProgram(dir.Path().string(), {"--db", QString::fromStdString(db), "--quit-when-ready"});
    EXPECT_EQ(run.status, 0);
    // Said once, at start; the end leaves the folder alone without a word.
    EXPECT_EQ(run.err.count(QStringLiteral("設定ファイル「ロト7カゾリア.ini」はフォルダーです。")),
              1)
        << run.err.toStdString();
    EXPECT_EQ(run.err.count(QStringLiteral("読み込みも書き込みもしません")), 1)
        << run.err.toStdString();
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("ロト7カゾリア.ini")));
    GlobalBas g;
    EXPECT_NO_THROW(OpenDrawStore(g, db));
    EXPECT_EQ(g.LatestDrawNumber, 689);
}

}  // namespace
