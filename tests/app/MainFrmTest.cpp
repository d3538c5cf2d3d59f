#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <map>

#include "AppTestSupport.h"
#include "app/MainFrm.h"
#include "app/MenuTable.h"
#include "app/ReadyQuitter.h"
#include "data/CsvImport.h"
#include "grid/GridView.h"
#include "grid/Twips.h"
#include "support/TestSupport.h"
#include "ui/AboutWindow.h"
#include "ui/AnalysisWindow.h"
#include "ui/CaptionFrame.h"
#include "ui/HelpViewer.h"
#include "ui/Messages.h"
#include "ui/PredictionWindow.h"

namespace {

const QString kStopMessage = QStringLiteral("表示中のウィンドウを閉じないと実行できません。");

class MainWindow : public MainWindowTest {
  protected:
    void SetUp() override { StartMain(BundledCsvPath(), false); }
    QMdiSubWindow* Open(const QString& command) {
        main->Command(command)->trigger();
        return main->MdiArea()->activeSubWindow();
    }
    bool IsOpen(const QString& name) { return main->FindChildWindow(name) != nullptr; }
};

TEST_F(MainWindow, MenuBarHasEveryCommandWithItsCaptionAndAccessKey) {
    EXPECT_EQ(main->windowTitle(), QStringLiteral("ロト7カゾリアLite"));
    QStringList topLevel;
    for (QAction* a : main->menuBar()->actions()) topLevel << a->text();
    EXPECT_EQ(topLevel, (QStringList{"終了(&X)", "一発カゾリア予想(&K)", "データ分析(&S)",
                                     "データ管理(&M)", "ウィンドウ(&W)", "ヘルプ(&H)"}));
    const std::vector<std::pair<QString, QString>> commands = {
        {"mnuEnd", "終了(&X)"},
        {"mnuYoso", "一発カゾリア予想(&K)"},
        {"mnuSyutugenKaisu", "回数別出現分析"},
        {"mnu5BunkatsuKeiko", "5分割傾向分析"},
        {"mnu11BunkatsuData", "11分割データ分析"},
        {"mnuLowHightPattern", "低数字・高数字の組合せパターン分析"},
        {"mnuMasterInput", "当選データ入力(&I)"},
        {"mnuMasterKanri", "当選データ保守(&D)"},
        {"mnuWindowHorizontal", "上下に並べて表示(&H)"},
        {"mnuWindowArrangeIcon", "アイコンの整列(&A)"},
        {"mnuWindowCloseAll", "すべて閉じる(&L)"},
        {"mnuHelpFile", "ヘルプ(&H)"},
        {"mnuAbout", "バージョン情報(&A)"}};
    for (const auto& [name, caption] : commands) {
        ASSERT_NE(main->Command(name), nullptr) << name.toStdString();
        EXPECT_EQ(main->Command(name)->text(), caption) << name.toStdString();
    }
    EXPECT_FALSE(main->Command("mnuMasterKanri")->isEnabled());
    for (const AnalysisInfo& info : AnalysisCatalog()) {
        const QString command = QString::fromUtf8(info.menuCommand.data(), info.menuCommand.size());
        ASSERT_NE(main->Command(command), nullptr) << command.toStdString();
        EXPECT_TRUE(main->Command(command)->isEnabled()) << command.toStdString();
    }
    for (const char* submenu : {"mnuMain", "mnuHindo", "mnuKankaku", "mnuPattern",
                                "mnuBunkatsuData", "mnuHosyu", "mnuWindow", "mnuHelp"}) {
        EXPECT_NE(main->findChild<QMenu*>(submenu), nullptr) << submenu;
    }
}

// The items of a menu and of its submenus, in order; separators left out.
QList<QAction*> MenuItems(const QList<QAction*>& actions) {
    QList<QAction*> items;
    for (QAction* action : actions) {
        if (action->isSeparator()) continue;
        items << action;
        if (action->menu()) items << MenuItems(action->menu()->actions());
    }
    return items;
}

// Only the analyses and their submenus come without an access key, as do the
// entry window's 行追加 and 行削除: every other item, of the menu bar, the
// windows' own menus and the grids' right-click menus, has one.
TEST_F(MainWindow, EveryMenuItemOutsideTheFixedKeylessOnesHasAnAccessKey) {
    QStringList keyless = {QStringLiteral("行追加"), QStringLiteral("行削除")};
    for (const MenuEntry& entry : MenuTable()) {
        if (entry.kind == MenuKind::Analysis ||
            (entry.kind == MenuKind::Menu && entry.level == 1)) {
            keyless << QString::fromUtf8(entry.caption);
        }
    }
    QList<QAction*> items = MenuItems(main->menuBar()->actions());
    for (const char* command : {"mnuMasterInput", "mnuTickets", "mnuBaratsuki"}) {
        QMdiSubWindow* window = Open(command);
        ASSERT_NE(window, nullptr) << command;
        if (auto* child = dynamic_cast<ChildWindow*>(window->widget()); child && child->Menu()) {
            items << MenuItems(child->Menu()->actions());
        }
        for (QWidget* grid : window->widget()->findChildren<GridView*>()) {
            items << MenuItems(grid->actions());
        }
        window->close();
    }
    int checked = 0;
    for (QAction* item : items) {
        if (keyless.contains(item->text())) continue;
        ++checked;
        EXPECT_TRUE(item->text().contains(QRegularExpression(QStringLiteral("&[^&]"))))
            << item->text().toStdString();
    }
    EXPECT_GT(checked, 30);
    EXPECT_EQ(main->Command("mnuRansuKentei")->text(), QStringLiteral("乱数性の検定(&R)"));
}

// 当選データ入力 waits until no other window is open; すべて閉じる makes it so.
TEST_F(MainWindow, CloseAllClosesEveryWindowSoDataEntryCanOpen) {
    Open("mnuYoso");
    Open("mnuBaratsuki");
    Open("mnuTickets");
    ASSERT_FALSE(main->propEnd());
    main->Command("mnuWindowCloseAll")->trigger();
    EXPECT_TRUE(main->MdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(main->propEnd());
    Open("mnuMasterInput");
    EXPECT_TRUE(IsOpen(QStringLiteral("当選データ入力")));
}

TEST_F(MainWindow, EntryCommandIsStoppedWhileABlockingWindowIsOpen) {
    EXPECT_TRUE(main->propEnd());
    Open("mnuYoso");
    ASSERT_TRUE(IsOpen(QStringLiteral("一発カゾリア予想")));
    EXPECT_FALSE(main->propEnd());
    main->mnuMasterInput_Click();
    ASSERT_FALSE(RecordedMessages().isEmpty());
    EXPECT_EQ(RecordedMessages().last(), kStopMessage);
    EXPECT_FALSE(IsOpen(QStringLiteral("当選データ入力")));
    main->FindChildWindow(QStringLiteral("一発カゾリア予想"))->close();
    EXPECT_TRUE(main->propEnd());
}

TEST_F(MainWindow, PropEndIsOneFlagNotACount) {
    Open("mnuBaratsuki");
    Open("mnuSyutugenKaisu");
    EXPECT_FALSE(main->propEnd());
    main->FindChildWindow(QStringLiteral("バラツキ分析"))->close();
    EXPECT_TRUE(main->propEnd());  // although 回数別出現分析 is still open
    EXPECT_TRUE(IsOpen(QStringLiteral("回数別出現分析")));
    Open("mnuYoso");
    EXPECT_FALSE(main->propEnd());
    Open("mnu5BunkatsuKeiko");  // a non-blocking window sets it on load
    EXPECT_TRUE(main->propEnd());
    for (const char* command : {"mnuLowHightPattern", "mnuKisuGusuPattern"}) {
        main->setPropEnd(false);
        Open(command);
        EXPECT_TRUE(main->propEnd()) << command;
    }
}

TEST_F(MainWindow, ReopeningOnlyBringsTheWindowToTheFront) {
    QMdiSubWindow* first = Open("mnuSyutugenKaisu");
    auto* window = dynamic_cast<AnalysisWindow*>(first->widget());
    ASSERT_NE(window, nullptr);
    const ResultGrid* grid = &window->Grid();
    Open("mnuBaratsuki");
    EXPECT_NE(main->MdiArea()->activeSubWindow(), first);
    QMdiSubWindow* again = Open("mnuSyutugenKaisu");
    EXPECT_EQ(again, first);
    EXPECT_EQ(&dynamic_cast<AnalysisWindow*>(again->widget())->Grid(), grid);
    EXPECT_EQ(main->MdiArea()->subWindowList().size(), 2);
}

// A child window paints the inside of its frame itself, so a paint of the
// whole window (as it is shown or raised) paints each of its widgets once;
// the frame would otherwise paint all of them a second time.
TEST_F(MainWindow, APaintOfAChildWindowPaintsEachOfItsWidgetsOnce) {
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    QMdiSubWindow* frame = Open("mnuYoso");
    ASSERT_NE(frame, nullptr);
    main->repaint();  // the window as it opened, painted
    const QImage shown = frame->grab().toImage();
    struct Paints : QObject {
        std::map<QObject*, int> count;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint) ++count[watched];
            return false;
        }
    } paints;
    QList<QWidget*> widgets{frame->widget()};
    for (QWidget* child : frame->widget()->findChildren<QWidget*>()) {
        if (child->isVisible()) widgets << child;
    }
    for (QWidget* widget : widgets) widget->installEventFilter(&paints);
    frame->update();
    QApplication::processEvents();
    EXPECT_EQ(paints.count.size(), static_cast<std::size_t>(widgets.size()));
    for (const auto& [widget, count] : paints.count) {
        EXPECT_EQ(count, 1) << widget->metaObject()->className() << " "
                            << widget->objectName().toStdString();
    }
    EXPECT_EQ(frame->grab().toImage(), shown);
}

