#pragma once

#include <span>
#include <string>
#include <string_view>

// The pieces every JSON output of the program is written with.

// A JSON string literal of UTF-8 text.
std::string JsonString(std::string_view text);

// The shortest text that reads back as the same double; null for NaN and
// the infinities.
std::string JsonNumber(double value);

// "[1, 5, 9]".
std::string JsonIntegers(std::span<const int> values);
