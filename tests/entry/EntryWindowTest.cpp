#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <sstream>

#include "app/MainFrm.h"
#include "core/GridDump.h"
#include "data/DrawStoreLoader.h"
#include "data/PrizeStore.h"
#include "entry/DrawEntryModel.h"
#include "entry/EntryWindow.h"
#include "entry/PrizeDialog.h"
#include "grid/Twips.h"
#include "support/DrawDatabase.h"
#include "ui/AnalysisWindow.h"
#include "ui/Messages.h"
#include "ui/paste/PasteDialog.h"

namespace {

using Rows = std::vector<std::string>;

const QString kName = QStringLiteral("当選データ入力");
const QString kWrongNumbers = QStringLiteral("当選データの数字に誤りがあります。");
const QString kAddQuestion = QStringLiteral(
    "選択された行のうしろに行を追加します。よろしいですか？\n（第4回として最後に追加します）");
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
        (void)QTest::qWaitFor([&] { return prediction() != nullptr; }, 2000);
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
    // The bonus headings break at their words: 「ボーナス」 fits the column.
    QHeaderView* header = grid->horizontalHeader();
    const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    EXPECT_LE(QFontMetrics(header->font()).horizontalAdvance(QStringLiteral("ボーナス")),
              grid->columnWidth(9) - margins);
    EXPECT_EQ(grid->rowHeight(0), static_cast<int>(std::lround(10 * w->logicalDpiY() / 72.0)));
    EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_FALSE(grid->verticalHeader()->isHidden());
    EXPECT_FALSE(w->Model()->flags(Cell(w, 0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(w->Model()->flags(Cell(w, 0, 9)) & Qt::ItemIsEditable);
    EXPECT_EQ(Cell(w, 0, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
    EXPECT_EQ(Cell(w, 0, 8).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(Cell(w, 0, 9).data(Qt::BackgroundRole).value<QColor>(), QColor(197, 255, 255));
    EXPECT_FALSE(Cell(w, 0, 7).data(Qt::BackgroundRole).isValid());

    // The lines between the cells are black, not the style's grey: on the
    // right edge of a column, beside a cell that is not the current one.
    const QImage painted = grid->viewport()->grab().toImage();
    const QPoint onLine(grid->columnViewportPosition(3) + grid->columnWidth(3) - 1,
                        grid->rowViewportPosition(1) + grid->rowHeight(1) / 2);
    ASSERT_TRUE(painted.rect().contains(onLine));
    EXPECT_EQ(painted.pixelColor(onLine), QColor(Qt::black));
    EXPECT_NE(painted.pixelColor(onLine - QPoint(2, 0)), QColor(Qt::black));
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
        QApplication::processEvents();  // and a question follows the commit
    };
    SetQuietAnswer(true);  // draw 3 is complete: its change is asked first
    type(2, 1, "12");
    for (const char* refused : {"1.5", "38", "abc", "1 2"}) type(2, 2, refused);
    // ボーナス数字2 given the number of the draw's 第3数字
    type(2, 9, "3");
    QApplication::processEvents();  // the refusals are shown once the commit has ended
    const QString refusal = QStringLiteral(
        "当選データの数字は1から37までの整数で入力してください。「%1」は保存されません。");
    EXPECT_EQ(
        RecordedMessages(),
        (QStringList{
            QStringLiteral("第3回を 1,2,3,4,5,6,7／8,9 から 12,2,3,4,5,6,7／8,9 に変えますか？"),
            refusal.arg("1.5"), refusal.arg("38"), refusal.arg("abc"), refusal.arg("1 2"),
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
        QApplication::processEvents();  // and a question follows the commit
    };
    bool boxClosed = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            // A question about a stored draw is answered yes, a refusal closed.
            if (QAbstractButton* yes = box->button(QMessageBox::Yes)) {
                yes->click();
                return;
            }
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
    // The question's box gives the keyboard back to the grid by itself.
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    EXPECT_TRUE(grid->hasFocus());

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
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));  // back from the question

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
    SetQuietAnswer(true);  // the changes below are asked about and answered yes
    model->setData(Cell(w, 0, 9), QString(), Qt::EditRole);  // an incomplete draw
    QApplication::processEvents();
    Database::Open(connection, Database::Mode::ReadWrite)
        .Exec(
            "CREATE TRIGGER refuse BEFORE UPDATE ON 当選データ BEGIN "
            "SELECT RAISE(ABORT, 'disk full'); END");
    EXPECT_FALSE(model->setData(Cell(w, 1, 1), QString("5"), Qt::EditRole));
    QApplication::processEvents();
    EXPECT_EQ(model->CellText(1, 1), "20");
    EXPECT_EQ(
        StoredRows(connection),
        (Rows{"1:7,10,12,17,23,28,34,3,", "2:20,24,29,31,33,34,35,12,32", "3:1,2,3,4,5,6,7,8,9"}));
    QApplication::processEvents();
    // Four refusals, two questions, one database error.
    ASSERT_EQ(RecordedMessages().size(), 7);
    EXPECT_TRUE(RecordedMessages()[2].contains(QStringLiteral("「1.5」は保存されません")));
    EXPECT_TRUE(
        RecordedMessages()[6].contains(QStringLiteral("第2回の「第1数字」を保存できませんでした")));
}

TEST_F(EntryWindow, AddsANumberedRowAfterTheActiveRowsDrawOnlyOnYes) {
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
    // Numbered after every stored draw, it is shown where that number sorts.
    EXPECT_EQ(w->Model()->CellText(1, 0), "2");
    EXPECT_EQ(w->Model()->CellText(3, 0), "4");
    EXPECT_EQ(w->fpSpread1->currentIndex(), Cell(w, 3, 4));
    EXPECT_EQ(StoredRows(connection).back(), "4:,,,,,,,,");
    // While that row is empty, 行追加 goes back to it instead of adding another.
    w->fpSpread1->setCurrentIndex(Cell(w, 0, 2));
    w->mnuAddLine_Click();
    EXPECT_EQ(RecordedMessages().last(),
              QStringLiteral("第4回がまだ入力されていません。この行に入力してください。"));
    EXPECT_EQ(w->Model()->rowCount(), 4);
    EXPECT_EQ(w->fpSpread1->currentIndex(), Cell(w, 3, 2));
    EXPECT_EQ(StoredRows(connection).size(), 4u);
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
        SetQuietAnswer(true);  // these draws are complete: the fix is asked first
        w->Model()->setData(Cell(w, row, column), QString::number(20 + column), Qt::EditRole);
        QApplication::processEvents();
        ASSERT_EQ(w->Model()->CellText(row, column), QString::number(20 + column));
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

// Closing the entry window after a change reads the snapshot again: the
// prediction window and the analyses opened next count the new draw.
TEST_F(EntryWindow, AfterTheEntryWindowClosesThePredictionAndTheAnalysesSeeTheNewDraw) {
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
    EXPECT_EQ(main->Globals().LatestDrawNumber, 4);

    main->mnuYoso_Click();
    EXPECT_EQ(main->Prediction().LatestDrawNumber(), 4);
    main->FindChildWindow(QStringLiteral("一発カゾリア予想"))->close();
    QMdiSubWindow* frame = main->OpenAnalysis(QStringLiteral("回数別出現分析"));
    auto* analysis = dynamic_cast<AnalysisWindow*>(frame->widget());
    ASSERT_NE(analysis, nullptr);
    std::ostringstream shown;
    DumpCsv(shown, {{"fpSpread1", &analysis->Grid()}});
    GlobalBas restarted;
    OpenDrawStore(restarted, dir.File("Loto7Kazoria.mdb"));
    EXPECT_EQ(shown.str(), dumpCountClasses(restarted));
    EXPECT_NE(shown.str(), atStartUp);
}

// One round of typing into the grid as a user does: a change to a complete
// stored draw asks first, Esc gives the stored value back, undo and redo
// write old and new values, a value left in the editor counts at close.
TEST_F(EntryWindow, KeyboardEditsOfStoredDrawsAskFirstAndCanBeUndone) {
    Start({"1, 7,10,12,17,23,28,34,3,15", "2, 20,24,29,31,33,34,35,12,32",
           "3, 1,2,3,4,5,6,7,8,NULL"});
    ShowMain();
    当選データ入力* w = Open();
    ASSERT_NE(w, nullptr);
    QTableView* grid = w->fpSpread1;
    const std::string db = dir.File("Loto7Kazoria.mdb");
    const Rows original = StoredRows(connection);
    // Types keys into a cell; "\n" presses Enter, "\x1b" Esc, nothing more
    // leaves the value in the editor.
    auto type = [&](int row, int column, const std::string& keys) {
        grid->setFocus();
        grid->setCurrentIndex(Cell(w, row, column));
        for (char key : keys) {
            QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : grid;
            if (key == '\n') {
                QTest::keyClick(to, Qt::Key_Return);
            } else if (key == '\x1b') {
                QTest::keyClick(to, Qt::Key_Escape);
            } else {
                QTest::keyClick(to, key);
            }
        }
        // The grid commits after the key, and the question follows the commit.
        QApplication::processEvents();
        QApplication::processEvents();
    };
    auto keys = [&](Qt::Key key) {
        QTest::keyClick(grid, key, Qt::ControlModifier);
        QApplication::processEvents();
    };
    const QString question = QStringLiteral(
        "第1回を 7,10,12,17,23,28,34／3,15 から 9,10,12,17,23,28,34／3,15 に変えますか？");

    struct Step {
        const char* what;
        std::function<void()> act;
        bool yes;
        QString asked;  // the question, empty when none
        std::vector<std::string> stored;
    };
    const std::vector<Step> steps = {
        {"no keeps the file as it was", [&] { type(0, 1, "9\n"); }, false, question, original},
        {"yes stores it",
         [&] { type(0, 1, "9\n"); },
         true,
         question,
         {"1:9,10,12,17,23,28,34,3,15", original[1], original[2]}},
        {"Esc restores",
         [&] { type(1, 1, "5\x1b"); },
         true,
         {},
         {"1:9,10,12,17,23,28,34,3,15", original[1], original[2]}},
        {"an incomplete draw is filled without a question",
         [&] { type(2, 9, "30\n"); },
         false,
         {},
         {"1:9,10,12,17,23,28,34,3,15", original[1], "3:1,2,3,4,5,6,7,8,30"}},
        {"a third change",
         [&] { type(1, 2, "25\n"); },
         true,
         QStringLiteral(
             "第2回を 20,24,29,31,33,34,35／12,32 から 20,25,29,31,33,34,35／12,32 に変えますか？"),
         {"1:9,10,12,17,23,28,34,3,15", "2:20,25,29,31,33,34,35,12,32", "3:1,2,3,4,5,6,7,8,30"}},
        {"Ctrl+Z",
         [&] { keys(Qt::Key_Z); },
         false,
         {},
         {"1:9,10,12,17,23,28,34,3,15", original[1], "3:1,2,3,4,5,6,7,8,30"}},
        {"Ctrl+Z again",
         [&] { keys(Qt::Key_Z); },
         false,
         {},
         {"1:9,10,12,17,23,28,34,3,15", original[1], original[2]}},
        {"Ctrl+Z back to the start", [&] { keys(Qt::Key_Z); }, false, {}, original},
        {"Ctrl+Z with nothing left", [&] { keys(Qt::Key_Z); }, false, {}, original},
        {"Ctrl+Y",
         [&] { keys(Qt::Key_Y); },
         false,
         {},
         {"1:9,10,12,17,23,28,34,3,15", original[1], original[2]}},
        {"undo from the menu", [&] { w->mnuUndo->trigger(); }, false, {}, original},
        {"a value left in the editor at close",
         [&] {
             type(0, 1, "11");
             main->FindChildWindow(kName)->close();
             QApplication::processEvents();
         },
         true,
         QStringLiteral(
             "第1回を 7,10,12,17,23,28,34／3,15 から 11,10,12,17,23,28,34／3,15 に変えますか？"),
         {"1:11,10,12,17,23,28,34,3,15", original[1], original[2]}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        const std::string before = ReadFile(db);
        ClearRecordedMessages();
        SetQuietAnswer(step.yes);
        step.act();
        EXPECT_EQ(RecordedMessages(),
                  step.asked.isEmpty() ? QStringList{} : QStringList{step.asked});
        EXPECT_EQ(StoredRows(connection), step.stored);
        if (!step.yes && !step.asked.isEmpty()) {
            EXPECT_EQ(ReadFile(db), before);  // byte for byte
        }
    }
    EXPECT_EQ(w->mnuUndo->text(), QStringLiteral("元に戻す(&U)"));
    EXPECT_EQ(w->mnuRedo->text(), QStringLiteral("やり直し(&R)"));
}

// Ctrl+End then Ctrl+A: the question names the current cell's draw, the new
// row shows last with the cursor in it, and Ctrl+D at once offers to delete
// that new row; after Ctrl+Home only the first cell is selected.
TEST_F(EntryWindow, RowCommandsFollowTheCursorMovedByKeys) {
    Start();
    ShowMain();
    当選データ入力* w = Open();
    ASSERT_NE(w, nullptr);
    QTableView* grid = w->fpSpread1;
    grid->setFocus();
    grid->setCurrentIndex(Cell(w, 0, 3));
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid->currentIndex(), Cell(w, 2, 9));
    SetQuietAnswer(true);
    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(RecordedMessages().last(),
              QStringLiteral("選択された行のうしろに行を追加します。よろしいですか？\n（第4回として"
                             "最後に追加します）"));
    ASSERT_EQ(w->Model()->rowCount(), 4);
    EXPECT_EQ(grid->currentIndex(), Cell(w, 3, 9));
    SetQuietAnswer(false);
    QTest::keyClick(grid, Qt::Key_D, Qt::ControlModifier);
    EXPECT_TRUE(RecordedMessages().last().startsWith(
        QStringLiteral("選択された行を削除します。よろしいですか？\n第4回　")))
        << RecordedMessages().last().toStdString();
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid->currentIndex(), Cell(w, 0, 0));
    EXPECT_EQ(grid->selectionModel()->selectedIndexes(), QModelIndexList{Cell(w, 0, 0)});
}

TEST_F(EntryWindow, CtrlVPreviewsPastedResultsAndRegistersOnlyWhatIsTicked) {
    Start();
    ShowMain();
    当選データ入力* w = Open();
    ASSERT_NE(w, nullptr);
    QApplication::clipboard()->setText(QStringLiteral(
        "ロト7 第3回 2013/04/19 01 02 03 04 05 06 08 (07)(09)\n"
        "第4回 2013年4月26日(金)\n本数字 02 04 06 08 10 12 14\nボーナス数字 (16) (18)\n"
        "1等 該当なし\n6等 1,234口 1,000円\nキャリーオーバー 123,456,789円\n"));
    const std::string before = ReadFile(connection);
    // Ctrl+V with the grid focused (no cell being edited) opens the preview;
    // act runs on it while it is shown.
    const auto pasteAnd = [&](const std::function<void(PasteDialog&)>& act) {
        // The offscreen platform gives the activation back to nobody when a
        // dialog closes; a window manager gives it to the main window.
        main->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(main.get()));
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = dynamic_cast<PasteDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen = true;
            act(*dialog);
            if (dialog->isVisible()) dialog->reject();
        });
        w->fpSpread1->setFocus();
        QTest::keyClick(w->fpSpread1, Qt::Key_V, Qt::ControlModifier);
        QApplication::processEvents();
        EXPECT_TRUE(seen) << RecordedMessages().join(u'|').toStdString();
    };

    pasteAnd([](PasteDialog& dialog) {
        QTableWidget* rows = dialog.Rows();
        ASSERT_EQ(rows->rowCount(), 2);
        EXPECT_EQ(rows->item(0, 1)->text(), QStringLiteral("登録済みと違う"));
        EXPECT_EQ(rows->item(0, 6)->text(), QStringLiteral("登録済み: 1,2,3,4,5,6,7／8,9"));
        EXPECT_EQ(rows->item(1, 1)->text(), QStringLiteral("新規"));
        EXPECT_EQ(rows->item(1, 4)->text(), QStringLiteral("2,4,6,8,10,12,14／16,18"));
        EXPECT_EQ(rows->item(1, 5)->text(), QStringLiteral("1等、6等、キャリーオーバー"));
        EXPECT_FALSE(dialog.Ticked(0));
        EXPECT_TRUE(dialog.Ticked(1));
    });
    EXPECT_EQ(ReadFile(connection), before);  // キャンセル stores nothing

    // A ticked change is asked first; no keeps draw 3 and stores draw 4 alone.
    ClearRecordedMessages();
    pasteAnd([](PasteDialog& dialog) {
        dialog.SetTicked(0, true);
        QTest::mouseClick(dialog.RegisterButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(RecordedMessages().contains(
        QStringLiteral("第3回を 1,2,3,4,5,6,7／8,9 から 1,2,3,4,5,6,8／7,9 に変えますか？")));
    EXPECT_EQ(StoredRows(connection),
              (Rows{"1:7,10,12,17,23,28,34,3,15", "2:20,24,29,31,33,34,35,12,32",
                    "3:1,2,3,4,5,6,7,8,9", "4:2,4,6,8,10,12,14,16,18"}));
    EXPECT_EQ(w->Model()->rowCount(), 4);
    {
        const Database file = Database::Open(connection, Database::Mode::ReadOnly);
        const DrawPrizes prizes = ReadPrizes(file, 4);
        EXPECT_EQ(prizes.tiers[0], (PrizeLine{0, 0}));
        EXPECT_EQ(prizes.tiers[5], (PrizeLine{1'234, 1'000}));
        EXPECT_EQ(prizes.carryOver, 123'456'789);
    }
    // Closed, the window hands the new draw to every analysis.
    w->Command1_Click();
    QApplication::processEvents();
    EXPECT_EQ(main->Globals().LatestDrawNumber, 4);
}

TEST_F(EntryWindow, PrizeDialogChecksEveryFieldAndStoresOneDrawsLinesAtOnce) {
    Start();
    PrizeDialog dialog(connection, 2);
    dialog.WinnersField(0)->setText(QStringLiteral("該当なし"));
    dialog.WinnersField(5)->setText(QStringLiteral("１，２３４"));
    dialog.AmountField(5)->setText(QStringLiteral("1,000円"));
    dialog.CarryOverField()->setText(QStringLiteral("7億"));
    DrawPrizes prizes;
    QString why;
    EXPECT_TRUE(dialog.ReadFields(prizes, why)) << why.toStdString();
    EXPECT_EQ(prizes.tiers[0], (PrizeLine{0, 0}));
    EXPECT_FALSE(prizes.tiers[1]);
    EXPECT_EQ(prizes.tiers[5], (PrizeLine{1'234, 1'000}));
    EXPECT_EQ(prizes.carryOver, 700'000'000);

    const std::string before = ReadFile(connection);
    const auto refusal = [&](QLineEdit* field, const QString& text) {
        const QString kept = field->text();
        field->setText(text);
        ClearRecordedMessages();
        dialog.Store();
        field->setText(kept);
        EXPECT_FALSE(dialog.Stored());
        return RecordedMessages().join(u'|').toStdString();
    };
    EXPECT_EQ(refusal(dialog.AmountField(0), QStringLiteral("100")),
              "1等は該当なし（0口）なのに当選金額が100円です。");
    EXPECT_EQ(refusal(dialog.WinnersField(2), QStringLiteral("5")), "3等の当選金額がありません。");
    EXPECT_EQ(refusal(dialog.WinnersField(2), QStringLiteral("-5")),
              "3等の口数「-5」は0以上の整数ではありません。");
    EXPECT_EQ(refusal(dialog.SalesField(), QStringLiteral("たくさん")),
              "販売実績額「たくさん」は金額として読めません。");
    EXPECT_EQ(ReadFile(connection), before);

    dialog.Store();
    EXPECT_TRUE(dialog.Stored());
    PrizeDialog again(connection, 2);
    EXPECT_EQ(again.WinnersField(0)->text(), QStringLiteral("0"));
    EXPECT_EQ(again.WinnersField(5)->text(), QStringLiteral("1,234"));
    EXPECT_EQ(again.AmountField(5)->text(), QStringLiteral("1,000"));
    EXPECT_EQ(again.WinnersField(1)->text(), QString());
    EXPECT_EQ(again.CarryOverField()->text(), QStringLiteral("700,000,000"));
    EXPECT_EQ(again.windowTitle(), QStringLiteral("第2回の当選金額"));
}

}  // namespace
