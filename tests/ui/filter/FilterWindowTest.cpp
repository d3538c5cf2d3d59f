#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "support/WindowHost.h"
#include "ui/Messages.h"
#include "ui/filter/FilterWindow.h"

namespace {

class FilterWindowTest : public ::testing::Test {
  protected:
    WindowHost host{BundledCsvPath()};
    FilterWindow* Open() { return host.Open<FilterWindow>(); }
    static void Type(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static bool Settled(FilterWindow& w) { return !w.Counting() && w.Outcome().has_value(); }
};

TEST_F(FilterWindowTest, TypedFiltersAreCountedInTheWorkerAndShowWhatTheyKeep) {
    FilterWindow* w = Open();
    ASSERT_NE(w, nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(Settled(*w), 30000);
    EXPECT_TRUE(w->LabelAll->text().contains(QStringLiteral("10,295,472 通り（100.0 %）")));
    QLineEdit* sum = w->Conditions->Rows[static_cast<int>(FilterKind::Sum)].inputs[0];
    const int inputLeft = sum->mapTo(w, QPoint()).x();

    Type(w->Conditions->Rows[static_cast<int>(FilterKind::Sum)].inputs[0],
         QStringLiteral("100-160"));
    // Full-width digits as a Japanese input method gives them.
    w->Conditions->Rows[static_cast<int>(FilterKind::Odd)].inputs[0]->setText(
        QStringLiteral("３，４"));
    // The count restarts after the last edit, not once per key.
    EXPECT_FALSE(w->Outcome().has_value());
    QTRY_VERIFY_WITH_TIMEOUT(Settled(*w), 30000);
    EXPECT_EQ(w->Outcome()->combinations.passing, 4'589'328u);
    EXPECT_TRUE(w->LabelAll->text().contains(QStringLiteral("4,589,328 通り（44.6 %）")))
        << w->LabelAll->text().toStdString();
    EXPECT_TRUE(w->LabelAll->text().contains(
        QStringLiteral("過去の当選番号のうち 304 回(44.1 %)が残ります")));
    EXPECT_EQ(w->Conditions->Rows[static_cast<int>(FilterKind::Sum)].result->text(),
              QStringLiteral("組合せ 75.4 %　過去の当選 508 回(73.7 %)"));
    // Laid out once: a count beside a filter moves no input.
    QApplication::processEvents();
    EXPECT_EQ(sum->mapTo(w, QPoint()).x(), inputLeft);
    EXPECT_EQ(w->Conditions->Rows[static_cast<int>(FilterKind::Low)].result->text(),
              QStringLiteral("（条件なし）"));

    // An input that cannot be read says so and keeps the last counts.
    Type(w->Conditions->Rows[static_cast<int>(FilterKind::Sum)].inputs[0],
         QStringLiteral("160-100"));
    EXPECT_TRUE(w->LabelProblem->isVisible());
    EXPECT_TRUE(w->LabelProblem->text().startsWith(QStringLiteral("本数字合計の「160-100」")));
    EXPECT_EQ(w->Outcome()->combinations.passing, 4'589'328u);
}

TEST_F(FilterWindowTest, TicketsComeFromTheSeedShownAndArePrintedWithTheFilters) {
    FilterWindow* w = Open();
    ASSERT_NE(w, nullptr);
    Type(w->Conditions->Rows[static_cast<int>(FilterKind::Include)].inputs[0],
         QStringLiteral("7,8"));
    w->Conditions->Rows[static_cast<int>(FilterKind::NotWon)].check->setChecked(true);
    w->Text乱数->setText(QStringLiteral("42"));
    w->Spin口数->setValue(3);
    QTest::mouseClick(w->Cmd作成, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!w->Generating() && !w->Tickets().empty(), 30000);
    const std::vector<Combination> first = w->Tickets();
    ASSERT_EQ(first.size(), 3u);
    for (const Combination& t : first) {
        EXPECT_NE(std::find(t.begin(), t.end(), 7), t.end());
        EXPECT_NE(std::find(t.begin(), t.end(), 8), t.end());
    }
    EXPECT_EQ(w->TicketGrid().RowCount(), 4);
    EXPECT_EQ(w->TicketGrid().ReadCell(2, 2), std::to_string(first[0][0]));
    EXPECT_TRUE(w->LabelTickets->text().contains(QStringLiteral("乱数の種 42")));
    // The host keeps a ticket book: the tickets go there as they are.
    ASSERT_TRUE(w->Cmd追加->isEnabled());
    QTest::mouseClick(w->Cmd追加, Qt::LeftButton);
    ASSERT_EQ(host.offered.size(), 1u);
    ASSERT_EQ(host.offered[0].size(), 3u);
    EXPECT_EQ(host.offered[0][2], std::vector<int>(first[2].begin(), first[2].end()));

    QTest::mouseClick(w->Cmd作成, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!w->Generating(), 30000);
    EXPECT_EQ(w->Tickets(), first);

    QTRY_VERIFY_WITH_TIMEOUT(Settled(*w), 30000);
    const GridDocument document = w->Document();
    ASSERT_EQ(document.parts.size(), 2u);
    EXPECT_EQ(document.parts[1].label, QStringLiteral("作成した組合せ（乱数の種 42）"));
    const ResultGrid& filters = *document.parts[0].grid;
    EXPECT_EQ(filters.RowCount(), 4);  // heading, all, include, not won
    EXPECT_EQ(filters.ReadCell(1, 3), "必ず入れる数字");
    EXPECT_EQ(filters.ReadCell(2, 3), "7,8");
    EXPECT_EQ(filters.ReadCell(4, 3), "324,632");  // C(35, 5)
}

}  // namespace
