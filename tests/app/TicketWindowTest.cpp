#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>
#include <algorithm>

#include "app/AppTestSupport.h"
#include "data/PrizeStore.h"
#include "data/TicketStore.h"
#include "grid/GridView.h"
#include "tickets/TicketGrids.h"
#include "ui/AnalysisWindow.h"
#include "ui/ChartLibrary.h"
#include "ui/NumberPad.h"
#include "ui/PredictionWindow.h"
#include "ui/tickets/BalanceChart.h"
#include "ui/tickets/QuickCheckWindow.h"
#include "ui/tickets/TicketDialog.h"
#include "ui/tickets/TicketWindow.h"

namespace {

// Draw 1: 1 … 7 / 8, 9; draw 2: 1 2 3 4 5 10 11 / 12, 13; draw 3: 3 8 20 21 22 23 24 / 1 2.
const char* const kCsv =
    "回数,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,ボーナス数字2\n"
    "1,1,2,3,4,5,6,7,8,9\n2,1,2,3,4,5,10,11,12,13\n3,3,8,20,21,22,23,24,1,2\n";

// Runs fill on the ticket dialog once it is open (it runs modal).
void WhenDialogOpens(std::function<void(TicketDialog&)> fill) {
    QTimer::singleShot(0, [fill = std::move(fill)] {
        auto* dialog = dynamic_cast<TicketDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        fill(*dialog);
    });
}

class TicketWindowTest : public MainWindowTest {
  protected:
    購入番号* window = nullptr;

    void SetUp() override {
        WriteFile(dir.File("draws.csv"), kCsv);
        StartMain(dir.File("draws.csv"), true);
        QMdiSubWindow* frame = main->OpenWindow(QString::fromUtf8(kTicketWindowName));
        ASSERT_NE(frame, nullptr);
        window = dynamic_cast<購入番号*>(frame->widget());
        ASSERT_NE(window, nullptr);
    }

    // Ctrl+Z as typed in the grid, with the main window active as the
    // window manager leaves it once a dialog is gone.
    void PressUndo() {
        main->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(main.get()));
        main->MdiArea()->setActiveSubWindow(
            main->FindChildWindow(QString::fromUtf8(kTicketWindowName)));
        QTest::keyClick(window->fpSpread1, Qt::Key_Z, Qt::ControlModifier);
    }

    std::string Cell(int column, int row) const { return window->Grid().ReadCell(column, row); }
};

