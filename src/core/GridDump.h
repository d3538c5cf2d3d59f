#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "core/ResultGrid.h"

// One named grid of a window, as dumped.
struct NamedGrid {
    std::string name;
    const ResultGrid* grid = nullptr;
};

// The window as one JSON object: window, caption and each grid's size,
// frozen panes and every cell with text or non-default colours (row, then
// column order), with its effective colours in lower-case hex.
void DumpJson(std::ostream& out, const std::string& window, const std::string& caption,
              const std::vector<NamedGrid>& grids);

// Each grid as a "# name" line followed by its cell texts, one CSV line a row.
void DumpCsv(std::ostream& out, const std::vector<NamedGrid>& grids);
