#include "core/PrintableText.h"

#include <QChar>
#include <cstdio>

namespace {

// The valid UTF-8 sequence starting at text[i]: its length (0 when there is
// none) and its code point.
struct Utf8Char {
    std::size_t length = 0;
    char32_t code = 0;
};

Utf8Char DecodeAt(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned minimum = 0;
    unsigned value = 0;
    if (lead < 0x80) return {1, lead};
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, value = lead & 0x07;
    } else {
        return {};
    }
    if (i + length > text.size()) return {};
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return {};
        value = (value << 6) | (byte(i + k) & 0x3F);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    if (value < minimum || value > 0x10FFFF || surrogate) return {};
    return {length, value};
}

// Characters that would not show, or would show misleadingly, in a message.
bool Unprintable(char32_t c) {
    switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Other_PrivateUse:
        case QChar::Other_NotAssigned:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return true;
        default:
            return false;
    }
}

std::string Escaped(char32_t code) {
    char escaped[16];
    if (code < 0x100) {
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(code));
    } else if (code < 0x10000) {
        std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(code));
    } else {
        std::snprintf(escaped, sizeof escaped, "\\U%08X", static_cast<unsigned>(code));
    }
    return escaped;
}

}  // namespace

std::string PrintableText(std::string_view text, std::size_t maxCharacters) {
    std::string out;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (characters == maxCharacters) return out + "…";
        const Utf8Char c = DecodeAt(text, i);
        if (c.length == 0) {
            out += Escaped(static_cast<unsigned char>(text[i]));  // not UTF-8
            ++i;
        } else {
            out += Unprintable(c.code) ? Escaped(c.code) : std::string(text.substr(i, c.length));
            i += c.length;
        }
        ++characters;
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = DecodeAt(bytes, i).length;
        if (length == 0) return false;
        i += length;
    }
    return true;
}
