#include "data/DrawCsv.h"

#include <QDate>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <array>
#include <optional>
#include <string_view>

#include "core/DrawRecord.h"
#include "core/Errors.h"
#include "core/PrintableText.h"
#include "core/YenText.h"
#include "data/CsvText.h"

namespace {

constexpr int kHighestDrawNumber = 5000;
constexpr int kMostDraws = 100000;
constexpr std::size_t kShownLength = 24;  // characters of a value quoted in a message

// Column roles: the nine number fields keep their DrawRecord index.
constexpr int kDrawRole = kFieldCount;
constexpr int kDateRole = kFieldCount + 1;
constexpr int kWinnersRole = kFieldCount + 2;  // + tier index 0–5
constexpr int kAmountRole = kWinnersRole + kPrizeTierCount;
constexpr int kCarryOverRole = kAmountRole + kPrizeTierCount;
constexpr int kSalesRole = kCarryOverRole + 1;
constexpr int kRoleCount = kSalesRole + 1;

[[noreturn]] void Refuse(const std::string& file, int line, const std::string& why) {
    RefuseCsvLine(file, line, why);
}

std::string Utf8(const QString& text) { return text.toStdString(); }

// A value as it may be quoted in a message: trimmed, unprintable characters
// escaped, cut with "…" when long.
std::string Printable(const QString& value) {
    return PrintableText(Utf8(value.trimmed()), kShownLength);
}

// Names and values are compared in this form: full-width letters and digits
// become ASCII, half-width katakana full-width, and blanks (U+3000 too) are
// trimmed.
QString Normalized(const QString& text) {
    return text.normalized(QString::NormalizationForm_KC).trimmed();
}

// The column role a header name stands for, or -1.
int RoleOf(const QString& name) {
    static const std::vector<std::pair<QString, int>> names = [] {
        std::vector<std::pair<QString, int>> list;
        for (const char* n : {"回数", "開催回", "回号", "回別"}) list.emplace_back(n, kDrawRole);
        for (const char* n : {"抽せん日", "抽選日", "日付"}) list.emplace_back(n, kDateRole);
        for (int i = 1; i <= kMainCount; ++i) {
            list.emplace_back(QStringLiteral("第%1数字").arg(i), i - 1);
            list.emplace_back(QStringLiteral("本数字%1").arg(i), i - 1);
        }
        for (int i = 1; i <= 2; ++i) {
            const int role = i == 1 ? kBonus1 : kBonus2;
            list.emplace_back(QStringLiteral("ボーナス数字%1").arg(i), role);
            list.emplace_back(QStringLiteral("BONUS数字%1").arg(i), role);
            list.emplace_back(QStringLiteral("ボーナス%1").arg(i), role);
        }
        for (int t = 0; t < kPrizeTierCount; ++t) {
            for (const char* n : {"%1等口数", "%1等当選口数"})
                list.emplace_back(QString::fromUtf8(n).arg(t + 1), kWinnersRole + t);
            for (const char* n : {"%1等賞金", "%1等当選金額", "%1等金額"})
                list.emplace_back(QString::fromUtf8(n).arg(t + 1), kAmountRole + t);
        }
        list.emplace_back(QStringLiteral("キャリーオーバー"), kCarryOverRole);
        list.emplace_back(QStringLiteral("販売実績額"), kSalesRole);
        return list;
    }();
    for (const auto& [text, role] : names) {
        if (QString::compare(name, text, Qt::CaseInsensitive) == 0) return role;
    }
    return -1;
}

struct Header {
    std::size_t width = 0;
    std::array<int, kRoleCount> column{};       // -1: no such column
    std::array<std::string, kRoleCount> label;  // the name as written, for messages
};

Header ReadHeader(const std::vector<QString>& names, int line, const std::string& file) {
    Header header;
    header.width = names.size();
    header.column.fill(-1);
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
        const int role = RoleOf(Normalized(names[i]));
        if (role < 0) continue;
        const std::string label = Printable(names[i]);
        if (header.column[role] >= 0) {
            Refuse(file, line,
                   "見出し行に同じ項目が2つあります: " + std::to_string(header.column[role] + 1) +
                       "列目「" + header.label[role] + "」と" + std::to_string(i + 1) + "列目「" +
                       label + "」。");
        }
        header.column[role] = i;
        header.label[role] = label;
    }
    std::string missing;
    if (header.column[kDrawRole] < 0) missing += "「" + std::string(kDrawNumberField) + "」";
    for (int f = 0; f < kFieldCount; ++f) {
        if (header.column[f] < 0) missing += "「" + std::string(kNumberFields[f]) + "」";
    }
    if (!missing.empty()) Refuse(file, line, "見出し行に" + missing + "がありません。");
    return header;
}

