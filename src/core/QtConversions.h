#pragma once

#include <QString>
#include <string_view>

// UTF-8 text of the computation layer as a Qt string.
inline QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
