#include "core/PrintableText.h"

#include <cstdio>

namespace {

// Length of the valid UTF-8 sequence starting at text[i], or 0.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned minimum = 0;
    unsigned value = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, value = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        value = (value << 6) | (byte(i + k) & 0x3F);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    return value < minimum || value > 0x10FFFF || surrogate ? 0 : length;
}

}  // namespace

std::string PrintableText(std::string_view text, std::size_t maxCharacters) {
    std::string out;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (characters == maxCharacters) return out + "…";
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = Utf8Length(text, i);
        if (length == 0 || lead < 0x20 || lead == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", lead);
            out += escaped;
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
        ++characters;
    }
    return out;
}
