// loto7kazoria export WINDOW --out FILE: a window's grids as a file.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <filesystem>
#include <sstream>

#include "AppTestSupport.h"
#include "analysis/AnalysisCatalog.h"
#include "app/CommandLine.h"
#include "data/CsvImport.h"
#include "data/DrawStoreLoader.h"
#include "grid/GridGeometry.h"
#include "grid/ProgramLook.h"
#include "prediction/PredictionModel.h"
#include "support/TestSupport.h"

namespace {

class Export : public ::testing::Test {
  protected:
    void SetUp() override { ImportCsv(BundledCsvPath(), db); }
    TempDir dir;
    std::string db = dir.File("Loto7Kazoria.mdb");
};

// The program as a script runs it: no display and no platform chosen, so
// it draws on the offscreen platform by itself.
TEST_F(Export, PdfOfTheLargestWindowHasTheCaptionTheDrawsAndTheHeadingsOnEveryPage) {
    const std::string pdf = dir.File("6分割.pdf");
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(name);
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(LOTO7_EXECUTABLE),
                  {"export", "分割6データ分析", "--db", QString::fromStdString(db), "--out",
                   QString::fromStdString(pdf)});
    ASSERT_TRUE(program.waitForFinished(60000));
    ASSERT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();

    const std::vector<std::string> pages = PdfPageTexts(pdf);
    ASSERT_GT(pages.size(), 1u);
    EXPECT_EQ(static_cast<int>(pages.size()), PdfPageCount(pdf));
    EXPECT_NE(pages.front().find("6分割データ分析"), std::string::npos) << pages.front();
    for (std::size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        EXPECT_NE(pages[p].find("第1回"), std::string::npos);
        EXPECT_NE(pages[p].find("第689回"), std::string::npos);
        // The three heading rows: 数字, the groups A to F, 回 and 1 to 37.
        for (const char* heading : {"数", "A", "F", "回", "37"}) {
            EXPECT_NE(pages[p].find(heading), std::string::npos) << heading;
        }
    }
    EXPECT_NE(pages.back().find("689"), std::string::npos);
}

TEST_F(Export, CsvIsTheDumpAndPngTheWholeGridAtTheScreensSize) {
    const std::string csv = dir.File("回数別.csv");
    ASSERT_EQ(RunCli({"export", "回数別出現分析", "--out", csv}, db).status, 0);
    const Outcome dump = RunCli({"dump", "回数別出現分析", "--format", "csv"}, db);
    EXPECT_EQ(ReadFile(csv), "\xEF\xBB\xBF" + dump.out);

    const std::string png = dir.File("回数別.png");
    const Outcome image = RunCli({"export", "回数別出現分析", "--out", png}, db);
    ASSERT_EQ(image.status, 0) << image.err;
    GlobalBas g;
    OpenDrawStore(g, db);
    ResultGrid grid;
    FindAnalysis("回数別出現分析")->build(g, grid);
    const GridGeometry geometry(grid, ProgramFont(), ScreenDpi());
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(),
              QSize(geometry.Width(), geometry.Height()));

    // The prediction window with the options of the working folder, as dump.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const Outcome prediction = RunCli({"export", kPredictionWindowName, "--out", "予想.csv"}, db);
    const Outcome predictionDump = RunCli({"dump", kPredictionWindowName, "--format", "csv"}, db);
    std::filesystem::current_path(previous);
    EXPECT_EQ(prediction.status, 0) << prediction.err;
    EXPECT_EQ(ReadFile(dir.File("予想.csv")), "\xEF\xBB\xBF" + predictionDump.out);
}

TEST_F(Export, AnUnknownFormatIsAUsageErrorAndAnUnwritableFileAnError) {
    const Outcome text = RunCli({"export", "回数別出現分析", "--out", dir.File("x.txt")}, db);
    EXPECT_EQ(text.status, 2);
    EXPECT_EQ(text.err.rfind("--out のファイル名は .csv、.png、.pdf のどれかで終えてください。", 0),
              0u)
        << text.err;
    EXPECT_EQ(RunCli({"export", "回数別出現分析"}, db).status, 2);
    EXPECT_EQ(RunCli({"export", "無いウィンドウ", "--out", dir.File("x.csv")}, db).status, 2);
    const std::string missing = dir.File("無いフォルダー/x.pdf");
    const Outcome unwritable = RunCli({"export", "回数別出現分析", "--out", missing}, db);
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("「" + missing + "」に書き込めません"), std::string::npos)
        << unwritable.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("無いフォルダー")));
}

// The open database is never the export's target: not by its own name,
// not through a link, not as another name of the same file.
TEST_F(Export, TheOpenDatabaseIsNeverOverwritten) {
    const std::string same = dir.File("same.csv");
    std::filesystem::copy_file(db, same);
    std::filesystem::create_symlink(db, dir.File("link.csv"));
    std::filesystem::create_hard_link(db, dir.File("hard.pdf"));
    const std::string stored = ReadFile(db);
    const struct {
        std::string database, out;
    } cases[] = {{same, same},
                 {db, dir.File("link.csv")},
                 {db, dir.File("hard.pdf")},
                 {dir.File("link.csv"), dir.File("hard.pdf")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.out);
        const Outcome run =
            RunCli({"export", "回数別出現分析", "--db", c.database, "--out", c.out}, db);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("開いているデータベースファイル(またはその作業ファイル)です。"),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(ReadFile(db), stored);
        EXPECT_EQ(ReadFile(same), stored);
    }
}

}  // namespace
