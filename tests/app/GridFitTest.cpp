#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <sstream>

#include "app/MainFrm.h"
#include "app/ReadyQuitter.h"
#include "data/CsvImport.h"
#include "grid/GridView.h"
#include "support/TestSupport.h"
#include "ui/Messages.h"
#include "ui/backtest/BacktestWindow.h"
#include "ui/randomness/RandomnessWindow.h"

namespace {

QString Visible(const std::string& text) {
    QString s = QString::fromStdString(text);
    while (s.endsWith(QLatin1Char(' ')) || s.endsWith(QChar(0x3000))) s.chop(1);
    return s;
}

// The ink of every cell text of the grid, measured in the font its geometry
// draws it in (7 pt or more), lies inside its cell (or the empty cells it
// overflows into) at least a pixel clear of the lines around it.  Returns
// the first few texts that do not.
std::string TextsThatDoNotFit(const ResultGrid& grid, const GridGeometry& geometry, double dpi) {
    std::ostringstream faults;
    int count = 0;
    for (int r = 1; r <= grid.RowCount(); ++r) {
        for (int c = 1; c <= grid.ColumnCount(); ++c) {
            const QString text = Visible(grid.ReadCell(c, r));
            if (text.trimmed().isEmpty()) continue;
            const GridGeometry::TextPlacement place = geometry.PlaceText(c, r);
            const QFont& font = geometry.Font(place.font);
            const QFontMetricsF metrics(font);
            const QRectF ink = metrics.tightBoundingRect(text).translated(place.x, place.baseline);
            const QRect cell = geometry.CellRect(c, r);
            bool spillsOverText = false;
            for (int n = c + 1;
                 n <= grid.ColumnCount() && geometry.ColumnLeft(n) <= place.room.right(); ++n) {
                spillsOverText = spillsOverText || !grid.IsEmpty(n, r) || !grid.Cell(c, r).overflow;
            }
            // The ink may reach into the padding, but not within a pixel of the
            // lines.
            const int pad = GridGeometry::kTextPadding - 1;
            const bool fits = place.room.left() >= cell.left() &&
                              ink.left() >= place.room.left() - pad &&
                              ink.right() <= place.room.right() + 1 + pad && !spillsOverText &&
                              ink.top() >= cell.top() + 1 && ink.bottom() <= cell.bottom() - 1 &&
                              QFontInfo(font).pixelSize() >= 7 * dpi / 72;
            if (!fits && count++ < 8) {
                faults << " (" << c << "," << r << ") \"" << text.toStdString() << "\" ink "
                       << ink.left() << ".." << ink.right() << " in " << place.room.left() << ".."
                       << place.room.right() + 1 << ", " << ink.top() << ".." << ink.bottom()
                       << " in row " << cell.top() << ".." << cell.bottom() << ";";
            }
        }
    }
    if (count > 8) faults << " and " << count - 8 << " more";
    return faults.str();
}

// Every grid of every window as the user sees it at 96 dpi in the program's
// font, on the bundled history: each text fits, and a grid that does not
// scroll one way shows all of its columns or rows that way.
TEST(GridFit, EveryTextOfEveryWindowFitsItsCells) {
    SetQuietMessages(true);
    TempDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.Path().string()));
    const std::string db = dir.File("Loto7Kazoria.mdb");
    ImportCsv(BundledCsvPath(), db);
    GlobalBas globals;
    auto main = std::make_unique<MainFrm>(globals, db);
    main->Form_Load();
    main->show();
    OpenEveryWindow(*main);
    main->OpenWindow(QStringLiteral("乱数性の検定"));
    for (QWidget* w : main->findChildren<QWidget*>()) {
        if (auto* backtest = dynamic_cast<BacktestWindow*>(w)) backtest->WaitForRun();
        if (auto* randomness = dynamic_cast<RandomnessWindow*>(w)) randomness->WaitForRun();
    }
    QApplication::processEvents();

    int grids = 0;
    for (QMdiSubWindow* window : main->MdiArea()->subWindowList()) {
        const std::string name = window->widget()->objectName().toStdString();
        for (QAbstractScrollArea* area : window->findChildren<QAbstractScrollArea*>()) {
            const auto* view = dynamic_cast<GridView*>(area);
            if (!view || !view->Grid()) continue;
            ++grids;
            const std::string where = name + " " + view->objectName().toStdString();
            ASSERT_EQ(view->logicalDpiY(), 96);
            ASSERT_EQ(QFontInfo(view->font()).family(), QStringLiteral("Noto Sans CJK JP"));
            const GridGeometry& geometry = view->Geometry();
            EXPECT_EQ(TextsThatDoNotFit(*view->Grid(), geometry, 96), "") << where;
            if (!(view->Grid()->ScrollBars() & 1)) {
                EXPECT_LE(geometry.Width(), view->viewport()->width()) << where;
            }
            if (!(view->Grid()->ScrollBars() & 2)) {
                EXPECT_LE(geometry.Height(), view->viewport()->height()) << where;
            }
        }
    }
    // The analyses, the four predictions, 予想の検証 and 乱数性の検定.
    EXPECT_EQ(grids, 17 + 4 + 1 + 1);
    main.reset();
    QDir::setCurrent(previous);
}

}  // namespace