TEST_F(TicketWindowTest, AddingByPadAndTypingChangingWithUndoAndDeletingWithUndo) {
    EXPECT_EQ(window->Grid().RowCount(), 1);  // the heading only
    // The draw offered is the next one; a refused number is said and kept
    // for correction; the pad fills the other fields.
    WhenDialogOpens([](TicketDialog& d) {
        EXPECT_EQ(d.EditDraws->text(), QStringLiteral("4"));
        d.EditDraws->setText(QStringLiteral("1-2"));
        for (int n : {2, 3, 4, 5, 6, 7}) QTest::mouseClick(d.Pad->Button(n), Qt::LeftButton);
        QTest::keyClicks(d.EditNumbers[6], QStringLiteral("38"));
        QTest::mouseClick(d.CmdOK, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
        d.EditNumbers[6]->setText(QStringLiteral("１"));  // full-width
        EXPECT_TRUE(d.Pad->Button(1)->isChecked());
        QTest::mouseClick(d.CmdOK, Qt::LeftButton);
    });
    window->mnuAdd_Click();
    EXPECT_EQ(
        RecordedMessages(),
        QStringList{QStringLiteral(
            "購入番号の数字は1から37までの整数で入力してください。「38」は保存されません。")});
    ASSERT_EQ(window->Tickets().size(), 1u);
    EXPECT_EQ(window->Tickets()[0].numbers, (std::array<int, 7>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(window->SelectedTicket(), 1);
    EXPECT_EQ(Cell(kTicketResultColumn, 2), "1等");
    EXPECT_EQ(Cell(kTicketResultColumn, 3), "4等");
    EXPECT_EQ(window->SummaryGrid().ReadCell(4, 2), "600円");

    // Changing asks first; Ctrl+Z takes the change back.
    SetQuietAnswer(true);
    WhenDialogOpens([](TicketDialog& d) {
        d.SpinUnits->setValue(3);
        d.EditDraws->setText(QStringLiteral("3"));
        QTest::mouseClick(d.CmdOK, Qt::LeftButton);
    });
    window->mnuChange_Click();
    EXPECT_EQ(window->Grid().RowCount(), 2);
    EXPECT_EQ(Cell(kTicketUnitsColumn, 2), "3");
    EXPECT_EQ(Cell(kTicketResultColumn, 2), "はずれ");  // 3 only: one main match
    PressUndo();
    EXPECT_EQ(ReadTickets(main->Globals().DatabaseFile)[0].units, 1);
    EXPECT_EQ(Cell(kTicketUnitsColumn, 2), "1");
    EXPECT_EQ(Cell(kTicketResultColumn, 2), "1等");

    // Deleting: No keeps it, Yes deletes it, Ctrl+Z brings it back as it was.
    const PurchasedTicket stored = window->Tickets()[0];
    SetQuietAnswer(false);
    window->mnuDelete_Click();
    EXPECT_EQ(window->Tickets().size(), 1u);
    SetQuietAnswer(true);
    window->mnuDelete_Click();
    EXPECT_TRUE(ReadTickets(main->Globals().DatabaseFile).empty());
    EXPECT_EQ(window->Grid().RowCount(), 1);
    PressUndo();
    EXPECT_EQ(ReadTickets(main->Globals().DatabaseFile), std::vector<PurchasedTicket>{stored});
    EXPECT_EQ(window->Grid().RowCount(), 3);
    // The first step, the addition, is the last one taken back.
    PressUndo();
    EXPECT_TRUE(ReadTickets(main->Globals().DatabaseFile).empty());
    EXPECT_FALSE(window->mnuUndo->isEnabled());
}

TEST_F(TicketWindowTest, RowsOfferedByAnotherWindowAreCompletedAndShown) {
    WhenDialogOpens([](TicketDialog& d) {
        EXPECT_EQ(d.EditDraws->text(), QStringLiteral("4"));
        EXPECT_EQ(d.EditNumbers[2]->text(), QStringLiteral("20"));
        EXPECT_TRUE(d.EditNumbers[3]->text().isEmpty());
        for (int n : {21, 22, 23, 24}) QTest::mouseClick(d.Pad->Button(n), Qt::LeftButton);
        d.EditDraws->setText(QStringLiteral("3"));
        QTest::mouseClick(d.CmdOK, Qt::LeftButton);
    });
    main->AddTickets(nullptr, {{3, 8, 20}});
    ASSERT_EQ(window->Tickets().size(), 1u);
    EXPECT_EQ(Cell(kTicketResultColumn, 2), "1等");
}

// 1 2 3 4 5 6 20 ×2 for draws 1–4: 3等 in draw 1, 4等 in draw 2, はずれ in
// draw 3, 未抽選 in draw 4.  Prize lines entered for draw 1 show at once.
TEST_F(TicketWindowTest, PrizeLinesEnteredChangeTheBalanceAtOnceAndTheChartFollows) {
    const std::string db = dir.File("Loto7Kazoria.mdb");
    std::vector<PurchasedTicket> added(1);
    added[0].firstDraw = 1;
    added[0].lastDraw = 4;
    added[0].numbers = {1, 2, 3, 4, 5, 6, 20};
    added[0].units = 2;
    TicketBook(db).Add(added);
    window->Recompute();
    const auto balanceRow = [&](int row) {
        std::vector<std::string> cells;
        for (int c = 1; c <= window->BalanceGrid().ColumnCount(); ++c)
            cells.push_back(window->BalanceGrid().ReadCell(c, row));
        return cells;
    };
    using Row = std::vector<std::string>;
    // Nothing entered: 3等 and 4等 are estimates (727,900 and 9,100 before draw 613).
    EXPECT_EQ(Cell(kTicketPrizeColumn, 2), "未入力");
    EXPECT_EQ(Cell(kTicketEstimateColumn, 2), "1,455,800円");
    EXPECT_EQ(balanceRow(2),
              (Row{"すべて", "1", "1,800円", "0円", "1,474,000円", "-1,800円", "0.0%", "4"}));
    EXPECT_EQ(window->Label期待値->text(),
              QStringLiteral("第4回の購入番号：1口300円の平均の払戻しは約135円（売上の45 %が賞金）"
                             "です。2口（600円）では払戻しの期待値270円、ばらつき（標準偏差）約"
                             "265,000円、期待収支-330円です。"));

    DrawPrizes prizes;
    prizes.tiers[2] = PrizeLine{3, 800'000};
    prizes.carryOver = 0;
    StorePrizes(db, 1, prizes);
    main->PrizesWritten();
    EXPECT_EQ(Cell(kTicketPrizeColumn, 2), "1,600,000円");
    EXPECT_EQ(Cell(kTicketEstimateColumn, 2), "");
    EXPECT_EQ(balanceRow(2), (Row{"すべて", "1", "1,800円", "1,600,000円", "1,618,200円",
                                  "1,598,200円", "88888.9%", "2"}));
    EXPECT_EQ(window->YearGrid().RowCount(), 2);  // the draws have no dates: one 年不明 row
    EXPECT_EQ(window->YearGrid().ReadCell(1, 2), "年不明");

    window->Tab下->setCurrentIndex(1);
    ASSERT_NE(window->Chart1, nullptr);
    ASSERT_NE(window->Chart1->Lines(), nullptr);
    const QList<QPointF> line = window->Chart1->Lines()->Points(0);
    ASSERT_EQ(line.size(), 3);
    EXPECT_EQ(line[0], QPointF(1, 159.94));  // 万円: 1,600,000 − 600 円
    EXPECT_EQ(line[2], QPointF(3, 159.82));
    EXPECT_EQ(window->Chart1->Lines()->Points(2)[2], QPointF(3, -0.099));  // −55 % of 1,800
    EXPECT_TRUE(RecordedMessages().isEmpty());
}

// Another program stores a ticket for draw 4 and then draw 4 itself: the
// open window follows the file, with nothing done here.
TEST_F(TicketWindowTest, AnotherProgramsTicketAndDrawShowWithoutBeingAskedFor) {
    const std::string db = dir.File("Loto7Kazoria.mdb");
    const auto run = [&](const QStringList& args) {
        QProcess other;
        other.start(QStringLiteral(LOTO7_EXECUTABLE),
                    args + QStringList{"--db", QString::fromStdString(db)});
        EXPECT_TRUE(other.waitForFinished(60000));
        EXPECT_EQ(other.exitCode(), 0) << other.readAllStandardError().toStdString();
    };
    // An analysis keeps what it computed, and prints the draws it counted.
    QMdiSubWindow* frame = main->OpenWindow(QStringLiteral("出現頻度分析"));
    ASSERT_NE(frame, nullptr);
    auto* analysis = dynamic_cast<AnalysisWindow*>(frame->widget());
    ASSERT_NE(analysis, nullptr);
    const QString counted = analysis->Document().drawRange;
    EXPECT_EQ(counted, QStringLiteral("第1回～第3回"));
    run({"tickets", "add", "--draw", "4", "2", "9", "14", "19", "25", "31", "37"});
    QTRY_COMPARE_WITH_TIMEOUT(window->Grid().RowCount(), 2, 10000);
    EXPECT_EQ(Cell(kTicketResultColumn, 2), "未抽選");
    WriteFile(
        dir.File("draw4.csv"),
        "回数,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,ボーナス数字2\n"
        "4,2,9,14,19,25,31,37,1,3\n");
    run({"import", QString::fromStdString(dir.File("draw4.csv"))});
    QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(Cell(kTicketResultColumn, 2)),
                              QStringLiteral("1等"), 10000);
    EXPECT_EQ(main->Snapshot().LatestDrawNumber, 4);
    EXPECT_EQ(analysis->Document().drawRange, counted);
}

TEST_F(TicketWindowTest, QuickCheckCountsEachTierOverAHandCountedHistory) {
    QMdiSubWindow* frame = main->OpenWindow(QString::fromUtf8(kQuickCheckWindowName));
    ASSERT_NE(frame, nullptr);
    auto* check = dynamic_cast<当選番号チェック*>(frame->widget());
    ASSERT_NE(check, nullptr);
    // 1 2 3 4 5 8 20: draw 1 five main (4等), draw 2 five main (4等), draw 3
    // 3, 8, 20 main and bonus 1, 2 (6等).
    const char* typed[] = {"1", "2", "3", "4", "5", "８", "20"};
    for (int i = 0; i < 6; ++i) check->EditNumbers[i]->insert(QString::fromUtf8(typed[i]));
    EXPECT_FALSE(check->Result());
    EXPECT_EQ(check->Label2->text(),
              QStringLiteral("購入番号の数字が6個しかありません。7個の数字を入力してください。"));
    QTest::keyClicks(check->EditNumbers[6], QString::fromUtf8(typed[6]));
    ASSERT_TRUE(check->Result());
    const QuickCheckResult& r = *check->Result();
    EXPECT_EQ(r.draws, 3);
    EXPECT_EQ(r.tierCounts, (std::array<int, 7>{0, 0, 0, 0, 2, 0, 1}));
    ASSERT_EQ(r.bigWins.size(), 2u);
    EXPECT_EQ(r.bigWins[1].drawNumber, 2);
    EXPECT_TRUE(RecordedMessages().isEmpty());
}

}  // namespace

namespace {

class PredictionRowTest : public MainWindowTest {};

TEST_F(PredictionRowTest, APredictionRowRightClickedGoesToTheBookForTheNextDraw) {
    StartMain(BundledCsvPath(), true);
    main->mnuYoso_Click();
    auto* prediction = dynamic_cast<一発カゾリア予想*>(
        main->FindChildWindow(QString::fromUtf8(kPredictionWindowName))->widget());
    ASSERT_NE(prediction, nullptr);
    // The one-shot row: seven numbers, as the grid shows them.
    const ResultGrid& oneShot = main->Prediction().Grid(kOneShotGrid);
    std::vector<int> shown;
    for (int c = 2; c <= oneShot.ColumnCount(); ++c) {
        if (!oneShot.ReadCell(c, 2).empty()) shown.push_back(std::stoi(oneShot.ReadCell(c, 2)));
    }
    std::sort(shown.begin(), shown.end());
    ASSERT_EQ(shown.size(), 7u);
    prediction->PrepareRowMenu(kOneShotGrid, 1);  // the heading row
    EXPECT_FALSE(prediction->mnuAddTickets->isEnabled());
    prediction->PrepareRowMenu(kOneShotGrid, 2);
    ASSERT_TRUE(prediction->mnuAddTickets->isEnabled());
    WhenDialogOpens([](TicketDialog& d) { QTest::mouseClick(d.CmdOK, Qt::LeftButton); });
    prediction->mnuAddTickets->trigger();
    const std::vector<PurchasedTicket> stored = ReadTickets(main->Globals().DatabaseFile);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].firstDraw, 690);
    EXPECT_EQ(std::vector<int>(stored[0].numbers.begin(), stored[0].numbers.end()), shown);
}

}  // namespace
