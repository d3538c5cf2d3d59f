#include <gtest/gtest.h>
#include <unistd.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QStringDecoder>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <sstream>

#include "core/Errors.h"
#include "core/GridStyle.h"
#include "grid/GridExport.h"
#include "grid/GridRenderer.h"
#include "grid/GridView.h"
#include "grid/ProgramLook.h"
#include "grid/QtColor.h"
#include "grid/SampleTables.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

QImage Rendered(const ResultGrid& grid, const GridGeometry& geometry, double scale) {
    QImage image(QSize(geometry.Width(), geometry.Height()) * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    GridRenderer(grid, geometry)
        .Render(p, {1, 1, grid.ColumnCount(), grid.RowCount()},
                QRect(0, 0, geometry.Width(), geometry.Height()), QPointF(0, 0), scale);
    return image;
}

// The box around the black ink of an image, in the grid's pixels.
QRectF InkBox(const QImage& image, double scale) {
    QRectF box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (QColor(image.pixel(x, y)).lightness() < 80) {
                box |= QRectF(x / scale, y / scale, 1 / scale, 1 / scale);
            }
        }
    }
    return box;
}

// Pixels on screen and glyphs on paper (or any scaled painter) put each
// text at the same place in its cell.
TEST(GridRenderer, TextsLieWhereTheyLieOnScreenWhenDrawnAsGlyphs) {
    ResultGrid grid;
    grid.SetColumnCount(3);
    grid.SetRowCount(3);
    grid.SetColumnWidth(-1, 8);
    grid.SetRowHeight(-1, 16);
    grid.SelectCell(2, 2);
    grid.SetHorizontalAlign(ResultGrid::HAlign::Center);
    grid.WriteCell(2, 2, "■字9");
    grid.SelectCell(3, 3);
    grid.SetHorizontalAlign(ResultGrid::HAlign::Right);
    grid.SetVerticalAlign(ResultGrid::VAlign::Bottom);
    grid.WriteCell(3, 3, "回");
    const GridGeometry geometry(grid, ProgramFont(), 96);
    const QRectF pixels = InkBox(Rendered(grid, geometry, 1), 1);
    ASSERT_FALSE(pixels.isEmpty());
    for (double scale : {2.0, 3.5}) {
        SCOPED_TRACE(scale);
        const QRectF glyphs = InkBox(Rendered(grid, geometry, scale), scale);
        EXPECT_NEAR(glyphs.left(), pixels.left(), 1.5);
        EXPECT_NEAR(glyphs.top(), pixels.top(), 1.5);
        EXPECT_NEAR(glyphs.right(), pixels.right(), 1.5);
        EXPECT_NEAR(glyphs.bottom(), pixels.bottom(), 1.5);
    }
}

// Painted in strips and encoded as it goes, the image is the whole grid at
// full size, pixel for pixel as painted at once.
TEST(GridExport, PngIsTheWholeGridAsDrawn) {
    const ResultGrid grid = Table(12, 600);
    const GridDocument document = DocumentOf(grid);
    const GridGeometry& geometry = document.parts.front().geometry;
    TempDir dir;
    const QString path = QString::fromStdString(dir.File("表.png"));
    SavePng(path, document);
    const QImage png(path);
    ASSERT_EQ(png.size(), QSize(geometry.Width(), geometry.Height()));
    const QPoint inGreen = geometry.CellRect(5, 450).center();
    EXPECT_EQ(png.pixelColor(inGreen), ToQColor(kPaleGreen));
    EXPECT_EQ(png.pixelColor(geometry.CellRect(9, 1).topLeft() + QPoint(2, 3)),
              ToQColor(kHeaderPink));
    EXPECT_TRUE(png.convertToFormat(QImage::Format_RGB32) == Rendered(grid, geometry, 1));
}

QString DecodeShiftJis(const QByteArray& bytes) {
    for (const char* name : {"windows-31j", "cp932", "Shift_JIS"}) {
        QStringDecoder decode(name);
        if (decode.isValid()) return decode(bytes);
    }
    ADD_FAILURE() << "no Shift-JIS decoder";
    return {};
}

TEST(GridExport, CsvIsTheDumpAfterAByteOrderMarkOrInShiftJis) {
    ResultGrid grid;
    grid.SetColumnCount(3);
    grid.SetRowCount(2);
    grid.WriteCell(1, 1, "第1回～第5回");
    grid.WriteCell(2, 1, "数　　 字");
    grid.WriteCell(3, 1, "●");
    grid.WriteCell(1, 2, "－3");
    grid.WriteCell(2, 2, "a,\"b\"");
    grid.WriteCell(3, 2, "■頻度分析（出現頻度分析、回数出現分析）");
    const std::vector<NamedGrid> grids = {{"fpSpread1", &grid}};
    std::ostringstream dump;
    DumpCsv(dump, grids);

    EXPECT_EQ(CsvBytes(grids, CsvEncoding::Utf8),
              QByteArray("\xEF\xBB\xBF") + QByteArray::fromStdString(dump.str()));
    const QByteArray shiftJis = CsvBytes(grids, CsvEncoding::ShiftJis);
    EXPECT_NE(shiftJis, QByteArray::fromStdString(dump.str()));
    EXPECT_EQ(DecodeShiftJis(shiftJis), QString::fromStdString(dump.str()));

    grid.WriteCell(3, 2, "𠮷");  // not in Shift-JIS
    EXPECT_THROW(CsvBytes(grids, CsvEncoding::ShiftJis), UserError);
}

// A table too wide and too long for a page: every page has the heading row
// and the label column, and the PDF has the pages the layout computes.
TEST(GridExport, PdfHasThePagesOfItsLayoutEachWithTheHeadings) {
    const ResultGrid grid = Table(40, 300);
    const GridDocument document = DocumentOf(grid);
    TempDir dir;
    const std::string path = dir.File("表.pdf");
    SavePdf(QString::fromStdString(path), document);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(DefaultPageLayout(document));
    EXPECT_EQ(writer.pageLayout().orientation(), QPageLayout::Landscape);
    const PrintLayout layout = LayOutPages(document, writer);
    EXPECT_GT(layout.PagesAcross(0), 1);
    EXPECT_GT(layout.PagesDown(0), 1);
    EXPECT_EQ(PdfPageCount(path), layout.PageCount());

    const std::vector<std::string> pages = PdfPageTexts(path);
    ASSERT_EQ(static_cast<int>(pages.size()), layout.PageCount());
    for (int p = 0; p < layout.PageCount(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const std::string& text = pages[p];
        EXPECT_NE(text.find("試験の表"), std::string::npos);
        EXPECT_NE(text.find("第1回"), std::string::npos);
        EXPECT_NE(text.find(std::to_string(p + 1) + " / " + std::to_string(layout.PageCount())),
                  std::string::npos);
        EXPECT_NE(text.find("見出し"), std::string::npos);
        // Each part of the table under its column headings, beside its row labels.
        for (const PrintLayout::Block& block : layout.Pages()[p].blocks) {
            if (block.cells.firstColumn == 1 || block.cells.firstRow == 1) continue;
            EXPECT_NE(text.find("列" + std::to_string(block.cells.firstColumn)), std::string::npos);
            EXPECT_NE(text.find("行" + std::to_string(block.cells.lastRow)), std::string::npos);
        }
    }
}

}  // namespace