// A whole number 1…high written in ASCII digits (leading zeros allowed).
bool ReadWhole(QStringView digits, int high, int& out) {
    if (digits.isEmpty()) return false;
    int value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') return false;
        value = value * 10 + (c.unicode() - u'0');
        if (value > high) return false;
    }
    out = value;
    return value >= 1;
}

// A date as draw files write it, after normalisation (full-width digits
// become ASCII): 2024/01/05, 2024-01-05 or 2024年1月5日, with one or two
// digits for month and day, naming a day the calendar has.  The empty text
// (no date) passes.
bool IsCalendarDate(const QString& text) {
    if (text.isEmpty()) return true;
    static const QRegularExpression forms(
        QStringLiteral("^([0-9]{4})(?:/([0-9]{1,2})/"
                       "([0-9]{1,2})|-([0-9]{1,2})-([0-9]{1,2})|年([0-9]{1,2})月([0-9]{1,2})日)$"));
    const QRegularExpressionMatch match = forms.match(text);
    if (!match.hasMatch()) return false;
    const int year = match.captured(1).toInt();
    for (int group = 2; group <= 6; group += 2) {
        if (match.captured(group).isEmpty()) continue;
        return QDate(year, match.captured(group).toInt(), match.captured(group + 1).toInt())
            .isValid();
    }
    return false;
}

// The prize columns of one record; a value that is not an amount, or a
// tier with winners but no amount, refuses the file.
void ReadPrizeColumns(const std::vector<QString>& fields, const Header& header, int line,
                      const std::string& file, CsvDraw& draw) {
    const auto value = [&](int role) -> std::optional<QString> {
        if (header.column[role] < 0) return std::nullopt;
        const QString v = Normalized(fields[header.column[role]]);
        if (v.isEmpty()) return std::nullopt;
        return v;
    };
    const auto refuse = [&](int role) {
        Refuse(file, line,
               "「" + header.label[role] + "」の値「" + Printable(fields[header.column[role]]) +
                   "」を読めません。");
    };
    const auto yen = [&](int role) -> std::optional<std::int64_t> {
        const auto v = value(role);
        if (!v) return std::nullopt;
        const auto amount = ReadPrizeAmount(*v);
        if (!amount) refuse(role);
        return amount;
    };
    for (int t = 0; t < kPrizeTierCount; ++t) {
        const auto winnersText = value(kWinnersRole + t);
        std::optional<std::int64_t> winners;
        if (winnersText && !(winners = ReadWinnerCount(*winnersText))) refuse(kWinnersRole + t);
        std::optional<std::int64_t> amount = yen(kAmountRole + t);
        if (!winners && !amount) continue;
        if (winners && *winners == 0 && !amount) amount = 0;
        if (!winners || !amount) {
            Refuse(file, line,
                   std::to_string(t + 1) + "等の" + (winners ? "当選金額" : "口数") +
                       "がありません。");
        }
        draw.prizes.tiers[t] = PrizeLine{*winners, *amount};
    }
    draw.prizes.carryOver = yen(kCarryOverRole);
    draw.prizes.sales = yen(kSalesRole);
    const std::string problem = PrizeLinesProblem(draw.prizes);
    if (!problem.empty()) Refuse(file, line, problem);
}

