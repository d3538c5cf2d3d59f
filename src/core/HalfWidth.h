#pragma once

#include <QString>
#include <string>
#include <string_view>

// What a Japanese input method types, as the readers of numbers take it:
// the full-width forms (U+FF01–U+FF5E: digits, letters, signs) become their
// ASCII forms and the ideographic space a space.  Nothing else changes, so
// 「①」 or 「²」 stay what they are and are refused as numbers.
QString HalfWidth(const QString& text);
std::string HalfWidth(std::string_view utf8);