TEST_F(MainWindow, AnalysisWindowSitsTopLeftWithItsSizeInTwips) {
    main->show();
    QMdiSubWindow* frame = Open("mnuSyutugenKaisu");
    EXPECT_EQ(frame->pos(), QPoint(0, 0));
    EXPECT_EQ(frame->width(), TwipsToPixels(3405, frame));
    EXPECT_EQ(frame->height(), TwipsToPixels(8355, frame));
    auto* window = dynamic_cast<AnalysisWindow*>(frame->widget());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("回数別頻度分析"));
    EXPECT_EQ(window->Label1->text(),
              QStringLiteral("過去の当選番号から出現回数別の数字を分析します"));
    ASSERT_NE(window->Command2, nullptr);
    EXPECT_TRUE(window->Command2->isEnabled());
    window->Command1->click();
    QApplication::processEvents();
    EXPECT_FALSE(IsOpen(QStringLiteral("回数別出現分析")));
    EXPECT_EQ(dynamic_cast<AnalysisWindow*>(Open("mnuSyutugenHindo")->widget())->Command2, nullptr);
}

TEST_F(MainWindow, OptionClickRecomputesThreeGridsAndReopeningKeepsTheFlags) {
    auto* window = dynamic_cast<一発カゾリア予想*>(Open("mnuYoso")->widget());
    ASSERT_NE(window, nullptr);
    const auto texts = [&](int index) {
        std::string all;
        const ResultGrid& g = main->Prediction().Grid(index);
        for (int r = 1; r <= g.RowCount(); ++r)
            for (int c = 1; c <= g.ColumnCount(); ++c) all += g.ReadCell(c, r) + ",";
        return all;
    };
    const std::string cycle = texts(0), oneShot = texts(3);
    window->Opt反映する[1]->click();
    EXPECT_TRUE(main->PredictionOptions().Flag(1));
    EXPECT_TRUE(window->Opt反映する[1]->isChecked());
    EXPECT_FALSE(window->Opt反映しない[1]->isChecked());
    EXPECT_EQ(texts(0), cycle);
    EXPECT_NE(texts(3), oneShot);
    main->FindChildWindow(QStringLiteral("一発カゾリア予想"))->close();
    QApplication::processEvents();
    window = dynamic_cast<一発カゾリア予想*>(Open("mnuYoso")->widget());
    EXPECT_TRUE(window->Opt反映する[1]->isChecked());
    EXPECT_TRUE(window->Opt反映しない[0]->isChecked());
}

