#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "core/GridStyle.h"
#include "grid/GridView.h"
#include "support/WindowHost.h"
#include "ui/Messages.h"
#include "ui/wheel/WheelWindow.h"
#include "wheel/WheelText.h"
#include "wheel/WheelVerify.h"

namespace {

const QString kWindowName = QStringLiteral("ホイール");

class WheelWindowTest : public ::testing::Test {
  protected:
    WindowHost host{BundledCsvPath()};
    WheelWindow* Open() { return host.Open<WheelWindow>(); }
    static void Choose(WheelWindow& w, std::initializer_list<int> numbers) {
        for (int n : numbers) QTest::mouseClick(w.Pad->Button(n), Qt::LeftButton);
    }
    static void MakeAndWait(WheelWindow& w) {
        QTest::mouseClick(w.Cmd作成, Qt::LeftButton);
        EXPECT_TRUE(w.Running());
        EXPECT_FALSE(w.Cmd作成->isEnabled());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w.Running(); }, 60000));
    }
};

TEST_F(WheelWindowTest, MakesAVerifiedWheelInTheWorkerAndClearsItWhenTheNumbersChange) {
    WheelWindow* w = Open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), kWindowName);
    // The host keeps a ticket book: the command is offered.
    EXPECT_FALSE(w->Cmd追加->isHidden());
    // Keys: marked with the key tool, kept in the chosen numbers.
    Choose(*w, {3, 8, 12, 17, 21, 25, 30, 33, 36});
    w->Chkキー->setChecked(true);
    Choose(*w, {8});
    w->Chkキー->setChecked(false);
    EXPECT_EQ(w->KeyNumbers(), (std::vector<int>{8}));
    w->SpinM->setValue(4);
    w->SpinT->setValue(3);
    MakeAndWait(*w);
    ASSERT_TRUE(w->Report());
    const WheelReport& report = *w->Report();
    EXPECT_TRUE(CheckGuarantee(report.tickets, {w->ChosenNumbers(), {8}, 3, 4}).holds);
    const ResultGrid& tickets = w->Grids().tickets;
    EXPECT_EQ(w->Grid購入->Grid(), &tickets);
    EXPECT_EQ(tickets.RowCount(), static_cast<int>(report.tickets.size()) + 1);
    // Each number sits on the colour of its place among the chosen; the key is red.
    for (int row = 2; row <= tickets.RowCount(); ++row) {
        for (int column = 2; column <= 8; ++column) {
            const int n = std::stoi(tickets.ReadCell(column, row));
            const std::vector<int> chosen = w->ChosenNumbers();
            const int at =
                static_cast<int>(std::find(chosen.begin(), chosen.end(), n) - chosen.begin());
            EXPECT_EQ(tickets.Cell(column, row).back, ChosenNumberColour(at, 9));
            EXPECT_EQ(tickets.Cell(column, row).fore, n == 8 ? kRed : kBlack);
        }
    }
    EXPECT_EQ(w->Grids().odds.ReadCell(1, 8), "いずれか");
    // Every row of each grid can be brought into view: what the window has no
    // room for scrolls.
    for (GridView* view : {w->Grid数値, w->Grid保証, w->Grid確率}) {
        EXPECT_EQ(view->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        EXPECT_EQ(view->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        const int whole = view->RowTop(view->Grid()->RowCount() + 1);
        EXPECT_GE(view->verticalScrollBar()->maximum() + view->viewport()->height(), whole)
            << view->objectName().toStdString();
    }
    EXPECT_TRUE(w->Cmd印刷->isEnabled());
    // 購入番号に追加 offers every ticket of the wheel, in its order.
    QTest::mouseClick(w->Cmd追加, Qt::LeftButton);
    ASSERT_EQ(host.offered.size(), 1u);
    ASSERT_EQ(host.offered[0].size(), report.tickets.size());
    EXPECT_EQ(host.offered[0].front(), NumbersOf(report.tickets.front()));
    const GridDocument document = w->Document();
    EXPECT_EQ(document.parts.size(), 4u);
    EXPECT_EQ(document.csv.size(), 4u);

    // Another number: the old wheel is gone.
    Choose(*w, {37});
    EXPECT_FALSE(w->Report());
    EXPECT_EQ(w->Grid購入->Grid(), nullptr);
    EXPECT_FALSE(w->Cmd印刷->isEnabled());
}

TEST_F(WheelWindowTest, StopKeepsTheBestVerifiedSetAndAFailedCheckIsNeverShown) {
    WheelWindow* w = Open();
    ASSERT_NE(w, nullptr);
    for (int n = 1; n <= 18; ++n) Choose(*w, {n});
    w->SpinT->setValue(5);
    w->SpinM->setValue(5);
    w->Spin秒->setValue(60);
    QTest::mouseClick(w->Cmd作成, Qt::LeftButton);
    // The window answers while the worker searches, and tells the smallest
    // verified set so far.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return w->Label状態->text().contains(QStringLiteral("これまでの最小")); }, 60000));
    EXPECT_TRUE(w->Cmd中止->isEnabled());
    QTest::mouseClick(w->Cmd中止, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w->Running(); }, 60000));
    ASSERT_TRUE(w->Report());
    EXPECT_TRUE(w->Report()->stopped);
    EXPECT_TRUE(w->Label状態->text().contains(QStringLiteral("中止したため")));
    EXPECT_TRUE(CheckGuarantee(w->Report()->tickets, {w->ChosenNumbers(), {}, 5, 5}).holds);

    // A report whose check failed: no wheel, a message instead.
    WorkOutcome<WheelReport> failed;
    failed.value = *w->Report();
    failed.value->tickets.pop_back();
    failed.value->check.holds = false;
    ClearRecordedMessages();
    w->ShowOutcome(failed);
    EXPECT_FALSE(w->Report());
    EXPECT_EQ(w->Grid購入->Grid(), nullptr);
    EXPECT_EQ(RecordedMessages().size(), 1);
}

TEST_F(WheelWindowTest, TakesThePredictionRowsAndRefusesTooFewNumbers) {
    WheelWindow* w = Open();
    ASSERT_NE(w, nullptr);
    ASSERT_GT(w->Cbo予想->count(), 0);
    ASSERT_TRUE(w->Cmd取込->isEnabled());
    w->Cbo予想->setCurrentIndex(0);
    QTest::mouseClick(w->Cmd取込, Qt::LeftButton);
    const std::vector<int> taken = w->ChosenNumbers();
    EXPECT_FALSE(taken.empty());
    EXPECT_NE(w->Cbo予想->itemText(0).indexOf(QString::fromStdString(JoinNumbers(taken, " "))), -1);
    // Seven numbers or fewer make no wheel: the message says why, nothing runs.
    while (w->ChosenNumbers().size() > 7)
        QTest::mouseClick(w->Pad->Button(w->ChosenNumbers().back()), Qt::LeftButton);
    ClearRecordedMessages();
    QTest::mouseClick(w->Cmd作成, Qt::LeftButton);
    EXPECT_FALSE(w->Running());
    ASSERT_EQ(RecordedMessages().size(), 1);
    EXPECT_TRUE(
        RecordedMessages().front().startsWith(QStringLiteral("数字は8個以上選んでください")));
}

}  // namespace
