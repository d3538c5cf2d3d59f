#pragma once

#include <cstdint>
#include <string>

// A colour as 0x00RRGGBB, the compact form every grid cell stores.
using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(int r, int g, int b) {
    return (static_cast<Rgb>(r & 0xff) << 16) | (static_cast<Rgb>(g & 0xff) << 8) |
           static_cast<Rgb>(b & 0xff);
}

constexpr int RedOf(Rgb c) { return static_cast<int>((c >> 16) & 0xff); }
constexpr int GreenOf(Rgb c) { return static_cast<int>((c >> 8) & 0xff); }
constexpr int BlueOf(Rgb c) { return static_cast<int>(c & 0xff); }

constexpr Rgb kBlack = MakeRgb(0, 0, 0);
constexpr Rgb kWhite = MakeRgb(255, 255, 255);

// Lower-case "#rrggbb", as the dump format writes colours.
std::string ToHex(Rgb c);
