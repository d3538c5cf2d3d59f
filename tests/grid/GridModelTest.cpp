#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QTest>

#include "core/GridStyle.h"
#include "grid/GridModel.h"
#include "grid/GridView.h"

namespace {

// A small result table: a pink heading row and a yellow label column, both
// frozen, red numbers on white, the label column left-aligned.
ResultGrid HeadedTable() {
    ResultGrid g;
    ShapeGrid(g, {.columns = 4,
                  .rows = 5,
                  .visibleColumns = 4,
                  .visibleRows = 5,
                  .frozenRows = 1,
                  .frozenColumns = 1,
                  .scrollBars = 0});
    StyleWholeGrid(g);
    FillBlock(g, 1, 1, 4, 1, [](ResultGrid& x) { x.SetBackColor(kHeaderPink); });
    FillBlock(g, 1, 2, 1, 5, [](ResultGrid& x) {
        x.SetBackColor(kLightYellow);
        x.SetHorizontalAlign(ResultGrid::HAlign::Left);
    });
    FillBlock(g, 2, 2, 4, 5, [](ResultGrid& x) { x.SetForeColor(kRed); });
    g.WriteCell(1, 1, "回");
    g.WriteCell(2, 1, "数字");
    g.WriteCell(3, 1, "出現<回数>");
    g.WriteCell(4, 1, "A&B");
    for (int r = 2; r <= 5; ++r) {
        g.WriteCell(1, r, "第" + std::to_string(r) + "回");
        for (int c = 2; c <= 4; ++c) g.WriteCell(c, r, c * 10 + r);
    }
    return g;
}

QColor Colour(const QModelIndex& index, int role) {
    return index.data(role).value<QBrush>().color();
}

TEST(GridModel, CellsAndFrozenHeadingsUnderTheirRoles) {
    const ResultGrid grid = HeadedTable();
    GridModel model;
    model.SetGrid(&grid);
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.columnCount(), 4);
    const QModelIndex cell = model.index(2, 1);  // grid column 2, row 3
    EXPECT_EQ(cell.data().toString(), "23");
    EXPECT_EQ(Colour(cell, Qt::ForegroundRole), QColor(255, 0, 0));
    EXPECT_EQ(Colour(cell, Qt::BackgroundRole), QColor(255, 255, 255));
    EXPECT_EQ(cell.data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignHCenter | Qt::AlignVCenter);
    const QModelIndex label = model.IndexOf(1, 4);
    EXPECT_EQ(label.data().toString(), "第4回");
    EXPECT_EQ(Colour(label, Qt::BackgroundRole), QColor(255, 255, 200));
    EXPECT_EQ(label.data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(Colour(model.index(0, 3), Qt::BackgroundRole), QColor(255, 200, 200));
    EXPECT_EQ(model.flags(cell), Qt::ItemIsEnabled | Qt::ItemIsSelectable);

    // The frozen row heads each column, the frozen column labels each row.
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "出現<回数>");
    EXPECT_EQ(model.headerData(3, Qt::Vertical).toString(), "第4回");
    EXPECT_FALSE(model.headerData(4, Qt::Horizontal).isValid());

    // A grid that changes in place keeps its size; one without frozen panes
    // has no headings.
    ResultGrid plain = HeadedTable();
    plain.FreezeRows(0);
    plain.FreezeColumns(0);
    model.SetGrid(&plain);
    EXPECT_FALSE(model.headerData(1, Qt::Horizontal).isValid());
    EXPECT_FALSE(model.headerData(1, Qt::Vertical).isValid());
    plain.WriteCell(2, 2, "変更");
    model.Reread();
    EXPECT_EQ(model.index(1, 1).data().toString(), "変更");
}

