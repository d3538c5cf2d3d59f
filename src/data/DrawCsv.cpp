#include "data/DrawCsv.h"

#include <QDate>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringDecoder>
#include <array>
#include <string_view>

#include "core/DrawRecord.h"
#include "core/Errors.h"
#include "core/PrintableText.h"

namespace {

constexpr int kHighestDrawNumber = 5000;
constexpr int kMostDraws = 100000;
constexpr std::size_t kShownLength = 24;  // characters of a value quoted in a message
// Far more columns and longer values than any draw file has; a record past
// them is not a draw file's, and keeping it would only cost memory.
constexpr std::size_t kMostColumns = 1000;
constexpr std::size_t kLongestField = 64u << 10;

// Column roles: the nine number fields keep their DrawRecord index.
constexpr int kDrawRole = kFieldCount;
constexpr int kDateRole = kFieldCount + 1;
constexpr int kRoleCount = kFieldCount + 2;

const std::string kNothingStored = "\nこのファイルのデータは何も登録していません。";

[[noreturn]] void Refuse(const std::string& file, int line, const std::string& why) {
    throw UserError("CSVファイル「" + PrintableText(file) + "」の" + std::to_string(line) +
                    "行目: " + why + kNothingStored);
}

std::string Utf8(const QString& text) { return text.toStdString(); }

// A value as it may be quoted in a message: trimmed, unprintable characters
// escaped, cut with "…" when long.
std::string Printable(const QString& value) {
    return PrintableText(Utf8(value.trimmed()), kShownLength);
}

// The text of the file in UTF-8: the bytes themselves when they are valid
// UTF-8 (no copy), else converted from Shift-JIS in Windows' code page 932
// flavour (what Excel saves on Japanese Windows) into converted.
std::string_view Utf8Text(std::string_view bytes, const std::string& file, std::string& converted) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    if (IsValidUtf8(bytes)) return bytes;
    // "windows-31j" is code page 932's registered name; some Qt builds know
    // it only as "cp932" or under the plain "Shift_JIS".
    for (const char* name : {"windows-31j", "cp932", "Shift_JIS"}) {
        QStringDecoder decoder(name, QStringConverter::Flag::Stateless);
        if (!decoder.isValid()) continue;
        const QString text =
            decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        if (decoder.hasError()) break;
        converted = text.toStdString();
        return converted;
    }
    throw UserError("CSVファイル「" + PrintableText(file) +
                    "」: 文字コードがUTF-8でもShift-JISでもないため読めません。" + kNothingStored);
}

// The length in bytes of the blank (space, tab, ideographic space) at the
// start of text, or 0.
std::size_t BlankAt(std::string_view text) {
    if (text.starts_with(' ') || text.starts_with('\t')) return 1;
    if (text.starts_with("\u3000")) return 3;
    return 0;
}

bool IsBlankText(std::string_view text) {
    while (!text.empty()) {
        const std::size_t blank = BlankAt(text);
        if (blank == 0) return false;
        text.remove_prefix(blank);
    }
    return true;
}

// One record as read: its first fields (up to the reader's limit), how many
// fields it has in all, and whether every one of them is blank.
struct Record {
    std::vector<QString> fields;
    std::size_t count = 0;
    bool blank = true;
    bool cut = false;  // reading stopped after more than kMostColumns fields
    int line = 0;      // the physical line it starts on
};

// Splits UTF-8 text into CSV records.  A field may be quoted ("…"), and then
// holds commas, line breaks and doubled quotes; blanks around the quotes are
// allowed.  Line breaks are CR LF, LF or CR.  Fields past a limit are counted
// and looked at but not kept, so a record of millions of commas costs no
// memory, and a record that is not blank is read no further than
// kMostColumns fields; a field longer than kLongestField is refused.
class RecordReader {
  public:
    RecordReader(std::string_view text, const std::string& file) : text_(text), file_(file) {}

