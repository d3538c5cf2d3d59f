#include "grid/TextMeasures.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>

namespace {

// Everything about a font that changes how its texts come out: its
// description, and the fallback families and hinting that leaves out.
QString FontKey(const QFont& font) {
    return font.key() + QLatin1Char('|') + font.families().join(QLatin1Char(',')) +
           QLatin1Char('|') + QString::number(font.hintingPreference());
}

}  // namespace

TextMeasures& TextMeasures::ForFont(const QFont& font) {
    // One store per thread: a layout made in a worker needs no lock.
    thread_local std::unordered_map<QString, std::unique_ptr<TextMeasures>> stores;
    std::unique_ptr<TextMeasures>& store = stores[FontKey(font)];
    if (!store) store = std::make_unique<TextMeasures>();
    return *store;
}