class ShownGrid : public ::testing::Test {
  protected:
    void SetUp() override {
        view.SetGrid(&grid);
        view.resize(view.sizeHint() + QSize(40, 40));
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    QPoint Centre(int column, int row) const {
        return view.CellRectInViewport(column, row).center();
    }

    ResultGrid grid = HeadedTable();
    GridView view;
};

// Two columns by three rows, picked with a click and Shift and the arrows,
// reach the clipboard as tab-separated text and as an HTML table with
// the cells' colours; Ctrl+A takes the whole grid.
TEST_F(ShownGrid, CopiesTheSelectedBlockAsTabSeparatedTextAndAColouredHtmlTable) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, Centre(1, 1));
    QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(view.SelectedBlock(), (CellBlock{1, 1, 2, 3}));
    EXPECT_EQ(view.CurrentCell(), QPoint(2, 3));
    QApplication::clipboard()->clear();
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->text(), "回\t数字\n第2回\t22\n第3回\t23\n");
    const QString html = copied->html();
    EXPECT_EQ(html.count("<tr>"), 3);
    EXPECT_EQ(html.count("<td "), 6);
    EXPECT_TRUE(
        html.contains("<td bgcolor=\"#ffc8c8\" align=\"center\" "
                      "style=\"background-color:#ffc8c8;color:#000000;text-align:center\">"
                      "<font color=\"#000000\">回</font></td>"))
        << html.toStdString();
    EXPECT_TRUE(
        html.contains("<td bgcolor=\"#ffffc8\" align=\"left\" "
                      "style=\"background-color:#ffffc8;color:#000000;text-align:left\">"
                      "<font color=\"#000000\">第3回</font></td>"));
    EXPECT_TRUE(
        html.contains("<td bgcolor=\"#ffffff\" align=\"center\" "
                      "style=\"background-color:#ffffff;color:#ff0000;text-align:center\">"
                      "<font color=\"#ff0000\">23</font></td>"));

    // A drag selects too, and the menu's first item copies; texts are
    // escaped in HTML.
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, Centre(3, 1));
    QMouseEvent move(QEvent::MouseMove, Centre(4, 2), view.viewport()->mapToGlobal(Centre(4, 2)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, Centre(4, 2));
    EXPECT_EQ(view.SelectedBlock(), (CellBlock{3, 1, 4, 2}));
    ASSERT_FALSE(view.actions().isEmpty());
    EXPECT_EQ(view.actions().first()->text(), "コピー(&C)");
    view.actions().first()->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "出現<回数>\tA&B\n32\t42\n");
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->html().contains(">出現&lt;回数&gt;</font>"));

    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view.SelectedBlock(), (CellBlock{1, 1, 4, 5}));
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_TRUE(view.SelectedBlock().Empty());
    EXPECT_EQ(view.CurrentCell(), QPoint(0, 0));
}

TEST_F(ShownGrid, SelectedCellsAreTintedAndTheRestKeepTheirColours) {
    const auto pixel = [&](int column, int row) {
        QImage image(view.viewport()->size(), QImage::Format_RGB32);
        view.viewport()->render(&image);
        return image.pixelColor(Centre(column, row) + QPoint(view.ColumnPixelWidth(column) / 3, 0));
    };
    EXPECT_EQ(pixel(3, 4), QColor(Qt::white));
    view.SetCurrentCell({2, 3});
    view.SetCurrentCell({3, 4}, true);
    EXPECT_NE(pixel(3, 4), QColor(Qt::white));
    EXPECT_NE(pixel(2, 3), QColor(Qt::white));
    EXPECT_EQ(pixel(4, 4), QColor(Qt::white));
    EXPECT_EQ(pixel(1, 4), QColor(255, 255, 200));
}

// A screen reader finds a table: its size, each cell's text, the frozen
// heading of a cell's column and label of its row, and the current cell.
TEST_F(ShownGrid, ScreenReadersReadATableWithHeadingsAndTheCurrentCell) {
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    QAccessibleTableInterface* tableInterface = table->tableInterface();
    ASSERT_NE(tableInterface, nullptr);
    EXPECT_EQ(tableInterface->rowCount(), 5);
    EXPECT_EQ(tableInterface->columnCount(), 4);
    EXPECT_EQ(table->childCount(), 20);
    EXPECT_EQ(tableInterface->columnDescription(1), "数字");

    QAccessibleInterface* heading = tableInterface->cellAt(0, 2);
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(heading->text(QAccessible::Name), "出現<回数>");

    QAccessibleInterface* cell = tableInterface->cellAt(3, 2);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_EQ(cell->text(QAccessible::Name), "34");
    EXPECT_EQ(table->indexOfChild(cell), 3 * 4 + 2);
    EXPECT_EQ(table->child(3 * 4 + 2), cell);
    QAccessibleTableCellInterface* cellInterface = cell->tableCellInterface();
    ASSERT_NE(cellInterface, nullptr);
    ASSERT_EQ(cellInterface->columnHeaderCells().size(), 1);
    EXPECT_EQ(cellInterface->columnHeaderCells().first(), heading);
    ASSERT_EQ(cellInterface->rowHeaderCells().size(), 1);
    EXPECT_EQ(cellInterface->rowHeaderCells().first()->text(QAccessible::Name), "第4回");
    EXPECT_EQ(cell->rect().center(), view.viewport()->mapToGlobal(Centre(3, 4)));

    EXPECT_EQ(table->focusChild(), nullptr);
    EXPECT_FALSE(cellInterface->isSelected());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, Centre(3, 4));
    EXPECT_EQ(table->focusChild(), cell);
    EXPECT_TRUE(cellInterface->isSelected());
    QTest::keyClick(&view, Qt::Key_Up);
    ASSERT_NE(table->focusChild(), nullptr);
    EXPECT_EQ(table->focusChild()->text(QAccessible::Name), "33");
    EXPECT_EQ(tableInterface->selectedCellCount(), 1);
}

}  // namespace

