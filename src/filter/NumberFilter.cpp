#include "filter/NumberFilter.h"

#include <QString>
#include <QStringList>
#include <algorithm>

#include "core/DrawRecord.h"
#include "core/Errors.h"
#include "core/HalfWidth.h"
#include "core/PrintableText.h"

namespace {

constexpr std::string_view kSevenMainNote =
    "本数字7個で数えます（分析ウィンドウはボーナス数字を含む9個で数えます）";

const std::array<FilterInfo, kFilterKindCount> kCatalog = {{
    {FilterKind::Sum, "sum", "本数字合計", "数字合計分析", "本数字7個の合計（28～238）"},
    {FilterKind::Odd, "odd", "奇数の個数", "偶数・奇数の組合せパターン分析",
     "本数字7個のうち奇数の個数"},
    {FilterKind::Low, "low", "低数字の個数", "低数字・高数字の組合せパターン分析",
     "低数字は01～18、高数字は19～37（分析ウィンドウと同じ分け方）"},
    {FilterKind::Consecutive, "consecutive", "連番の組の数", "連番・飛び石分析",
     "小さい順に並べて隣どうしの差が1の組（12,13,14は2組）"},
    {FilterKind::SkipOne, "skip", "飛び石の組の数", "連番・飛び石分析",
     "小さい順に並べて隣どうしの差が2の組（1,2,3には飛び石はありません）"},
    {FilterKind::LastDigits, "lastDigits", "下一桁の種類の数", "下一桁出現傾向分析",
     kSevenMainNote},
    {FilterKind::SameDigit, "sameDigitMax", "同じ下一桁の数字は何個まで", "下一桁出現傾向分析",
     kSevenMainNote},
    {FilterKind::Range4, "range4", "4分割の範囲ごとの個数", "4分割傾向分析", kSevenMainNote},
    {FilterKind::Group6, "group6", "6分割のグループごとの個数", "6分割データ分析", kSevenMainNote},
    {FilterKind::Group7, "group7", "7分割のグループごとの個数", "7分割データ分析", kSevenMainNote},
    {FilterKind::Group9, "group9", "9分割のグループごとの個数", "9分割データ分析", kSevenMainNote},
    {FilterKind::Include, "include", "必ず入れる数字", "", ""},
    {FilterKind::Exclude, "exclude", "入れない数字", "", ""},
    {FilterKind::AtLeast, "atLeast", "選んだ数字から指定の個数以上", "", ""},
    {FilterKind::CarryOver, "carry", "前回の本数字から引っ張る個数", "引っ張り分析",
     "最新の回の本数字7個と比べます（分析ウィンドウはボーナス数字を含む9個どうし）。"
     "過去の回はその前の回と比べます"},
    {FilterKind::NotWon, "notWon", "1等の当選番号と同じ組合せを除く", "",
     "過去の回はそれより前の回と比べます"},
}};

constexpr std::array<std::string_view, 9> kLetters = {"Ａ", "Ｂ", "Ｃ", "Ｄ", "Ｅ",
                                                      "Ｆ", "Ｇ", "Ｈ", "Ｉ"};

// What the user typed, in half-width characters, without spaces.
QString Normalized(std::string_view text) {
    QString s = HalfWidth(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    s.remove(QLatin1Char(' '));
    s.replace(QChar(0x3001), QLatin1Char(','));  // 、
    s.replace(QLatin1Char('~'), QLatin1Char('-'));
    s.replace(QChar(0x301C), QLatin1Char('-'));  // 〜
    return s;
}

bool ReadInt(const QString& text, int low, int high, int& value) {
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= low && value <= high && !text.startsWith(QLatin1Char('+'));
}

std::string Quoted(std::string_view text) { return "「" + PrintableText(text) + "」"; }

}  // namespace

const std::array<FilterInfo, kFilterKindCount>& FilterCatalog() { return kCatalog; }

const FilterInfo& InfoOf(FilterKind kind) { return kCatalog[static_cast<int>(kind)]; }

std::string GroupName(int split, int group) {
    int first = kHighestNumber, last = kLowestNumber;
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        if (GroupOfNumber(split, n) != group) continue;
        first = std::min(first, n);
        last = std::max(last, n);
    }
    if (split == 0) {
        const auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
        return two(first) + "～" + two(last);
    }
    return std::string(kLetters[group]) + " " + std::to_string(first) + "～" + std::to_string(last);
}

Measures MeasureNumbers(const std::vector<int>& ascending) {
    Measures m;
    for (int number : ascending) AddNumber(m, number);
    return m;
}

std::optional<std::pair<int, int>> ParseSumRange(std::string_view text, std::string_view what) {
    const QString s = Normalized(text);
    if (s.isEmpty()) return std::nullopt;
    const QStringList parts = s.split(QLatin1Char('-'));
    int low = 0, high = 0;
    if (parts.size() != 2 || !ReadInt(parts[0], 0, 999, low) || !ReadInt(parts[1], 0, 999, high)) {
        throw UserError(std::string(what) + "の" + Quoted(text) +
                        "が読めません。「100-160」のように、下限と上限を「-」でつないでください。");
    }
    if (low > high) {
        throw UserError(std::string(what) + "の" + Quoted(text) +
                        "は、下限が上限より大きくなっています。");
    }
    return std::make_pair(low, high);
}

