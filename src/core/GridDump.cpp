#include "core/GridDump.h"

#include <cstdio>

#include "core/JsonText.h"

namespace {

void DumpCells(std::ostream& out, const ResultGrid& grid) {
    bool first = true;
    for (int row = 1; row <= grid.RowCount(); ++row) {
        for (int column = 1; column <= grid.ColumnCount(); ++column) {
            const ResultGrid::CellView cell = grid.Cell(column, row);
            if (cell.text.empty() && cell.fore == kBlack && cell.back == kWhite) continue;
            out << (first ? "\n" : ",\n") << "    {\"col\": " << column << ", \"row\": " << row
                << ", \"text\": " << JsonString(cell.text) << ", \"fore\": \"" << ToHex(cell.fore)
                << "\", \"back\": \"" << ToHex(cell.back) << "\"}";
            first = false;
        }
    }
}

// "-1.25", "+3", "-1,815", "12.5%": a number as a spreadsheet reads one.
bool IsPlainNumber(std::string_view text) {
    std::size_t i = text.empty() ? 0 : (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (text.ends_with('%')) text.remove_suffix(1);
    bool digit = false, point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else if (c != ',' || point) {
            return false;
        }
    }
    return digit;
}

// A text a spreadsheet would run as a formula (it starts with =, +, -, @, a
// tab or a line break and is not a plain number) is written with a leading
// apostrophe, so that it stays text.
std::string CsvField(std::string_view text) {
    std::string guarded;
    if (!text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos &&
        !IsPlainNumber(text)) {
        guarded = "'" + std::string(text);
        text = guarded;
    }
    if (text.find_first_of(",\"\n\r") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace

void DumpJson(std::ostream& out, const std::string& window, const std::string& caption,
              const std::vector<NamedGrid>& grids) {
    out << "{\"window\": " << JsonString(window) << ", \"caption\": " << JsonString(caption)
        << ",\n \"grids\": [";
    for (std::size_t i = 0; i < grids.size(); ++i) {
        const ResultGrid& grid = *grids[i].grid;
        out << (i ? ",\n  " : "\n  ") << "{\"name\": " << JsonString(grids[i].name)
            << ", \"columns\": " << grid.ColumnCount() << ", \"rows\": " << grid.RowCount()
            << ", \"frozenRows\": " << grid.FrozenRows()
            << ", \"frozenColumns\": " << grid.FrozenColumns() << ",\n   \"cells\": [";
        DumpCells(out, grid);
        out << "]}";
    }
    out << "]}\n";
}

void DumpCsv(std::ostream& out, const std::vector<NamedGrid>& grids) {
    for (const NamedGrid& named : grids) {
        const ResultGrid& grid = *named.grid;
        out << "# " << named.name << "\n";
        for (int row = 1; row <= grid.RowCount(); ++row) {
            for (int column = 1; column <= grid.ColumnCount(); ++column) {
                if (column > 1) out << ',';
                out << CsvField(grid.Cell(column, row).text);
            }
            out << "\n";
        }
    }
}