namespace {

// A frequency-chart-like grid in a window: a heading band 「本 数 字」 over
// columns 2 and 3 (its text in column 3, padded, no line between them), a
// heading 「回」, and marks whose colour says main number or bonus number.
ResultGrid MarkedChart() {
    ResultGrid g;
    ShapeGrid(g, {.columns = 3,
                  .rows = 3,
                  .visibleColumns = 3,
                  .visibleRows = 3,
                  .frozenRows = 1,
                  .frozenColumns = 1,
                  .scrollBars = 0});
    StyleWholeGrid(g);
    FillBlock(g, 1, 1, 3, 1, [](ResultGrid& x) { x.SetBackColor(kHeaderPink); });
    g.SelectBlock(2, 1, 2, 1);
    g.DrawBorder(ResultGrid::kBorderRight, 0);
    g.SelectBlock(3, 1, 3, 1);
    g.DrawBorder(ResultGrid::kBorderLeft, 0);
    g.WriteCell(1, 1, "回 ");
    g.WriteCell(3, 1, "   本 数 字   ");
    for (int r = 2; r <= 3; ++r) g.WriteCell(1, r, "第" + std::to_string(r) + "回");
    g.SelectCell(2, 2);
    g.SetForeColor(kMainMark);
    g.WriteCell(2, 2, "●");
    g.SelectCell(3, 2);
    g.SetForeColor(kBonus1Mark);
    g.WriteCell(3, 2, "●");
    return g;
}

std::vector<CellMeaning> Marks() {
    CellMeaning main{.colour = kMainMark, .meaning = "本数字", .copiedMark = "●"};
    CellMeaning bonus{.colour = kBonus1Mark, .meaning = "ボーナス数字1", .copiedMark = "◎"};
    return {main, bonus};
}

}  // namespace

// What a screen reader says of a chart: the table by its window's name, a
// mark cell by its text, what its colour means and the band heading its
// column (asked, as readers ask, of the heading row's cell), the cell's text
// through the text interface; headings without their padding.  The
// clipboard's text keeps the colours' meaning and drops the padding too.
TEST(GridAccessibility, AChartReadsWithItsNameHeadingsTextAndColourMeanings) {
    QWidget window;
    window.setWindowTitle(QStringLiteral("出現頻度分析"));
    const ResultGrid grid = MarkedChart();
    auto* view = new GridView(&window);
    view->SetGrid(&grid);
    view->Model()->SetCellMeanings(Marks());
    window.resize(400, 200);
    view->resize(380, 180);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->text(QAccessible::Name), "出現頻度分析 表");
    view->SetGridName(QStringLiteral("●年別の収支"));
    EXPECT_EQ(table->text(QAccessible::Name), "出現頻度分析 年別の収支");

    QAccessibleTableInterface* cells = table->tableInterface();
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(cells->cellAt(0, 0)->text(QAccessible::Name), "回");
    EXPECT_EQ(cells->cellAt(0, 1)->text(QAccessible::Name), "本 数 字");
    for (int column : {1, 2}) {
        const QList<QAccessibleInterface*> heads =
            cells->cellAt(0, column)->tableCellInterface()->columnHeaderCells();
        ASSERT_EQ(heads.size(), 1) << column;
        EXPECT_EQ(heads.first()->text(QAccessible::Name), "本 数 字");
    }
    QAccessibleInterface* bonus = cells->cellAt(1, 2);
    EXPECT_EQ(bonus->text(QAccessible::Name), "●");
    EXPECT_EQ(bonus->text(QAccessible::Description), "ボーナス数字1");
    EXPECT_EQ(cells->cellAt(1, 1)->text(QAccessible::Description), "本数字");
    EXPECT_EQ(cells->cellAt(2, 1)->text(QAccessible::Description), "");
    ASSERT_NE(bonus->textInterface(), nullptr);
    EXPECT_EQ(bonus->textInterface()->characterCount(), 1);
    EXPECT_EQ(bonus->textInterface()->text(0, 1), "●");
    QAccessibleTextInterface* band = cells->cellAt(0, 2)->textInterface();
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->text(0, band->characterCount()), "本 数 字");
    const QList<QAccessibleInterface*> rowHeads = bonus->tableCellInterface()->rowHeaderCells();
    ASSERT_EQ(rowHeads.size(), 1);
    EXPECT_EQ(rowHeads.first()->text(QAccessible::Name), "第2回");

    view->SelectAll();
    view->CopySelection();
    EXPECT_EQ(QApplication::clipboard()->text(), "回\t\t本 数 字\n第2回\t●\t◎\n第3回\t\t\n");
}
