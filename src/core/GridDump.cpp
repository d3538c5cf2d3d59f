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

std::string CsvField(std::string_view text) {
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
