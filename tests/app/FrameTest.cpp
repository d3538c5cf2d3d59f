#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>
#include <algorithm>

#include "AppTestSupport.h"
#include "app/FocusReturn.h"
#include "app/FrameLayout.h"
#include "app/HelpFile.h"
#include "app/ReadyQuitter.h"
#include "support/TestSupport.h"

namespace {

// 20 windows over the child area of a main window fitted to 1366 × 768.
const QRect kArea(0, 0, 1366, 690);
const QSize kMinimum(200, 120);

TEST(Tiling, GridsKeepTheOrientationAndTheMinimumSize) {
    struct Case {
        int count;
        Qt::Orientation orientation;
        int rows, columns;
    };
    const std::vector<Case> cases = {
        {1, Qt::Vertical, 1, 1},  {3, Qt::Vertical, 3, 1},    {3, Qt::Horizontal, 1, 3},
        {20, Qt::Vertical, 5, 4}, {20, Qt::Horizontal, 4, 5}, {6, Qt::Vertical, 3, 2},
        {8, Qt::Vertical, 4, 2},  {40, Qt::Vertical, 7, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.count << " windows, " << c.orientation);
        const std::vector<QRect> cells = TileCells(c.count, kArea, c.orientation, kMinimum);
        ASSERT_EQ(cells.size(), static_cast<std::size_t>(c.count));
        std::vector<int> xs, ys;
        for (const QRect& cell : cells) {
            EXPECT_GE(cell.width(), kMinimum.width());
            EXPECT_GE(cell.height(), kMinimum.height());
            if (std::find(xs.begin(), xs.end(), cell.x()) == xs.end()) xs.push_back(cell.x());
            if (std::find(ys.begin(), ys.end(), cell.y()) == ys.end()) ys.push_back(cell.y());
        }
        EXPECT_EQ(static_cast<int>(ys.size()), c.rows);
        EXPECT_EQ(static_cast<int>(xs.size()), c.columns);
        // No two windows on one cell.
        for (std::size_t i = 0; i < cells.size(); ++i)
            for (std::size_t j = i + 1; j < cells.size(); ++j)
                EXPECT_FALSE(cells[i].intersects(cells[j])) << i << " " << j;
    }
    // Where the area fits the grid, the cells stay inside it.
    for (const QRect& cell : TileCells(20, kArea, Qt::Vertical, kMinimum))
        EXPECT_TRUE(kArea.contains(cell));
}

TEST(Tiling, TheMainWindowFitsTheAvailableScreenCentred) {
    const QMargins frame(4, 30, 4, 4);
    struct Case {
        QRect available;
        QRect client;
    };
    const std::vector<Case> cases = {
        {{0, 0, 1366, 768}, {43, 30, 1280, 734}},
        {{0, 0, 1600, 1000}, {160, 33, 1280, 960}},
        {{0, 24, 1920, 1056}, {320, 85, 1280, 960}},    // a panel along the top
        {{1920, 0, 1024, 768}, {1924, 30, 1016, 734}},  // a second screen, small
    };
    for (const Case& c : cases) {
        const QRect client = FitMainWindow(c.available, QSize(1280, 960), frame);
        EXPECT_EQ(client, c.client) << c.available.x() << "," << c.available.width();
        EXPECT_TRUE(c.available.contains(client.marginsAdded(frame)));
    }
}

TEST(HelpLookUp, WorkingFolderThenBesideTheProgramThenTheShareFolder) {
    TempDir dir;
    const QString root = QString::fromStdString(dir.Path().string());
    for (const char* folder : {"work", "bin", "share"}) QDir(root).mkpath(folder);
    const QString work = root + "/work", bin = root + "/bin", share = root + "/share";
    const QStringList places = HelpFilePlaces(work, bin, share);
    ASSERT_EQ(places.size(), 3);
    EXPECT_EQ(places[0], work + QStringLiteral("/ロト7カゾリアL.chm"));
    EXPECT_EQ(places[2], share + QStringLiteral("/ロト7カゾリアL.chm"));
    EXPECT_EQ(HelpFilePlaces(bin, bin, share).size(), 2);  // started beside the program

    EXPECT_EQ(FindHelpFile(places), QString());
    const QString missing = HelpFileMissingText(places);
    EXPECT_EQ(missing, QStringLiteral("ヘルプファイル「ロト7カゾリアL.chm」が見つかりません。"
                                      "次の場所を探しました。\n") +
                           QDir::toNativeSeparators(places.join('\n')));
    const std::vector<int> order = {2, 1, 0};  // each copy found before the one after it
    for (int i : order) {
        WriteFile(places[i].toStdString(), "<html></html>");
        EXPECT_EQ(FindHelpFile(places), places[i]);
    }
}

// The focus coming to the main window opens the prediction window only
// when it comes from another of the program's own windows.
TEST_F(MainWindowTest, FocusReturnsFromTheProgramsOwnWindowsOnly) {
    StartMain(BundledCsvPath(), true);
    int returned = 0;
    FocusReturnWatcher watcher(main.get(), [&] { ++returned; });
    QWidget help(main.get(), Qt::Window);
    help.winId();
    QMdiSubWindow* child = main->OpenAnalysis(QStringLiteral("回数別出現分析"));
    QDialog childMessage(child->widget());
    childMessage.winId();
    QMenu menu(main.get());
    menu.winId();
    QWindow* const mainWindow = main->windowHandle();
    struct Case {
        const char* what;
        std::vector<QWindow*> focus;  // in turn; null: another program
        int returns;
    };
    const std::vector<Case> cases = {
        {"help closed", {help.windowHandle(), mainWindow}, 1},
        {"another program", {nullptr, mainWindow}, 0},
        {"help, another program, back", {help.windowHandle(), nullptr, mainWindow}, 0},
        {"a child window's message", {childMessage.windowHandle(), mainWindow}, 0},
        {"a menu after help", {help.windowHandle(), menu.windowHandle(), mainWindow}, 1},
        {"a menu of the main window", {mainWindow, menu.windowHandle(), mainWindow}, 0},
    };
    for (const Case& c : cases) {
        watcher.FocusWindowChanged(mainWindow);
        returned = 0;
        for (QWindow* window : c.focus) watcher.FocusWindowChanged(window);
        EXPECT_EQ(returned, c.returns) << c.what;
    }
}

// Twenty windows on a 1366 × 768 screen: tiled, each keeps its title bar and
// a readable part; cascaded, each gets back its own size, stacked in turn
// and wrapping before a title bar leaves the area.
TEST_F(MainWindowTest, TwentyWindowsTileReadablyAndCascadeWithinTheArea) {
    StartMain(BundledCsvPath(), false);
    main->setGeometry(FitMainWindow(QRect(0, 0, 1366, 768), QSize(1280, 960), {4, 30, 4, 4}));
    main->show();
    OpenEveryWindow(*main);
    const QList<QMdiSubWindow*> windows = main->MdiArea()->subWindowList();
    ASSERT_GE(windows.size(), 20);
    const QRect area = main->MdiArea()->viewport()->rect();
    for (QMdiSubWindow* w : windows) {
        EXPECT_LE(w->height(), area.height()) << w->windowTitle().toStdString();  // shortened
    }
    for (auto command : {&MainFrm::mnuWindowHorizontal_Click, &MainFrm::mnuWindowVertical_Click}) {
        (main.get()->*command)();
        for (QMdiSubWindow* w : windows) {
            EXPECT_GE(w->width(), 200) << w->windowTitle().toStdString();
            EXPECT_GE(w->height(), 120) << w->windowTitle().toStdString();
        }
    }
    main->resize(1000, 420);  // low enough for twenty title bars to wrap
    QApplication::processEvents();
    const QRect low = main->MdiArea()->viewport()->rect();
    // A window on top that is not the active one: cascading raises every
    // window in turn, so the active one still ends on top.
    ASSERT_NE(windows[3], main->MdiArea()->activeSubWindow());
    windows[3]->raise();
    main->mnuWindowCascade_Click();
    const QList<QMdiSubWindow*> stacked = main->MdiArea()->subWindowList(QMdiArea::StackingOrder);
    const int step = windows.front()->contentsMargins().top();
    QPoint previous(-1, -1);
    bool wrapped = false;
    for (QMdiSubWindow* w : stacked) {
        EXPECT_EQ(w->size(),
                  QSize(w->sizeHint().width(), std::min(w->sizeHint().height(), low.height())))
            << w->windowTitle().toStdString();
        EXPECT_LE(w->y() + step, low.height());
        if (previous.x() >= 0 && w->pos() != previous + QPoint(step, step)) {
            EXPECT_EQ(w->pos(), QPoint(0, 0));  // started again from the corner
            wrapped = true;
        }
        previous = w->pos();
    }
    EXPECT_TRUE(wrapped);
    EXPECT_EQ(stacked.back(), main->MdiArea()->activeSubWindow());
}

// The window menu lists every open window; only the first nine get an
// access key, and choosing a minimised one shows it again.
TEST_F(MainWindowTest, WindowListNumbersTenWindowsAndRestoresAMinimisedOne) {
    StartMain(BundledCsvPath(), true);
    OpenEveryWindow(*main);
    auto* menu = main->findChild<QMenu*>("mnuWindow");
    emit menu->aboutToShow();
    QList<QAction*> listed;
    for (QAction* a : menu->actions()) {
        if (a->isCheckable()) listed << a;
    }
    const QList<QMdiSubWindow*> windows = main->MdiArea()->subWindowList();
    ASSERT_EQ(listed.size(), windows.size());
    ASSERT_GE(listed.size(), 10);
    EXPECT_EQ(listed[8]->text(), QStringLiteral("&9 ") + windows[8]->windowTitle());
    EXPECT_EQ(listed[9]->text(), QStringLiteral("10 ") + windows[9]->windowTitle());
    windows[9]->showMinimized();
    listed[9]->trigger();
    EXPECT_FALSE(windows[9]->isMinimized());
    EXPECT_EQ(main->MdiArea()->activeSubWindow(), windows[9]);
}

TEST(CommandLineHelp, HelpAndHPrintTheUsageOnStandardOutput) {
    TempDir dir;
    for (const std::string option : {"--help", "-h"}) {
        const Outcome o = RunCli({option}, dir.File("none.mdb"));
        EXPECT_EQ(o.status, 0) << option;
        EXPECT_EQ(o.out.rfind("使い方:\n", 0), 0u) << option;
        EXPECT_NE(o.out.find("--help, -h"), std::string::npos);
        EXPECT_EQ(o.err, "");
    }
}

TEST(CommandLineImport, MissingDrawsAreAWarningNotAnError) {
    TempDir dir;
    const std::string header =
        "回数,抽せん日,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,"
        "第7数字,ボーナス数字1,ボーナス数字2\n";
    WriteFile(dir.File("a.csv"), header + "690,,1,2,3,4,5,6,7,8,9\n691,,1,2,3,4,5,6,7,8,9\n");
    WriteFile(dir.File("b.csv"), header + "693,,1,2,3,4,5,6,7,8,9\n");
    const std::string db = dir.File("x.mdb");
    EXPECT_EQ(RunCli({"import", dir.File("a.csv")}, db).err, "");
    const Outcome o = RunCli({"import", dir.File("b.csv")}, db);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err.rfind("第692回がありません。", 0), 0u) << o.err;
}

}  // namespace