// Each option frame's grey line is broken where its caption sits, from the
// gap's left to the end of the caption's box (its text and a space) and
// padding; the buttons inside keep the window's font, not the caption's.
TEST_F(MainWindow, OptionFrameBreaksItsLineForTheCaptionAndButtonsKeepTheWindowFont) {
    auto* window = dynamic_cast<一発カゾリア予想*>(Open("mnuYoso")->widget());
    ASSERT_NE(window, nullptr);
    const int windowPixels = QFontInfo(window->font()).pixelSize();
    for (int i : {0, 11}) {
        CaptionFrame* frame = window->Frames[i];
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(QFontInfo(window->Opt反映する[i]->font()).pixelSize(), windowPixels);
        EXPECT_EQ(QFontInfo(window->Opt反映しない[i]->font()).pixelSize(), windowPixels);
        const QImage image = frame->grab().toImage();
        const QRgb line = qRgb(0xa0, 0xa0, 0xa0);
        const auto at = [&](int x, int y) { return image.pixel(x, y) | 0xff000000u; };
        const int top = CaptionFrame::kLineTop;
        const int gapLeft = CaptionFrame::kCaptionLeft;
        EXPECT_EQ(at(0, top), line);
        EXPECT_EQ(at(gapLeft - 1, top), line);
        EXPECT_NE(at(gapLeft, top), line);
        EXPECT_EQ(at(image.width() - 1, image.height() - 1), line);
        EXPECT_NE(at(1, top + 1), line);
        // The line starts again right of the caption's box and padding.
        const int box = QFontMetrics(frame->CaptionFont())
                            .size(Qt::TextShowMnemonic, frame->title() + QLatin1Char(' '))
                            .width();
        const int gapRight = gapLeft + 2 * CaptionFrame::kCaptionPadding + box;
        EXPECT_NE(at(gapRight - 1, top), line) << i;
        EXPECT_EQ(at(gapRight, top), line) << i;
    }
}

