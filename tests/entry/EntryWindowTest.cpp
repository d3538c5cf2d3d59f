#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QtTest/QTest>
#include <sstream>

#include "app/MainFrm.h"
#include "core/GridDump.h"
#include "data/DrawStoreLoader.h"
#include "entry/DrawEntryModel.h"
#include "entry/EntryWindow.h"
#include "grid/Twips.h"
#include "support/DrawDatabase.h"
#include "ui/AnalysisWindow.h"
#include "ui/Messages.h"

namespace {

using Rows = std::vector<std::string>;

const QString kName = QStringLiteral("当選データ入力");
const QString kWrongNumbers = QStringLiteral("当選データの数字に誤りがあります。");
const QString kAddQuestion =
    QStringLiteral("選択された行のうしろに行を追加します。よろしいですか？\n（第1回のうしろ）");
const QString kDeleteQuestion = QStringLiteral(
    "選択された行を削除します。よろしいですか？\n第1回　7, 10, 12, 17, 23, 28, 34 ／ 3, 15");
const Rows kThreeDraws = {"1, 7,10,12,17,23,28,34,3,15", "2, 20,24,29,31,33,34,35,12,32",
                          "3, 1,2,3,4,5,6,7,8,9"};

class EntryWindow : public ::testing::Test {
  protected:
    TempDir dir;
    QString previousDirectory = QDir::currentPath();
    std::string connection;
    GlobalBas globals;
    std::unique_ptr<MainFrm> main;

    void Start(const Rows& rows = kThreeDraws) {
        SetQuietMessages(true);
        SetQuietAnswer(false);
        ClearRecordedMessages();
        QDir::setCurrent(QString::fromStdString(dir.Path().string()));
        connection = CreateDrawDatabase(dir, rows);
        main = std::make_unique<MainFrm>(globals, dir.File("Loto7Kazoria.mdb"));
        main->Form_Load();
    }
    void TearDown() override {
        main.reset();
        QDir::setCurrent(previousDirectory);
        SetQuietMessages(true);
        SetQuietAnswer(false);
    }
    当選データ入力* Open() {
        main->mnuMasterInput_Click();
        QMdiSubWindow* frame = main->FindChildWindow(kName);
        return frame ? dynamic_cast<当選データ入力*>(frame->widget()) : nullptr;
    }
    // The main window on screen, with the prediction window it opens when it
    // becomes active closed again.
    void ShowMain() {
        main->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(main.get()));
        // The prediction window opens once the frame is active.
        const auto prediction = [&] {
            return main->FindChildWindow(QStringLiteral("一発カゾリア予想"));
        };
        QTest::qWaitFor([&] { return prediction() != nullptr; }, 2000);
        if (QMdiSubWindow* window = prediction()) window->close();
        main->setPropEnd(true);
    }
    static QModelIndex Cell(当選データ入力* w, int row, int column) {
        return w->Model()->index(row, column);
    }
    bool MenuBarHasEditMenu() const {
        for (QAction* a : main->menuBar()->actions()) {
            if (a->objectName() == QStringLiteral("mnuEdit")) return true;
        }
        return false;
    }
};

TEST_F(EntryWindow, OpensOnlyWhilePropEndIsTrueAndClosingByTheFrameSkipsTheCheck) {
    Start({"1, 0,10,12,17,23,28,34,3,15"});
    main->setPropEnd(false);
    EXPECT_EQ(Open(), nullptr);
    EXPECT_EQ(RecordedMessages().last(),
              QStringLiteral("表示中のウィンドウを閉じないと実行できません。"));
    main->setPropEnd(true);
    当選データ入力* w = Open();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(main->propEnd());
    QMdiSubWindow* frame = main->FindChildWindow(kName);
    EXPECT_EQ(frame->pos(), QPoint(0, 0));
    EXPECT_EQ(frame->size(), QSize(TwipsToPixels(9000, w), TwipsToPixels(13450, w)));
    ClearRecordedMessages();
    frame->close();
    QApplication::processEvents();
    EXPECT_EQ(main->FindChildWindow(kName), nullptr);
    EXPECT_TRUE(main->propEnd());
    EXPECT_TRUE(RecordedMessages().isEmpty());
}

