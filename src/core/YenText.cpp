#include "core/YenText.h"

#include <algorithm>

namespace {

// Digits with optional commas between them: "2,345" or "2345"; false for
// anything else or an empty text.
bool ReadGroupedDigits(QStringView text, std::int64_t& out) {
    if (text.isEmpty() || text.front() == u',' || text.back() == u',') return false;
    // Commas, when written, stand before every group of three digits.
    if (const qsizetype first = text.indexOf(u','); first >= 0) {
        if (first > 3 || (text.size() - first) % 4 != 0) return false;
        for (qsizetype at = first; at < text.size(); at += 4) {
            if (text[at] != u',') return false;
        }
    }
    std::int64_t value = 0;
    for (QChar c : text) {
        if (c == u',') continue;
        if (c < u'0' || c > u'9') return false;
        value = value * 10 + (c.unicode() - u'0');
        if (value > kMostYen) return false;
    }
    out = value;
    return true;
}

}  // namespace

std::optional<std::int64_t> ReadYen(QStringView text) {
    text = text.trimmed();
    if (text.endsWith(u'円')) text = text.chopped(1).trimmed();
    if (text.isEmpty()) return std::nullopt;
    // 億 and 万 split the text into places of 100,000,000 and 10,000, each
    // part smaller than the unit before it ("1億2,345万6,700").
    std::int64_t total = 0;
    std::int64_t above = 0;  // the unit of the part before, 0 for none
    while (!text.isEmpty()) {
        qsizetype at = text.size();
        std::int64_t scale = 1;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == u'億' || text[i] == u'万') {
                at = i;
                scale = text[i] == u'億' ? 100'000'000 : 10'000;
                break;
            }
        }
        std::int64_t part = 0;
        if (!ReadGroupedDigits(text.first(at), part)) return std::nullopt;
        if (above != 0 && (scale >= above || part >= above / scale)) return std::nullopt;
        if (part > (kMostYen - total) / scale) return std::nullopt;
        total += part * scale;
        above = scale;
        text = text.sliced(std::min(at + 1, text.size()));
        if (scale == 1) break;
    }
    return total;
}

std::optional<std::int64_t> ReadWinnerCount(QStringView text) {
    text = text.trimmed();
    if (text == u"該当なし") return 0;
    if (text.endsWith(u'口')) text.chop(1);
    std::int64_t count = 0;
    if (!ReadGroupedDigits(text, count)) return std::nullopt;
    return count;
}

std::optional<std::int64_t> ReadPrizeAmount(QStringView text) {
    if (text.trimmed() == u"該当なし") return 0;
    return ReadYen(text);
}

std::string GroupedDigits(std::int64_t value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
    return (value < 0 ? "-" : "") + digits;
}

std::string YenText(std::int64_t yen) { return GroupedDigits(yen) + "円"; }

std::string PrizeLinesProblem(const DrawPrizes& prizes) {
    for (int t = 0; t < kPrizeTierCount; ++t) {
        const auto& line = prizes.tiers[t];
        if (!line) continue;
        const std::string tier = std::to_string(t + 1) + "等";
        if (line->winners < 0) return tier + "の口数が負の数です。";
        if (line->amount < 0) return tier + "の当選金額が負の数です。";
        if (line->amount > kMostYen) return tier + "の当選金額が大きすぎます。";
        if (line->winners == 0 && line->amount > 0) {
            return tier + "は該当なし（0口）なのに当選金額が" + YenText(line->amount) + "です。";
        }
    }
    if (prizes.carryOver && *prizes.carryOver < 0) return "キャリーオーバーが負の数です。";
    if (prizes.sales && *prizes.sales < 0) return "販売実績額が負の数です。";
    return {};
}
