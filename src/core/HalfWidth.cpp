#include "core/HalfWidth.h"

QString HalfWidth(const QString& text) {
    QString plain = text;
    for (QChar& c : plain) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E) {
            c = QChar(static_cast<char16_t>(u - 0xFEE0));
        } else if (u == 0x3000) {
            c = QLatin1Char(' ');
        }
    }
    return plain;
}

std::string HalfWidth(std::string_view utf8) {
    return HalfWidth(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())))
        .toStdString();
}
