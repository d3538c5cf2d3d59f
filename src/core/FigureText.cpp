#include "core/FigureText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

std::string GroupedNumber(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
    return digits;
}

std::string PValueText(double p, double level) {
    if (p < 0.001) return "p < 0.001";
    char text[32];
    std::snprintf(text, sizeof text, "%#.2g", p);
    if (p < level && std::strtod(text, nullptr) >= level) {
        std::snprintf(text, sizeof text, "%#.3g", p);
    }
    return std::string("p = ") + text;
}

std::string DrawSpanText(int from, int to) {
    return "第" + std::to_string(from) + "回～第" + std::to_string(to) + "回";
}

std::string DrawSpanText(int from, int to, int draws) {
    return DrawSpanText(from, to) + "の" + std::to_string(draws) + "回";
}

std::string SimulationErrorText(double error) {
    if (std::isnan(error)) return {};
    if (error < 0.0001) return "（±0.0001未満）";
    char text[32];
    std::snprintf(text, sizeof text, "%.1g", error);
    return std::string("（±") + text + "）";
}