TEST_F(EntryWindow, ADatabaseThatCannotBeOpenedIsReportedAndTheWindowClosesAgain) {
    Start();
    WriteFile(dir.File("Loto7Kazoria.mdb"), "not a database");
    ASSERT_NE(Open(), nullptr);
    ASSERT_FALSE(RecordedMessages().isEmpty());
    EXPECT_TRUE(RecordedMessages().last().contains(QStringLiteral("を開けません")));
    QApplication::processEvents();
    EXPECT_EQ(main->FindChildWindow(kName), nullptr);
    EXPECT_TRUE(main->propEnd());
}

TEST_F(EntryWindow, ShowsTheTenBoundColumnsAsLaidOut) {
    Start();
    当選データ入力* w = Open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), kName);
    EXPECT_EQ(w->Label1->text(),
              QStringLiteral("当選数字を開催回数毎に入力します。ここのデータが分析対象になります"));
    EXPECT_EQ(w->Command1->text(), QStringLiteral("閉じる"));
    QStringList headings;
    for (int c = 0; c < 10; ++c)
        headings << w->Model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_EQ(headings, (QStringList{"回数", "第1数字", "第2数字", "第3数字", "第4数字", "第5数字",
                                     "第6数字", "第7数字", "ボーナス数字1", "ボーナス数字2"}));
    QTableView* grid = w->fpSpread1;
    EXPECT_LT(grid->columnWidth(0), grid->columnWidth(1));
    EXPECT_EQ(grid->columnWidth(1), grid->columnWidth(9));
    EXPECT_EQ(grid->rowHeight(0), static_cast<int>(std::lround(10 * w->logicalDpiY() / 72.0)));
    EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_FALSE(grid->verticalHeader()->isHidden());
    EXPECT_FALSE(w->Model()->flags(Cell(w, 0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(w->Model()->flags(Cell(w, 0, 9)) & Qt::ItemIsEditable);
    EXPECT_EQ(Cell(w, 0, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
    EXPECT_EQ(Cell(w, 0, 8).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(Cell(w, 0, 9).data(Qt::BackgroundRole).value<QColor>(), QColor(197, 255, 255));
    EXPECT_FALSE(Cell(w, 0, 7).data(Qt::BackgroundRole).isValid());
}

TEST_F(EntryWindow, TypedNumbersAreStoredAtOnceAndRefusedOnesAreNot) {
    Start();
    ShowMain();
    当選データ入力* w = Open();
    ASSERT_NE(w, nullptr);
    QTableView* grid = w->fpSpread1;
    auto type = [grid](int row, int column, const char* keys) {
        grid->setCurrentIndex(grid->model()->index(row, column));
        QTest::keyClick(grid, keys[0]);  // starts editing
        QLineEdit* editor = nullptr;
        for (auto* e : grid->findChildren<QLineEdit*>("numberEditor")) {
            if (e->isVisible()) editor = e;
        }
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, keys + 1);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();  // the grid commits after the key
    };
    type(2, 1, "12");
    for (const char* refused : {"1.5", "38", "abc", "1 2"}) type(2, 2, refused);
    // ボーナス数字2 given the number of the draw's 第3数字
    type(2, 9, "3");
    QApplication::processEvents();  // the refusals are shown once the commit has ended
    const QString refusal = QStringLiteral(
        "当選データの数字は1から37までの整数で入力してください。「%1」は保存されません。");
    EXPECT_EQ(
        RecordedMessages(),
        (QStringList{refusal.arg("1.5"), refusal.arg("38"), refusal.arg("abc"), refusal.arg("1 2"),
                     QStringLiteral("「3」は「第3数字」に既にあります。")}));
    EXPECT_EQ(StoredRows(connection)[2], "3:12,2,3,4,5,6,7,8,9");
}

TEST_F(EntryWindow, TypedKeysNeverReachAnotherDraw) {
    Start();
    ShowMain();
    SetQuietMessages(false);  // the refusal below is a real message box
    当選データ入力* w = Open();
    ASSERT_NE(w, nullptr);
    QTableView* grid = w->fpSpread1;
    auto click = [grid](int row, int column) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, column)).center());
    };
    // The first key goes to the grid, the rest to wherever the focus is then.
    auto type = [grid](const char* keys) {
        QTest::keyClick(grid, keys[0]);
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClicks(focused, keys + 1);
        QTest::keyClick(focused, Qt::Key_Return);
        QApplication::processEvents();  // the grid commits after the key
    };
    bool boxClosed = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            QTest::keyClick(box, Qt::Key_Return);
            boxClosed = true;
        }
    });
    closer.start(10);
    Rows expected = StoredRows(connection);

    // Draw 2's 第4数字 (31) starts with the 3 typed into draw 3's.
    click(2, 4);
    click(2, 4);  // a click on the selected cell
    type("36");
    expected[2] = "3:1,2,3,36,5,6,7,8,9";
    EXPECT_EQ(StoredRows(connection), expected);

    // Draw 2's 第2数字 (24) starts with the 2 typed after the refusal.
    click(0, 2);
    type("38");
    ASSERT_TRUE(QTest::qWaitFor([&] { return boxClosed; }));
    main->activateWindow();  // as the window manager does once the box is gone
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    EXPECT_EQ(grid->currentIndex(), Cell(w, 0, 2));
    type("25");
    expected[0] = "1:7,25,12,17,23,28,34,3,15";
    EXPECT_EQ(StoredRows(connection), expected);

    // Tab on the last cell does not wrap to draw 1.
    click(2, 9);
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(grid->currentIndex(), Cell(w, 2, 9));
    EXPECT_TRUE(grid->hasFocus());
}

