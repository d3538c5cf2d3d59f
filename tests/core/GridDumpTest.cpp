#include <gtest/gtest.h>

#include <sstream>

#include "core/GridDump.h"

namespace {

// The exact dump of a small grid: cells with text or colours are listed in
// row then column order (a coloured empty cell too, a plain one not), texts
// escaped as JSON strings.
TEST(GridDump, JsonOfASmallGridIsExact) {
    ResultGrid grid;
    grid.SetColumnCount(3);
    grid.SetRowCount(2);
    grid.FreezeRows(1);
    grid.FreezeColumns(1);
    grid.WriteCell(1, 1, "回");
    grid.WriteCell(3, 1, "say \"hi\" \\ ok\n");
    grid.SelectCell(2, 2);
    grid.SetBackColor(MakeRgb(255, 200, 200));
    grid.SelectCell(3, 2);
    grid.SetForeColor(MakeRgb(0, 0, 255));
    grid.WriteCell(3, 2, 7);
    ResultGrid second;
    second.SetColumnCount(1);
    second.SetRowCount(1);

    std::ostringstream out;
    DumpJson(out, "窓", "見出し\t", {{"fpSpread1(0)", &grid}, {"fpSpread1(1)", &second}});
    EXPECT_EQ(out.str(),
              "{\"window\": \"窓\", \"caption\": \"見出し\\t\",\n"
              " \"grids\": [\n"
              "  {\"name\": \"fpSpread1(0)\", \"columns\": 3, \"rows\": 2, \"frozenRows\": 1, "
              "\"frozenColumns\": 1,\n"
              "   \"cells\": [\n"
              "    {\"col\": 1, \"row\": 1, \"text\": \"回\", \"fore\": \"#000000\", \"back\": "
              "\"#ffffff\"},\n"
              "    {\"col\": 3, \"row\": 1, \"text\": \"say \\\"hi\\\" \\\\ ok\\n\", \"fore\": "
              "\"#000000\", \"back\": \"#ffffff\"},\n"
              "    {\"col\": 2, \"row\": 2, \"text\": \"\", \"fore\": \"#000000\", \"back\": "
              "\"#ffc8c8\"},\n"
              "    {\"col\": 3, \"row\": 2, \"text\": \"7\", \"fore\": \"#0000ff\", \"back\": "
              "\"#ffffff\"}]},\n"
              "  {\"name\": \"fpSpread1(1)\", \"columns\": 1, \"rows\": 1, \"frozenRows\": 0, "
              "\"frozenColumns\": 0,\n"
              "   \"cells\": []}]}\n");
}

}  // namespace

namespace {

// A text a spreadsheet would run as a formula stays text (a leading
// apostrophe); numbers keep their sign; quoting as before.
TEST(GridDump, CsvKeepsFormulaLikeTextsAsTextAndNumbersAsNumbers) {
    ResultGrid grid;
    grid.SetColumnCount(9);
    grid.SetRowCount(1);
    const char* texts[] = {"=1+1",     "+81 90", "-cmd|' /C calc'!A0",
                           "@SUM(A1)", "-1.25",  "+3",
                           "-1,815",   "12.5%",  "-600円"};
    for (int c = 0; c < 9; ++c) grid.WriteCell(c + 1, 1, texts[c]);
    std::ostringstream out;
    DumpCsv(out, {{"g", &grid}});
    EXPECT_EQ(
        out.str(),
        "# g\n'=1+1,'+81 90,'-cmd|' /C calc'!A0,'@SUM(A1),-1.25,+3,\"-1,815\",12.5%,'-600円\n");
}

}  // namespace