TEST_F(MainWindow, ShutDownWritesTheOptionsFileInTheCurrentDirectory) {
    main->PredictionOptions().SetFlag(10, true);
    main->close();
    const std::string written = ReadFile(dir.File("ロト7カゾリア.ini"));
    EXPECT_NE(written.find("=True\r\n"), std::string::npos);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 12);
}

TEST_F(MainWindow, HelpOpensAtTheAboutKeywordOrSaysTheFileIsMissing) {
    main->mnuHelpFile_Click();
    ASSERT_FALSE(RecordedMessages().isEmpty());
    EXPECT_TRUE(RecordedMessages().last().contains(QStringLiteral("ロト7カゾリアL.chm")));
    const std::string help = std::string(LOTO7_TEST_DATA) + "/../resources/help/ロト7カゾリアL.chm";
    WriteFile(dir.File("ロト7カゾリアL.chm"), ReadFile(help));
    ClearRecordedMessages();
    main->mnuHelpFile_Click();
    EXPECT_TRUE(RecordedMessages().isEmpty());
    // HelpViewer has no meta-object of its own: find it by name, then cast.
    auto* viewer = dynamic_cast<HelpViewer*>(main->findChild<QWidget*>("HelpViewer"));
    ASSERT_NE(viewer, nullptr);
    EXPECT_GE(viewer->Keywords().size(), 20);
    EXPECT_EQ(viewer->CurrentKeyword(), QStringLiteral("ロト7カゾリアLiteについて"));
    EXPECT_TRUE(viewer->LookUpKeyword(QStringLiteral("当選データ入力")));
    EXPECT_FALSE(viewer->LookUpKeyword(QStringLiteral("存在しない話題")));
}

TEST_F(MainWindow, OpenAllOpensTheEntryWindowEveryAnalysisAndThePrediction) {
    OpenEveryWindow(*main);
    EXPECT_TRUE(IsOpen(QStringLiteral("当選データ入力")));
    EXPECT_TRUE(IsOpen(QStringLiteral("一発カゾリア予想")));
    EXPECT_TRUE(IsOpen(QStringLiteral("予想の検証")));
    for (const AnalysisInfo& info : AnalysisCatalog()) {
        EXPECT_TRUE(IsOpen(QString::fromUtf8(info.name.data(), info.name.size()))) << info.name;
    }
    EXPECT_TRUE(RecordedMessages().isEmpty()) << RecordedMessages().join("\n").toStdString();
}

