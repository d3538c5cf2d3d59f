#include "core/Rgb.h"

#include <cstdio>

std::string ToHex(Rgb c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(c & 0xffffff));
    return text;
}
