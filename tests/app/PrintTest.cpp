// 印刷 in every window that shows grids, and the grids' right-click menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiSubWindow>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "analysis/AnalysisCatalog.h"
#include "app/MainFrm.h"
#include "data/CsvImport.h"
#include "support/TestSupport.h"
#include "ui/AnalysisWindow.h"
#include "ui/GridOutput.h"
#include "ui/Messages.h"
#include "ui/PredictionWindow.h"
#include "ui/backtest/BacktestWindow.h"
#include "ui/randomness/RandomnessWindow.h"
#include "ui/tickets/QuickCheckWindow.h"
#include "ui/tickets/TicketWindow.h"

namespace {

struct Preview {
    QString title;
    int pages = 0;
};

// Runs start, which should open the print preview, and returns what the
// preview showed; the preview is closed as soon as it is up.
Preview PreviewOf(const std::function<void()>& start) {
    Preview seen;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(widget);
            if (!dialog || !dialog->isVisible()) continue;
            seen.title = dialog->windowTitle();
            if (auto* pages = dialog->findChild<QPrintPreviewWidget*>()) {
                seen.pages = pages->pageCount();
            }
            dialog->reject();
        }
    });
    start();
    QApplication::processEvents();  // the timer, had no preview opened
    return seen;
}

QStringList Commands(const GridView* view) {
    QStringList texts;
    for (const QAction* action : view->actions()) texts << action->text();
    return texts;
}

// The grids' right-click menu: the grid's own copy, then the commands that
// save and print.
QStringList GridMenu() { return QStringList{"コピー(&C)", ""} + GridOutput::CommandTexts(); }

// A window that prints, and the name its test goes by.
struct PrintedWindow {
    std::string name;
    std::string testName;
};

void PrintTo(const PrintedWindow& window, std::ostream* out) { *out << window.name; }

std::vector<PrintedWindow> PrintedWindows() {
    std::vector<PrintedWindow> windows;
    for (const AnalysisInfo& info : AnalysisCatalog()) {
        if (info.build) windows.push_back({std::string(info.name), std::string(info.menuCommand)});
    }
    windows.push_back({"一発カゾリア予想", "Prediction"});
    windows.push_back({"予想の検証", "Backtest"});
    windows.push_back({kTicketWindowName, "Tickets"});
    windows.push_back({kQuickCheckWindowName, "QuickCheck"});
    windows.push_back({"乱数性の検定", "Randomness"});
    return windows;
}

// One window per test, so one that fails does not hide the others.
class Printing : public MainWindowTest, public ::testing::WithParamInterface<PrintedWindow> {
  protected:
    void SetUp() override { StartMain(BundledCsvPath(), true); }
};

TEST(PrintedWindows, AreEveryAnalysisThePredictionAndTheBacktest) {
    EXPECT_EQ(PrintedWindows().size(), 17u + 5u);
}

TEST_P(Printing, PrintOpensThePreviewOfTheWholeGrid) {
    const QString name = QString::fromStdString(GetParam().name);
    QMdiSubWindow* frame = main->OpenWindow(name);
    ASSERT_NE(frame, nullptr);
    QWidget* window = frame->widget();
    std::vector<GridView*> grids;
    std::function<void()> print;
    int pages = 0;  // the pages expected; 0: one or more
    QStringList menu = GridMenu();
    if (auto* analysis = dynamic_cast<AnalysisWindow*>(window)) {
        grids = {analysis->fpSpread1};
        // 出現頻度分析 has no 印刷 button: its grid's menu prints.
        print = [analysis] {
            if (analysis->Command2) {
                QTest::mouseClick(analysis->Command2, Qt::LeftButton);
            } else {
                analysis->fpSpread1->actions().back()->trigger();
            }
        };
    } else if (auto* prediction = dynamic_cast<一発カゾリア予想*>(window)) {
        grids.assign(prediction->fpSpread1.begin(), prediction->fpSpread1.end());
        print = [prediction] { QTest::mouseClick(prediction->Command2, Qt::LeftButton); };
        pages = 1;
        // Its rows of numbers also go to the ticket book, first in the menu.
        menu = QStringList{QStringLiteral("コピー(&C)"), QString(),
                           QStringLiteral("購入番号に追加(&T)"), QString()} +
               GridOutput::CommandTexts();
    } else if (auto* backtest = dynamic_cast<BacktestWindow*>(window)) {
        backtest->WaitForRun();
        grids = {backtest->fpSpread1};
        print = [backtest] { QTest::mouseClick(backtest->Command2, Qt::LeftButton); };
    } else if (auto* randomness = dynamic_cast<RandomnessWindow*>(window)) {
        randomness->WaitForRun();
        grids = {randomness->fpSpread1};
        print = [randomness] { QTest::mouseClick(randomness->Command2, Qt::LeftButton); };
    } else if (auto* tickets = dynamic_cast<購入番号*>(window)) {
        grids = {tickets->fpSpread2};
        EXPECT_TRUE(Commands(tickets->fpSpread1).endsWith(GridOutput::CommandTexts().back()));
        print = [tickets] { QTest::mouseClick(tickets->Command2, Qt::LeftButton); };
        pages = 1;
    } else if (auto* check = dynamic_cast<当選番号チェック*>(window)) {
        check->SetNumbers({4, 18, 23, 24, 32, 33, 35});
        grids = {check->fpSpread1, check->fpSpread2};
        print = [check] { QTest::mouseClick(check->Command2, Qt::LeftButton); };
        pages = 1;
    }
    ASSERT_FALSE(grids.empty()) << "not a printing window";
    for (const GridView* grid : grids) EXPECT_EQ(Commands(grid), menu);
    const Preview preview = PreviewOf(print);
    EXPECT_TRUE(preview.title.startsWith(window->windowTitle())) << preview.title.toStdString();
    EXPECT_TRUE(preview.title.endsWith(QStringLiteral(" - 印刷プレビュー")));
    if (pages > 0) {
        EXPECT_EQ(preview.pages, pages);
    } else {
        EXPECT_GE(preview.pages, 1);
    }
    EXPECT_TRUE(RecordedMessages().isEmpty()) << RecordedMessages().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, Printing, ::testing::ValuesIn(PrintedWindows()),
                         [](const ::testing::TestParamInfo<PrintedWindow>& param) {
                             return param.param.testName;
                         });

}  // namespace
