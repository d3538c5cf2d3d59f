#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetricsF>
#include <optional>
#include <thread>
#include <tuple>

#include "SampleTables.h"
#include "grid/GridGeometry.h"
#include "grid/TextMeasures.h"

namespace {

// Everything a layout decides: the edges, and each text's font and place.
void ExpectSameLayout(const GridGeometry& a, const GridGeometry& b, const ResultGrid& grid) {
    ASSERT_EQ(a.ColumnEdges(), b.ColumnEdges());
    ASSERT_EQ(a.RowEdges(), b.RowEdges());
    for (int r = 1; r <= grid.RowCount(); ++r) {
        for (int c = 1; c <= grid.ColumnCount(); ++c) {
            if (grid.IsEmpty(c, r)) continue;
            const GridGeometry::TextPlacement pa = a.PlaceText(c, r);
            const GridGeometry::TextPlacement pb = b.PlaceText(c, r);
            ASSERT_EQ(std::tie(pa.font, pa.room, pa.x, pa.baseline, pa.width),
                      std::tie(pb.font, pb.room, pb.x, pb.baseline, pb.width))
                << "cell " << c << "," << r;
        }
    }
}

// Headings too wide for their narrow columns, so the layout shrinks texts
// and, given room, widens columns.
ResultGrid CrampedTable(int scrollBars) {
    ResultGrid g = Table(8, 30);
    g.SetScrollBars(scrollBars);
    g.SetColumnWidth(-1, 4);
    for (int c = 2; c <= 8; ++c) g.WriteCell(c, 1, "第" + std::to_string(c * 111) + "回前後");
    for (int r = 2; r <= 30; ++r) g.WriteCell(5, r, "+" + std::to_string(r * 13));
    return g;
}

// Texts are measured once per font and thread and kept: a layout in a font
// of another size after it, and one in a thread that has measured nothing,
// come out exactly as laid out from scratch.
TEST(GridLayoutReuse, KeptMeasuresGiveTheLayoutMeasuredAfresh) {
    const ResultGrid grid = CrampedTable(3);
    QFont large = ProgramFont();
    large.setPointSize(14);
    const GridGeometry first(grid, ProgramFont(), 96, QSize(900, 0));
    const GridGeometry afterOtherSize(grid, large, 96, QSize(900, 0));
    std::optional<GridGeometry> fresh;
    std::thread([&] { fresh.emplace(grid, large, 96, QSize(900, 0)); }).join();
    ExpectSameLayout(afterOtherSize, *fresh, grid);
    EXPECT_NE(first.ColumnEdges(), afterOtherSize.ColumnEdges());
}

// A view fitting its grid to a new size keeps the layout where the new
// room would give the same one: only where the grid is narrower than the
// room do columns widen, and only a table shown whole fits its height.
TEST(GridLayoutReuse, SameForRoomOnlyWhereTheLayoutWouldNotChange) {
    enum Expect { kSame, kChanged, kLaidOutAgain };
    const struct {
        int scrollBars;
        QSize before, after;
        Expect expect;
    } cases[] = {
        {3, {0, 0}, {200, 300}, kSame},      // narrower than the grid: no widening
        {3, {0, 0}, {2000, 300}, kChanged},  // room to widen cramped columns
        {3, {2000, 0}, {2000, 900}, kSame},  // the height of a scrolled table
        {3, {2000, 0}, {2400, 0}, kLaidOutAgain},
        {1, {200, 300}, {200, 300}, kSame},
        {1, {200, 300}, {200, 150}, kLaidOutAgain},  // a table shown whole, shorter
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.scrollBars << " " << c.before.width() << "x" << c.before.height()
                     << " -> " << c.after.width() << "x" << c.after.height());
        const ResultGrid grid = CrampedTable(c.scrollBars);
        const GridGeometry before(grid, ProgramFont(), 96, c.before);
        const GridGeometry after(grid, ProgramFont(), 96, c.after);
        EXPECT_EQ(before.SameForRoom(c.after), c.expect == kSame);
        if (c.expect == kSame) {
            ExpectSameLayout(before, after, grid);
        } else if (c.expect == kChanged) {
            EXPECT_NE(before.ColumnEdges(), after.ColumnEdges());
        }
    }
}

// Numbers are measured by adding up their characters' advances instead of
// shaping them: in every size a grid uses, the sum is the shaped width to
// the bit, and any other text is left to shaping.
TEST(GridLayoutReuse, NumbersMeasuredByTheirCharactersAsWideAsShaped) {
    for (int pixels = 10; pixels <= 17; ++pixels) {
        QFont font = ProgramFont();
        font.setPixelSize(pixels);
        const QFontMetricsF metrics(font);
        const auto advance = [&metrics](const QString& s) { return metrics.horizontalAdvance(s); };
        TextMeasures& measures = TextMeasures::ForFont(font);
        for (const char* number : {"0", "7", "11", "1234567890", "+12", "-5", "4999", "+-1"}) {
            const std::optional<float> width = measures.NumberWidth(number, advance);
            ASSERT_TRUE(width.has_value()) << number;
            EXPECT_EQ(*width, static_cast<float>(advance(QString::fromLatin1(number))))
                << number << " at " << pixels << " px";
        }
        for (const char* text : {"", "12回前", "1.5", "1 2", "第1"}) {
            EXPECT_FALSE(measures.NumberWidth(text, advance).has_value()) << text;
        }
    }
}

}  // namespace