CsvDraw ReadDraw(const std::vector<QString>& fields, const Header& header, int line,
                 const std::string& file) {
    CsvDraw draw;
    draw.line = line;

    const QString& drawText = fields[header.column[kDrawRole]];
    const QString normalized = Normalized(drawText);
    QStringView digits = normalized;  // "690", "690回" or "第690回"
    if (digits.startsWith(u'第')) digits = digits.sliced(1);
    if (digits.endsWith(u'回')) digits.chop(1);
    if (!ReadWhole(digits.trimmed(), kHighestDrawNumber, draw.drawNumber)) {
        Refuse(file, line,
               "「" + header.label[kDrawRole] + "」の値「" + Printable(drawText) + "」は1～" +
                   std::to_string(kHighestDrawNumber) + "の整数ではありません。");
    }

    if (header.column[kDateRole] >= 0) {
        const QString& dateText = fields[header.column[kDateRole]];
        if (!IsCalendarDate(Normalized(dateText))) {
            Refuse(file, line,
                   "「" + header.label[kDateRole] + "」の値「" + Printable(dateText) +
                       "」は2024/01/"
                       "05、2024-01-05、2024年1月5日のどれかの形の、暦にある日付ではありません。");
        }
        draw.date = Utf8(dateText.trimmed());
    }

    std::array<int, kHighestNumber + 1> fieldOf;  // which field already holds a number
    fieldOf.fill(-1);
    for (int f = 0; f < kFieldCount; ++f) {
        const QString& text = fields[header.column[f]];
        const QString value = Normalized(text);
        if (value.isEmpty()) continue;
        if (!ReadWhole(value, kHighestNumber, draw.numbers[f])) {
            Refuse(file, line,
                   "「" + header.label[f] + "」の値「" + Printable(text) + "」は" +
                       std::to_string(kLowestNumber) + "～" + std::to_string(kHighestNumber) +
                       "の整数ではありません。");
        }
        // The bonus numbers are drawn from the balls left after the main ones,
        // so no number appears twice in one draw.
        int& other = fieldOf[draw.numbers[f]];
        if (other >= 0) {
            Refuse(file, line,
                   "「" + header.label[other] + "」と「" + header.label[f] + "」がどちらも" +
                       std::to_string(draw.numbers[f]) + "です。");
        }
        other = f;
        draw.present |= 1u << f;
    }
    ReadPrizeColumns(fields, header, line, file, draw);
    return draw;
}

}  // namespace

std::string DrawNumbersText(const CsvDraw& draw) {
    std::string text;
    for (int f = 0; f < kFieldCount; ++f) {
        if (f > 0) text += f == kBonus1 ? "／" : ",";
        if (draw.present >> f & 1u) text += std::to_string(draw.numbers[f]);
    }
    return text;
}

bool SameNumbers(const CsvDraw& a, const CsvDraw& b) {
    if (a.present != b.present) return false;
    for (int f = 0; f < kFieldCount; ++f) {
        if ((a.present >> f & 1u) && a.numbers[f] != b.numbers[f]) return false;
    }
    return true;
}

std::vector<CsvDraw> ParseDrawCsv(const std::string& bytes, const std::string& file) {
    std::string converted;
    CsvRecordReader reader(Utf8CsvText(bytes, file, converted), file);
    CsvRecord record;
    bool haveHeader = false;
    Header header;
    std::vector<CsvDraw> draws;
    std::vector<int> indexOf(kHighestDrawNumber + 1, -1);  // draw number -> index in draws
    int records = 0;
    while (reader.Next(record, haveHeader ? header.width : kCsvMostColumns)) {
        if (record.blank) continue;
        const int line = record.line;
        if (!haveHeader) {
            if (record.count > kCsvMostColumns) {
                Refuse(file, line,
                       "見出し行の項目が" + std::to_string(kCsvMostColumns) + "を超えています。");
            }
            header = ReadHeader(record.fields, line, file);
            haveHeader = true;
            continue;
        }
        if (++records > kMostDraws) {
            Refuse(file, line, "データの行が" + std::to_string(kMostDraws) + "を超えています。");
        }
        if (record.count != header.width) {
            Refuse(file, line,
                   "項目の数が" + std::to_string(header.width) + "ではなく" +
                       std::to_string(record.count) + (record.cut ? "以上です。" : "です。"));
        }
        CsvDraw draw = ReadDraw(record.fields, header, line, file);
        int& seen = indexOf[draw.drawNumber];
        if (seen < 0) {
            seen = static_cast<int>(draws.size());
            draws.push_back(std::move(draw));
        } else if (!SameNumbers(draws[seen], draw) || draws[seen].prizes != draw.prizes) {
            Refuse(file, line,
                   "第" + std::to_string(draw.drawNumber) + "回が" +
                       std::to_string(draws[seen].line) + "行目と違う数字で重複しています。");
        }
    }
    if (!haveHeader) Refuse(file, 1, "見出し行がありません。");
    return draws;
}