    // The next record, keeping at most keep fields; false at the end.
    bool Next(Record& record, std::size_t keep) {
        if (pos_ >= text_.size()) return false;
        record.fields.clear();
        record.count = 0;
        record.blank = true;
        record.cut = false;
        record.line = line_;
        for (;;) {
            std::size_t start = pos_;
            while (start < text_.size() && BlankAt(text_.substr(start)) > 0) {
                start += BlankAt(text_.substr(start));
            }
            std::string quoted;
            std::string_view value;
            if (start < text_.size() && text_[start] == '"') {
                pos_ = start + 1;
                quoted = Quoted(record.line);
                value = quoted;
            } else {
                std::size_t end = pos_;
                while (end < text_.size() && text_[end] != ',' && !IsLineBreak(end)) ++end;
                value = text_.substr(pos_, end - pos_);
                pos_ = end;
            }
            if (value.size() > kLongestField) {
                Refuse(file_, record.line,
                       std::to_string(record.count + 1) + "列目の項目が長すぎます(" +
                           std::to_string(kLongestField) + "バイトまで)。");
            }
            record.blank = record.blank && IsBlankText(value);
            if (++record.count <= keep) {
                record.fields.push_back(
                    QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
            } else if (!record.blank && record.count > kMostColumns) {
                // Refused whatever follows: no need to read the rest.
                record.cut = true;
                return true;
            }
            if (pos_ >= text_.size()) return true;
            if (text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            SkipLineBreak();
            return true;
        }
    }

  private:
    bool IsLineBreak(std::size_t at) const { return text_[at] == '\n' || text_[at] == '\r'; }

    void SkipLineBreak() {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
        ++line_;
    }

    // The value of a quoted field whose opening quote has been read.
    std::string Quoted(int line) {
        std::string value;
        for (;;) {
            if (pos_ >= text_.size())
                Refuse(file_, line, "「\"」で始まる項目が閉じられていません。");
            if (value.size() > kLongestField) return value;  // refused by the caller
            if (text_[pos_] == '"') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                    value += '"';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            if (IsLineBreak(pos_)) {
                const std::size_t start = pos_;
                SkipLineBreak();
                value += text_.substr(start, pos_ - start);
                continue;
            }
            value += text_[pos_++];
        }
        while (pos_ < text_.size() && BlankAt(text_.substr(pos_)) > 0) {
            pos_ += BlankAt(text_.substr(pos_));
        }
        if (pos_ < text_.size() && text_[pos_] != ',' && !IsLineBreak(pos_)) {
            Refuse(file_, line, "「\"」で囲んだ項目の後に余計な文字があります。");
        }
        return value;
    }

    std::string_view text_;
    const std::string& file_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

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
    return draw;
}

}  // namespace

bool SameNumbers(const CsvDraw& a, const CsvDraw& b) {
    if (a.present != b.present) return false;
    for (int f = 0; f < kFieldCount; ++f) {
        if ((a.present >> f & 1u) && a.numbers[f] != b.numbers[f]) return false;
    }
    return true;
}

std::vector<CsvDraw> ParseDrawCsv(const std::string& bytes, const std::string& file) {
    std::string converted;
    RecordReader reader(Utf8Text(bytes, file, converted), file);
    Record record;
    bool haveHeader = false;
    Header header;
    std::vector<CsvDraw> draws;
    std::vector<int> indexOf(kHighestDrawNumber + 1, -1);  // draw number -> index in draws
    int records = 0;
    while (reader.Next(record, haveHeader ? header.width : kMostColumns)) {
        if (record.blank) continue;
        const int line = record.line;
        if (!haveHeader) {
            if (record.count > kMostColumns) {
                Refuse(file, line,
                       "見出し行の項目が" + std::to_string(kMostColumns) + "を超えています。");
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
        } else if (!SameNumbers(draws[seen], draw)) {
            Refuse(file, line,
                   "第" + std::to_string(draw.drawNumber) + "回が" +
                       std::to_string(draws[seen].line) + "行目と違う数字で重複しています。");
        }
    }
    if (!haveHeader) Refuse(file, 1, "見出し行がありません。");
    return draws;
}
