#include "grid/TextMeasures.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>

namespace {

// The characters a number is written with.
constexpr std::string_view kNumberCharacters = "0123456789+-";

}  // namespace

// The font's description, and the fallback families and hinting that
// leaves out.
QString TextMeasures::KeyOf(const QFont& font) {
    return font.key() + QLatin1Char('|') + font.families().join(QLatin1Char(',')) +
           QLatin1Char('|') + QString::number(font.hintingPreference());
}

TextMeasures& TextMeasures::ForFont(const QFont& font) {
    // One store per thread: a layout made in a worker needs no lock.
    thread_local std::unordered_map<QString, std::unique_ptr<TextMeasures>> stores;
    std::unique_ptr<TextMeasures>& store = stores[KeyOf(font)];
    if (!store) store = std::make_unique<TextMeasures>();
    return *store;
}

// Advances are whole 64ths of a pixel, so their sums are exact and equal
// the shaped width wherever no pair of characters is kerned.
void TextMeasures::LearnNumberAdvances(const std::function<double(const QString&)>& advance) {
    for (const char ch : kNumberCharacters) {
        numberAdvances_[static_cast<unsigned char>(ch)] = advance(QString(QLatin1Char(ch)));
    }
    numbersAdditive_ = Additive::Yes;
    for (const char first : kNumberCharacters) {
        for (const char second : kNumberCharacters) {
            const double sum = numberAdvances_[static_cast<unsigned char>(first)] +
                               numberAdvances_[static_cast<unsigned char>(second)];
            if (advance(QString(QLatin1Char(first)) + QLatin1Char(second)) != sum) {
                numbersAdditive_ = Additive::No;
                return;
            }
        }
    }
}

std::optional<float> TextMeasures::NumberWidth(
    std::string_view text, const std::function<double(const QString&)>& advance) {
    if (!IsNumber(text)) return std::nullopt;
    if (numbersAdditive_ == Additive::Unknown) LearnNumberAdvances(advance);
    if (numbersAdditive_ == Additive::No) return std::nullopt;
    double width = 0;
    for (const char ch : text) width += numberAdvances_[static_cast<unsigned char>(ch)];
    return static_cast<float>(width);
}