TEST_F(MainWindow, AboutWindowSitsAtAThirdOfTheMainWindowAndCloses) {
    main->setGeometry(90, 60, 1200, 900);
    main->show();
    main->mnuAbout_Click();
    auto* about =
        dynamic_cast<AboutWindow*>(main->findChild<QWidget*>(QStringLiteral("バージョン情報")));
    ASSERT_NE(about, nullptr);
    const QRect frame = main->frameGeometry();
    EXPECT_EQ(about->pos(),
              QPoint((frame.width() - frame.left()) / 3, (frame.height() - frame.top()) / 3));
    EXPECT_EQ(about->Command1->text(), QStringLiteral("閉じる"));
    const QPointer<AboutWindow> guard(about);
    about->Command1->click();
    QApplication::processEvents();
    EXPECT_TRUE(!guard || !guard->isVisible());
}

TEST_F(MainWindow, WindowMenuTilesTheChildrenAndLinesUpIcons) {
    main->resize(1200, 900);
    main->show();
    QMdiSubWindow* a = Open("mnuSyutugenKaisu");
    QMdiSubWindow* b = Open("mnuBaratsuki");
    main->mnuWindowHorizontal_Click();
    EXPECT_EQ(a->width(), b->width());
    EXPECT_NE(a->y(), b->y());
    main->mnuWindowVertical_Click();
    EXPECT_EQ(a->height(), b->height());
    EXPECT_NE(a->x(), b->x());
    a->showMinimized();
    b->showMinimized();
    main->mnuWindowArrangeIcon_Click();
    EXPECT_EQ(a->y(), b->y());
    EXPECT_NE(a->x(), b->x());
}

// Cascading keeps every window at its own size (its frame's size hint is
// its size in twips) and stacks them a title bar apart, the active on top.
TEST_F(MainWindow, CascadeKeepsEachWindowsSizeAndOffsetsThem) {
    main->resize(1200, 900);
    main->show();
    QMdiSubWindow* prediction = Open("mnuYoso");
    QMdiSubWindow* counts = Open("mnuSyutugenKaisu");
    QMdiSubWindow* sums = Open("mnuHonsuji");
    EXPECT_EQ(prediction->sizeHint(),
              QSize(TwipsToPixels(10080, prediction), TwipsToPixels(8400, prediction)));
    counts->move(300, 200);
    const QList<QMdiSubWindow*> windows{prediction, counts, sums};
    QList<QSize> sizes;
    for (QMdiSubWindow* w : windows) sizes << w->size();
    main->mnuWindowCascade_Click();
    for (int i = 0; i < windows.size(); ++i) EXPECT_EQ(windows[i]->size(), sizes[i]) << i;
    EXPECT_EQ(prediction->pos(), QPoint(0, 0));
    const QPoint step = counts->pos() - prediction->pos();
    EXPECT_GT(step.x(), 10);
    EXPECT_EQ(step.y(), step.x());
    EXPECT_EQ(sums->pos() - counts->pos(), step);
    EXPECT_EQ(main->MdiArea()->activeSubWindow(), sums);
}

// Below a separator, the window menu lists the open windows, the active one
// checked; choosing one activates it, and Ctrl+F4 closes the active one,
// also while the focus is in it.
TEST_F(MainWindow, WindowMenuListsTheOpenWindowsAndCtrlF4ClosesTheActiveOne) {
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    Open("mnuYoso");
    Open("mnuSyutugenKaisu");
    auto* menu = main->findChild<QMenu*>("mnuWindow");
    const auto listed = [menu] {
        emit menu->aboutToShow();
        QStringList texts;
        const QList<QAction*> actions = menu->actions();
        const auto separator = std::find_if(actions.begin(), actions.end(),
                                            [](QAction* a) { return a->isSeparator(); });
        EXPECT_EQ(separator - actions.begin(), 5);
        for (auto a = separator; a != actions.end(); ++a) {
            if (!(*a)->isSeparator()) texts << (*a)->text() + ((*a)->isChecked() ? " *" : "");
        }
        return texts;
    };
    EXPECT_EQ(listed(), (QStringList{"&1 一発カゾリア予想", "&2 回数別頻度分析 *"}));
    menu->actions().at(6)->trigger();
    EXPECT_EQ(listed(), (QStringList{"&1 一発カゾリア予想 *", "&2 回数別頻度分析"}));

    // With the focus in the child, as after a click into one of its grids.
    auto* prediction =
        dynamic_cast<一発カゾリア予想*>(main->MdiArea()->activeSubWindow()->widget());
    ASSERT_NE(prediction, nullptr);
    prediction->fpSpread1[0]->setFocus();
    QTest::keyClick(prediction->fpSpread1[0], Qt::Key_F4, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_FALSE(IsOpen(QStringLiteral("一発カゾリア予想")));
    EXPECT_EQ(listed(), (QStringList{"&1 回数別頻度分析 *"}));
}

}  // namespace

