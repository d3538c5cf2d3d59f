#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text from a file or a database, made safe to show in a message: valid
// UTF-8 characters stay, control characters and bytes that are not UTF-8
// become \xNN, so a NUL or a stray byte can neither cut the message nor
// garble it.  Text beyond maxCharacters is cut and ends in "…".
std::string PrintableText(std::string_view text, std::size_t maxCharacters = 200);
