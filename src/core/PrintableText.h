#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text from a file or a database, made safe to show in a message: printable
// UTF-8 characters stay; bytes that are not UTF-8 and characters that would
// not show or would mislead (controls, format characters, line separators,
// private or unassigned code points) become \xNN, \uNNNN or \UNNNNNNNN, so
// a NUL or a stray byte can neither cut the message nor garble it.  Text
// beyond maxCharacters is cut and ends in "…".
std::string PrintableText(std::string_view text, std::size_t maxCharacters = 200);

// True when the bytes are strict UTF-8: no overlong forms, no surrogates,
// nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);
