// loto7kazoria export WINDOW --out FILE: a window's grids as a file.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

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

// A page of a PDF file as pdftotext -bbox reads it: its size and the box of
// every word on it, in points from its top-left corner.
struct PdfPage {
    QSizeF size;
    std::vector<QRectF> words;
};

std::vector<PdfPage> PdfWordBoxes(const std::string& pdf) {
    QProcess poppler;
    poppler.start(QStringLiteral("pdftotext"),
                  {"-bbox", "-enc", "UTF-8", QString::fromStdString(pdf), "-"});
    if (!poppler.waitForFinished(60000)) return {};
    const QString html = QString::fromUtf8(poppler.readAllStandardOutput());
    static const QRegularExpression page(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">"));
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\""));
    std::vector<PdfPage> pages;
    for (const QString& part : html.split(QStringLiteral("</page>"))) {
        const auto size = page.match(part);
        if (!size.hasMatch()) continue;
        PdfPage p{{size.captured(1).toDouble(), size.captured(2).toDouble()}, {}};
        for (auto it = word.globalMatch(part); it.hasNext();) {
            const auto box = it.next();
            p.words.emplace_back(QPointF(box.captured(1).toDouble(), box.captured(2).toDouble()),
                                 QPointF(box.captured(3).toDouble(), box.captured(4).toDouble()));
        }
        pages.push_back(std::move(p));
    }
    return pages;
}

struct ExportedWindow {
    std::string name;
    std::string testName;
};

void PrintTo(const ExportedWindow& window, std::ostream* out) { *out << window.name; }

std::vector<ExportedWindow> ExportedWindows() {
    std::vector<ExportedWindow> windows;
    for (const AnalysisInfo& info : AnalysisCatalog()) {
        if (info.build) windows.push_back({std::string(info.name), std::string(info.menuCommand)});
    }
    windows.push_back({std::string(kPredictionWindowName), "Prediction"});
    return windows;
}

class PdfPages : public Export, public ::testing::WithParamInterface<ExportedWindow> {};

// Every word of every page, the header line and the last row too, lies
// within the page less its 10 mm margins.
TEST_P(PdfPages, KeepEveryTextInsideTheMargins) {
    const std::string pdf = dir.File("表.pdf");
    const Outcome exported = RunCli({"export", GetParam().name, "--out", pdf}, db);
    ASSERT_EQ(exported.status, 0) << exported.err;
    const std::vector<PdfPage> pages = PdfWordBoxes(pdf);
    ASSERT_EQ(static_cast<int>(pages.size()), PdfPageCount(pdf));
    constexpr double kMargin = 10 / 25.4 * 72;
    constexpr double kSlack = 0.5;  // points: the device rounds the margins to its units
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const QRectF room = QRectF(QPointF(0, 0), pages[p].size)
                                .adjusted(kMargin, kMargin, -kMargin, -kMargin)
                                .adjusted(-kSlack, -kSlack, kSlack, kSlack);
        ASSERT_FALSE(pages[p].words.empty()) << "page " << p + 1;
        for (const QRectF& box : pages[p].words) {
            ASSERT_TRUE(room.contains(box))
                << "page " << p + 1 << ": word at (" << box.left() << ", " << box.top() << ") - ("
                << box.right() << ", " << box.bottom() << ") outside (" << room.left() << ", "
                << room.top() << ") - (" << room.right() << ", " << room.bottom() << ")";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, PdfPages, ::testing::ValuesIn(ExportedWindows()),
                         [](const ::testing::TestParamInfo<ExportedWindow>& param) {
                             return param.param.testName;
                         });

}  // namespace