TEST_F(EntryWindow, RefusedValuesAndDatabaseErrorsLeaveTheStoredValue) {
    Start();
    当選データ入力* w = Open();
    ASSERT_NE(w, nullptr);
    DrawEntryModel* model = w->Model();
    for (const char* text : {"0", "38", "1.5", "abc"}) {
        EXPECT_FALSE(model->setData(Cell(w, 0, 1), QString(text), Qt::EditRole)) << text;
    }
    EXPECT_TRUE(model->setData(Cell(w, 0, 9), QString(), Qt::EditRole));  // an incomplete draw
    Database::Open(connection, Database::Mode::ReadWrite)
        .Exec(
            "CREATE TRIGGER refuse BEFORE UPDATE ON 当選データ BEGIN "
            "SELECT RAISE(ABORT, 'disk full'); END");
    EXPECT_FALSE(model->setData(Cell(w, 1, 1), QString("5"), Qt::EditRole));
    EXPECT_EQ(model->CellText(1, 1), "20");
    EXPECT_EQ(
        StoredRows(connection),
        (Rows{"1:7,10,12,17,23,28,34,3,", "2:20,24,29,31,33,34,35,12,32", "3:1,2,3,4,5,6,7,8,9"}));
    QApplication::processEvents();
    ASSERT_EQ(RecordedMessages().size(), 5);
    EXPECT_TRUE(RecordedMessages()[2].contains(QStringLiteral("「1.5」は保存されません")));
    EXPECT_TRUE(
        RecordedMessages()[4].contains(QStringLiteral("第2回の「第1数字」を保存できませんでした")));
}

