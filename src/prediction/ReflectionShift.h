#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "prediction/ReflectOptions.h"

// One analysis family the user may reflect in the prediction: the caption of
// its option frame and how many draws reflecting it moves the reference
// draws of the elimination, rapid-fire and one-shot methods into the past.
struct ReflectedAnalysis {
    std::string_view caption;
    std::int16_t weight;
};

// Indexed like the flags of ReflectOptions.
inline constexpr std::array<ReflectedAnalysis, ReflectOptions::kCount> kReflectedAnalyses = {{
    {"■頻度分析（出現頻度分析、回数出現分析）", 1},
    {"■間隔分析（出現間隔分析、数字間隔分析）", 15},
    {"■出現回数分析", 6},
    {"■バラツキ分析", 9},
    {"■引っ張り分析", 10},
    {"■連番・飛び石分析", 4},
    {"■数字合計分析", 8},
    {"■組合せパターン分析", 2},
    {"■5分割傾向分析", 11},
    {"■分割データ分析", 7},
    {"■下一桁出現傾向分析", 16},
    {"■下一桁連続出現回数分析", 3},
}};

// The sum of the weights of the reflected analyses: 0 with none, 92 with all.
std::int16_t ComputeReflectionShift(const ReflectOptions& options);
