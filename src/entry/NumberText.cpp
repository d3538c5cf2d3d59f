#include "entry/NumberText.h"

#include "core/DrawRecord.h"
#include "core/HalfWidth.h"

namespace {

// Full-width digits and points become their plain forms; blanks around go.
QString Normalised(const QString& text) { return HalfWidth(text).trimmed(); }

bool AllDigits(const QString& text) {
    for (QChar c : text) {
        if (c < u'0' || c > u'9') return false;
    }
    return !text.isEmpty();
}

bool InRange(long long n) { return n >= kLowestNumber && n <= kHighestNumber; }

}  // namespace

QString CellText(const FieldValue& value) {
    if (const auto* whole = std::get_if<long long>(&value)) return QString::number(*whole);
    if (const auto* real = std::get_if<double>(&value)) return QString::number(*real, 'g', 15);
    if (const auto* text = std::get_if<std::string>(&value)) return QString::fromStdString(*text);
    return {};
}

EnteredNumber ParseEnteredNumber(const QString& text) {
    const QString plain = Normalised(text);
    if (plain.isEmpty()) return {true, std::nullopt};
    bool ok = false;
    const long long n = plain.toLongLong(&ok);
    if (!AllDigits(plain) || !ok || !InRange(n)) return {};
    return {true, static_cast<int>(n)};
}

bool IsWrongForClose(const QString& text) {
    const QString plain = Normalised(text);
    if (plain.isEmpty()) return false;
    if (plain.contains(u'.')) return true;
    bool ok = false;
    const long long n = plain.toLongLong(&ok);
    return !ok || !InRange(n);
}
