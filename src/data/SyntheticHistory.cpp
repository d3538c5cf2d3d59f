#include "data/SyntheticHistory.h"

#include <algorithm>
#include <numeric>
#include <random>

std::vector<DrawRecord> SyntheticDraws(int count, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::array<int, kHighestNumber> pool{};
    std::iota(pool.begin(), pool.end(), kLowestNumber);
    std::vector<DrawRecord> draws;
    draws.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int d = 1; d <= count; ++d) {
        std::shuffle(pool.begin(), pool.end(), random);
        std::sort(pool.begin(), pool.begin() + kMainCount);
        DrawRecord draw;
        draw.drawNumber = static_cast<std::int16_t>(d);
        for (int f = 0; f < kFieldCount; ++f) draw.Set(f, static_cast<std::int16_t>(pool[f]));
        draws.push_back(draw);
    }
    return draws;
}

std::string SyntheticHistoryCsv(int count, std::uint32_t seed) {
    std::string csv =
        "回数,抽せん日,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,"
        "ボーナス数字1,ボーナス数字2\n";
    for (const DrawRecord& draw : SyntheticDraws(count, seed)) {
        csv += std::to_string(draw.drawNumber) + ",";
        for (int f = 0; f < kFieldCount; ++f) csv += "," + std::to_string(draw.numbers[f]);
        csv += "\n";
    }
    return csv;
}
