#pragma once

#include <string>
#include <vector>

// The CSV parsing alone, for callers that already hold the text.
struct CsvDraw {
    int line = 0;
    int drawNumber = 0;
    std::string date;
    int numbers[9] = {};
    unsigned present = 0;  // bit i: field i has a value
};
std::vector<CsvDraw> ParseDrawCsv(const std::string& text, const std::string& fileName);