TEST_F(EntryWindow, AddsANumberedRowRightAfterTheActiveRowOnlyOnYes) {
    Start();
    当選データ入力* w = Open();
    ASSERT_NE(w, nullptr);
    w->fpSpread1->setCurrentIndex(Cell(w, 0, 4));
    w->mnuAddLine_Click();
    EXPECT_EQ(RecordedMessages().last(), kAddQuestion);
    EXPECT_EQ(w->Model()->rowCount(), 3);
    SetQuietAnswer(true);
    w->mnuAddLine_Click();
    ASSERT_EQ(w->Model()->rowCount(), 4);
    EXPECT_EQ(w->Model()->CellText(1, 0), "4");
    EXPECT_EQ(w->Model()->CellText(2, 0), "2");
    EXPECT_EQ(w->fpSpread1->currentIndex(), Cell(w, 1, 4));
    EXPECT_EQ(StoredRows(connection).back(), "4:,,,,,,,,");
}

TEST_F(EntryWindow, DeletesTheActiveRowOnlyOnYesWithoutRenumbering) {
    Start();
    当選データ入力* w = Open();
    ASSERT_NE(w, nullptr);
    w->fpSpread1->setCurrentIndex(Cell(w, 1, 2));
    w->mnuDelLine_Click();
    EXPECT_EQ(RecordedMessages().last(),
              QStringLiteral("選択された行を削除します。よろしいですか？\n"
                             "第2回　20, 24, 29, 31, 33, 34, 35 ／ 12, 32"));
    EXPECT_EQ(StoredRows(connection).size(), 3u);
    SetQuietAnswer(true);
    w->mnuDelLine_Click();
    EXPECT_EQ(w->Model()->rowCount(), 2);
    EXPECT_EQ(w->Model()->CellText(1, 0), "3");
    EXPECT_EQ(StoredRows(connection), (Rows{"1:7,10,12,17,23,28,34,3,15", "3:1,2,3,4,5,6,7,8,9"}));
}

TEST_F(EntryWindow, EditMenuPopsUpOnlyOnARowHeadingWithOneRowSelected) {
    Start();
    当選データ入力* w = Open();
    ASSERT_NE(w, nullptr);
    auto popsUp = [w](int kind, int column, int row) {
        w->fpSpread1_RightClick(kind, column, row, QPoint(10, 10));
        const bool shown = w->mnuEdit->isVisible();
        w->mnuEdit->hide();
        return shown;
    };
    w->fpSpread1->setCurrentIndex(Cell(w, 1, 3));
    EXPECT_TRUE(popsUp(0, 0, 3));
    EXPECT_FALSE(popsUp(1, 0, 3));  // not a single click
    EXPECT_FALSE(popsUp(0, 2, 3));  // not the row heading
    EXPECT_FALSE(popsUp(0, 0, 0));
    EXPECT_FALSE(popsUp(0, 0, 4));  // past the last row
    w->fpSpread1->selectionModel()->select(QItemSelection(Cell(w, 0, 1), Cell(w, 1, 1)),
                                           QItemSelectionModel::ClearAndSelect);
    EXPECT_FALSE(popsUp(0, 0, 1));
    w->fpSpread1->selectRow(2);
    EXPECT_TRUE(popsUp(0, 0, 1));
}

