#include "support/TestSupport.h"

#include <fstream>
#include <random>
#include <sstream>

TempDir::TempDir() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() /
            ("loto7test-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

TestDraw Draw(int drawNumber, std::initializer_list<int> nine) {
    TestDraw d{drawNumber, {}};
    for (int n : nine) d.numbers.emplace_back(n);
    return d;
}

GlobalBas MakeGlobals(const std::vector<TestDraw>& draws) {
    std::vector<DrawRecord> rows;
    for (const TestDraw& d : draws) {
        DrawRecord row;
        row.drawNumber = static_cast<std::int16_t>(d.drawNumber);
        for (int f = 0; f < kFieldCount && f < static_cast<int>(d.numbers.size()); ++f) {
            if (d.numbers[f]) row.Set(f, static_cast<std::int16_t>(*d.numbers[f]));
        }
        rows.push_back(row);
    }
    GlobalBas g;
    g.Draws = DrawStore(std::move(rows));
    DeriveStatistics(g);
    return g;
}

std::string BundledCsvPath() { return std::string(LOTO7_TEST_DATA) + "/loto7-history.csv"; }

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