std::optional<CountSet> ParseCountSet(std::string_view text, std::string_view what, int maxCount) {
    const QString s = Normalized(text);
    if (s.isEmpty()) return std::nullopt;
    CountSet set = 0;
    for (const QString& part : s.split(QLatin1Char(','))) {
        const QStringList ends = part.split(QLatin1Char('-'));
        int low = 0, high = 0;
        const bool read =
            ends.size() == 1   ? ReadInt(ends[0], 0, maxCount, low) && (high = low, true)
            : ends.size() == 2 ? ReadInt(ends[0], 0, maxCount, low) &&
                                     ReadInt(ends[1], 0, maxCount, high) && low <= high
                               : false;
        if (!read) {
            throw UserError(std::string(what) + "の" + Quoted(text) + "が読めません。0～" +
                            std::to_string(maxCount) +
                            "の個数を「3,4」や「0-2」のように指定してください。");
        }
        for (int count = low; count <= high; ++count) set |= CountSet(1u << count);
    }
    return set;
}

NumberMask ParseNumbers(std::string_view text, std::string_view what) {
    NumberMask numbers = 0;
    const QString s = Normalized(text);
    if (s.isEmpty()) return numbers;
    for (const QString& part : s.split(QLatin1Char(','))) {
        int number = 0;
        if (!ReadInt(part, kLowestNumber, kHighestNumber, number) || (numbers & Bit(number))) {
            throw UserError(
                std::string(what) + "の" + Quoted(text) +
                "が読めません。1～37の数字を重ねずに「3,7,21」のように指定してください。");
        }
        numbers |= Bit(number);
    }
    return numbers;
}

std::optional<std::vector<CountSet>> ParseSplitSets(std::string_view text, std::string_view what,
                                                    int split) {
    const QString s = Normalized(text);
    if (s.isEmpty()) return std::nullopt;
    const QStringList parts = s.split(QLatin1Char('/'));
    const int groups = GroupCountOf(split);
    if (parts.size() != groups) {
        throw UserError(
            std::string(what) + "の" + Quoted(text) + "は、" + std::to_string(groups) +
            "個のグループの個数を「/」で区切って指定してください（制限しないグループは「*」）。");
    }
    std::vector<CountSet> sets;
    for (const QString& part : parts) {
        const std::optional<CountSet> set =
            part == QLatin1String("*") ? std::nullopt
                                       : ParseCountSet(part.toStdString(), what, kMainCount);
        sets.push_back(set.value_or(kAnyCount));
    }
    return sets;
}

std::string CountSetText(CountSet set) {
    if (set == kAnyCount) return "*";
    std::string text;
    for (int count = 0; count < 16; ++count) {
        if (!Allows(set, count)) continue;
        int end = count;
        while (end + 1 < 16 && Allows(set, end + 1)) ++end;
        if (!text.empty()) text += ",";
        text += std::to_string(count);
        if (end >= count + 2) {
            text += "～" + std::to_string(end);
            count = end;
        }
    }
    return text;
}

std::string NumbersText(NumberMask mask) {
    std::string text;
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        if (!(mask & Bit(n))) continue;
        if (!text.empty()) text += ",";
        text += std::to_string(n);
    }
    return text;
}

std::string ConditionText(FilterKind kind, const FilterConditions& conditions) {
    if (!conditions.IsOn(kind)) return "";
    switch (kind) {
        case FilterKind::Sum:
            return std::to_string(conditions.sum->first) + "～" +
                   std::to_string(conditions.sum->second);
        case FilterKind::Odd:
            return CountSetText(*conditions.odd);
        case FilterKind::Low:
            return CountSetText(*conditions.low);
        case FilterKind::Consecutive:
            return CountSetText(*conditions.consecutive);
        case FilterKind::SkipOne:
            return CountSetText(*conditions.skipOne);
        case FilterKind::LastDigits:
            return CountSetText(*conditions.lastDigits);
        case FilterKind::SameDigit:
            return std::to_string(*conditions.sameDigitMax) + "個まで";
        case FilterKind::Range4:
        case FilterKind::Group6:
        case FilterKind::Group7:
        case FilterKind::Group9: {
            std::string text;
            for (CountSet set : *conditions.splits[SplitIndex(kind)]) {
                text += (text.empty() ? "" : "/") + CountSetText(set);
            }
            return text;
        }
        case FilterKind::Include:
            return NumbersText(conditions.include);
        case FilterKind::Exclude:
            return NumbersText(conditions.exclude);
        case FilterKind::AtLeast: {
            std::string text;
            for (const AtLeastRule& rule : conditions.atLeast) {
                text += (text.empty() ? "" : "、かつ") + std::to_string(rule.count) +
                        "個以上: " + NumbersText(rule.of);
            }
            return text;
        }
        case FilterKind::CarryOver:
            return CountSetText(*conditions.carryOver);
        case FilterKind::NotWon:
            return "除く";
    }
    return "";
}