TEST_F(EntryWindow, EditMenuIsInTheMenuBarWhileTheWindowIsActive) {
    Start();
    ShowMain();
    当選データ入力* w = Open();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(MenuBarHasEditMenu());
    const QList<QAction*> bar = main->menuBar()->actions();
    EXPECT_EQ(bar.indexOf(w->mnuEdit->menuAction()) + 1,
              bar.indexOf(main->findChild<QMenu*>("mnuWindow")->menuAction()));
    w->fpSpread1->setCurrentIndex(Cell(w, 0, 1));
    QTest::keyClick(w->fpSpread1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w->fpSpread1, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(RecordedMessages().mid(RecordedMessages().size() - 2),
              (QStringList{kAddQuestion, kDeleteQuestion}));
    main->OpenAnalysis(QStringLiteral("回数別出現分析"));
    EXPECT_FALSE(MenuBarHasEditMenu());
    main->MdiArea()->setActiveSubWindow(main->FindChildWindow(kName));
    EXPECT_TRUE(MenuBarHasEditMenu());
    main->FindChildWindow(kName)->close();
    EXPECT_FALSE(MenuBarHasEditMenu());
}

TEST_F(EntryWindow, CloseCheckStopsAtTheFirstWrongCellInRowThenColumnOrder) {
    Start({"1, 1,37,NULL,5,6,7,8,9,10", "2, 1,2,3,4,5,6,7,38,0", "3, 1,2,3,4,5,6,7,8,9"});
    // A value the start-up snapshot could not read, stored since.
    Database::Open(connection, Database::Mode::ReadWrite)
        .Exec("UPDATE 当選データ SET 第1数字 = 1.5 WHERE 回数 = 3");
    当選データ入力* w = Open();
    ASSERT_NE(w, nullptr);
    const std::vector<std::pair<int, int>> expected = {{1, 8}, {1, 9}, {2, 1}};
    for (const auto& [row, column] : expected) {
        w->Command1_Click();
        EXPECT_EQ(RecordedMessages().last(), kWrongNumbers);
        ASSERT_EQ(w->fpSpread1->currentIndex(), Cell(w, row, column));
        ASSERT_NE(main->FindChildWindow(kName), nullptr);
        ASSERT_TRUE(
            w->Model()->setData(Cell(w, row, column), QString::number(20 + column), Qt::EditRole));
    }
    w->Command1_Click();
    QApplication::processEvents();
    EXPECT_EQ(main->FindChildWindow(kName), nullptr);
    EXPECT_TRUE(main->propEnd());
}

TEST_F(EntryWindow, CloseCheckCoversRowsPastFiveThousand) {
    Rows rows;
    for (int draw = 1; draw <= 5003; ++draw) {
        rows.push_back(std::to_string(draw) +
                       (draw == 5002 ? ", 1,2,3,4,5,6,38,8,9" : ", 1,2,3,4,5,6,7,8,9"));
    }
    Start(rows);
    当選データ入力* w = Open();
    ASSERT_NE(w, nullptr);
    w->Command1_Click();
    EXPECT_EQ(w->fpSpread1->currentIndex(), Cell(w, 5001, 7));
}

TEST_F(EntryWindow, AnAnalysisOpenedAfterAnEditStillShowsTheStartUpSnapshot) {
    Start();
    auto dumpCountClasses = [](const GlobalBas& g) {
        ResultGrid grid;
        FindAnalysis("回数別出現分析")->build(g, grid);
        std::ostringstream text;
        DumpCsv(text, {{"fpSpread1", &grid}});
        return text.str();
    };
    const std::string atStartUp = dumpCountClasses(globals);
    当選データ入力* w = Open();
    ASSERT_NE(w, nullptr);
    SetQuietAnswer(true);
    w->fpSpread1->setCurrentIndex(Cell(w, 2, 1));
    w->mnuAddLine_Click();
    for (int c = 1; c <= 9; ++c)
        ASSERT_TRUE(w->Model()->setData(Cell(w, 3, c), QString::number(c + 20), Qt::EditRole));
    w->Command1_Click();
    ASSERT_EQ(main->FindChildWindow(kName), nullptr);

    QMdiSubWindow* frame = main->OpenAnalysis(QStringLiteral("回数別出現分析"));
    auto* analysis = dynamic_cast<AnalysisWindow*>(frame->widget());
    ASSERT_NE(analysis, nullptr);
    std::ostringstream shown;
    DumpCsv(shown, {{"fpSpread1", &analysis->Grid()}});
    EXPECT_EQ(shown.str(), atStartUp);
    GlobalBas restarted;
    OpenDrawStore(restarted, dir.File("Loto7Kazoria.mdb"));
    EXPECT_EQ(restarted.LatestDrawNumber, 4);
    EXPECT_NE(dumpCountClasses(restarted), atStartUp);
}

}  // namespace
