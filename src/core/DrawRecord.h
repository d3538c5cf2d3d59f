#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The field names of one draw row, read by name from the stored query.
inline constexpr std::string_view kDrawNumberField = "回数";
inline constexpr std::array<std::string_view, 9> kNumberFields = {
    "第1数字", "第2数字", "第3数字",       "第4数字",      "第5数字",
    "第6数字", "第7数字", "ボーナス数字1", "ボーナス数字2"};

inline constexpr int kMainCount = 7;
inline constexpr int kFieldCount = 9;
inline constexpr int kBonus1 = 7;  // index of "ボーナス数字1" in kNumberFields
inline constexpr int kBonus2 = 8;
inline constexpr int kLowestNumber = 1;
inline constexpr int kHighestNumber = 37;

// One row of the draw database: the draw number and the nine number fields,
// each possibly empty.  Values are 16-bit as stored; they are not range-checked.
struct DrawRecord {
    std::int16_t drawNumber = 0;
    std::array<std::int16_t, kFieldCount> numbers{};
    std::uint16_t present = 0;  // bit i set when field i holds a value

    static constexpr std::uint16_t kAllPresent = (1u << kFieldCount) - 1;

    // A draw counts only when all nine number fields hold a value; the draw
    // number itself is not tested.
    bool IsComplete() const { return present == kAllPresent; }
    bool Has(int field) const { return (present >> field) & 1u; }
    void Set(int field, std::int16_t value) {
        numbers[field] = value;
        present |= static_cast<std::uint16_t>(1u << field);
    }
    int Main(int i) const { return numbers[i]; }  // i = 0 … 6
    int Bonus1() const { return numbers[kBonus1]; }
    int Bonus2() const { return numbers[kBonus2]; }
};
