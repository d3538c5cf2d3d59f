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

#include "AppTestSupport.h"
#include "app/MainFrm.h"
#include "data/CsvImport.h"
#include "support/TestSupport.h"
#include "ui/AnalysisWindow.h"
#include "ui/BacktestWindow.h"
#include "ui/GridOutput.h"
#include "ui/Messages.h"
#include "ui/PredictionWindow.h"
#include "ui/RandomnessWindow.h"

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

class Printing : public MainWindowTest {
  protected:
    void SetUp() override { StartMain(BundledCsvPath(), true); }
    template <typename Window>
    Window* Open(const QString& name) {
        QMdiSubWindow* frame = main->OpenWindow(name);
        return frame ? dynamic_cast<Window*>(frame->widget()) : nullptr;
    }
};

TEST_F(Printing, PrintOpensThePreviewOfTheWholeGridInEveryWindow) {
    int analyses = 0;
    for (const AnalysisInfo& info : AnalysisCatalog()) {
        if (!info.build) continue;
        const QString name = QString::fromUtf8(info.name.data(), info.name.size());
        SCOPED_TRACE(name.toStdString());
        auto* window = Open<AnalysisWindow>(name);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(Commands(window->fpSpread1), GridOutput::CommandTexts());
        // 出現頻度分析 has no 印刷 button: its grid's menu prints.
        const Preview preview = PreviewOf([&] {
            if (window->Command2) {
                QTest::mouseClick(window->Command2, Qt::LeftButton);
            } else {
                window->fpSpread1->actions().back()->trigger();
            }
        });
        EXPECT_TRUE(preview.title.startsWith(window->windowTitle())) << preview.title.toStdString();
        EXPECT_GE(preview.pages, 1);
        CloseChildWindow(window);
        QApplication::processEvents();
        ++analyses;
    }
    EXPECT_EQ(analyses, 17);

    auto* prediction = Open<一発カゾリア予想>(QStringLiteral("一発カゾリア予想"));
    ASSERT_NE(prediction, nullptr);
    for (const GridView* grid : prediction->fpSpread1) {
        EXPECT_EQ(Commands(grid), GridOutput::CommandTexts());
    }
    const Preview predictions =
        PreviewOf([&] { QTest::mouseClick(prediction->Command2, Qt::LeftButton); });
    EXPECT_EQ(predictions.title, QStringLiteral("一発カゾリア予想 - 印刷プレビュー"));
    EXPECT_EQ(predictions.pages, 1);

    auto* backtest = Open<BacktestWindow>(QStringLiteral("予想の検証"));
    ASSERT_NE(backtest, nullptr);
    backtest->WaitForRun();
    EXPECT_EQ(Commands(backtest->fpSpread1), GridOutput::CommandTexts());
    const Preview table = PreviewOf([&] { QTest::mouseClick(backtest->Command2, Qt::LeftButton); });
    EXPECT_EQ(table.title, QStringLiteral("予想の検証 - 印刷プレビュー"));
    EXPECT_GE(table.pages, 1);

    auto* randomness = Open<RandomnessWindow>(QStringLiteral("乱数性の検定"));
    ASSERT_NE(randomness, nullptr);
    randomness->WaitForRun();
    EXPECT_EQ(Commands(randomness->fpSpread1), GridOutput::CommandTexts());
    const Preview tests =
        PreviewOf([&] { QTest::mouseClick(randomness->Command2, Qt::LeftButton); });
    EXPECT_EQ(tests.title, QStringLiteral("乱数性の検定 - 印刷プレビュー"));
    EXPECT_GE(tests.pages, 1);
    EXPECT_TRUE(RecordedMessages().isEmpty()) << RecordedMessages().join('\n').toStdString();
}

}  // namespace