namespace {

// The import command sits after 当選データ保守, waits for blocking windows
// like data entry does, and reports what it did or why it refused the file.
TEST_F(MainWindow, CsvImportCommandReportsGapsAndTheSnapshotIsReadAgain) {
    const QList<QAction*> data = main->findChild<QMenu*>("mnuHosyu")->actions();
    ASSERT_EQ(data.size(), 6);
    // The ticket book and the quick check follow data entry.
    EXPECT_EQ(data[1], main->Command("mnuTickets"));
    EXPECT_EQ(data[1]->text(), QStringLiteral("購入番号(&T)"));
    EXPECT_EQ(data[2], main->Command("mnuQuickCheck"));
    EXPECT_EQ(data[4], main->Command("mnuImportCsv"));
    EXPECT_EQ(data[4]->text(), QStringLiteral("CSVファイルから取り込み(&C)..."));
    EXPECT_EQ(data[5], main->Command("mnuPasteResults"));
    EXPECT_EQ(data[5]->text(), QStringLiteral("結果の貼り付け(&P)..."));

    main->setPropEnd(false);
    main->mnuImportCsv_Click();
    EXPECT_EQ(RecordedMessages().last(), kStopMessage);

    const std::string header =
        "開催回,日付,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,BONUS数字1,"
        "BONUS数字2\n";
    const std::string db = main->DatabasePath();
    WriteFile(dir.File("bad.csv"), header + "690,,1,2,3,4,5,6,7,8,8\n");
    const std::string before = ReadFile(db);
    main->ImportCsvFile(QString::fromStdString(dir.File("bad.csv")));
    EXPECT_TRUE(RecordedMessages().last().contains(QStringLiteral("2行目")))
        << RecordedMessages().last().toStdString();
    EXPECT_EQ(ReadFile(db), before);

    WriteFile(dir.File("new.csv"), header + "690,,1,2,3,4,5,6,7,8,9\n1,,1,2,3,4,5,6,7,8,9\n");
    main->ImportCsvFile(QString::fromStdString(dir.File("new.csv")));
    const QString report = RecordedMessages().last();
    EXPECT_TRUE(report.contains(QStringLiteral("1回分を追加しました"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("第1回(3行目)は登録済みの数字")))
        << report.toStdString();
    EXPECT_FALSE(report.contains(QStringLiteral("起動"))) << report.toStdString();
    EXPECT_FALSE(report.contains(QStringLiteral("ありません"))) << report.toStdString();
    EXPECT_EQ(main->Globals().LatestDrawNumber, 690);
    Open("mnuYoso");
    EXPECT_EQ(main->Prediction().LatestDrawNumber(), 690);
    main->FindChildWindow(QStringLiteral("一発カゾリア予想"))->close();

    // Stored all the same, with every missing draw named.
    WriteFile(dir.File("gap.csv"), header + "693,,1,2,3,4,5,6,7,8,9\n");
    main->ImportCsvFile(QString::fromStdString(dir.File("gap.csv")));
    EXPECT_TRUE(RecordedMessages().last().endsWith(
        QStringLiteral("\n第691回、第692回がありません。分析は回数が続いていることを前提に数える"
                       "ため、抜けている回も取り込んでください。")))
        << RecordedMessages().last().toStdString();
    EXPECT_EQ(main->Globals().LatestDrawNumber, 693);
}

}  // namespace

namespace {

// --open takes every window name the menus open, not only the analyses.
TEST_F(MainWindow, OpenWindowKnowsEveryChildWindowByName) {
    for (const QString& name : {QStringLiteral("予想の検証"), QStringLiteral("一発カゾリア予想"),
                                QStringLiteral("バラツキ分析")}) {
        ASSERT_NE(main->OpenWindow(name), nullptr) << name.toStdString();
        EXPECT_TRUE(IsOpen(name)) << name.toStdString();
    }
    EXPECT_EQ(main->OpenWindow(QStringLiteral("無い窓")), nullptr);
}

}  // namespace
