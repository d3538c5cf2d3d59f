#include "data/CsvText.h"

#include <QStringDecoder>

#include "core/Errors.h"
#include "core/PrintableText.h"

namespace {

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

}  // namespace

void RefuseCsvLine(const std::string& file, int line, const std::string& why) {
    throw UserError("CSVファイル「" + PrintableText(file) + "」の" + std::to_string(line) +
                    "行目: " + why + kCsvNothingStored);
}

std::string_view Utf8CsvText(std::string_view bytes, const std::string& file,
                             std::string& converted) {
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
                    "」: 文字コードがUTF-8でもShift-JISでもないため読めません。" +
                    kCsvNothingStored);
}

bool CsvRecordReader::Next(CsvRecord& record, std::size_t keep) {
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
        if (value.size() > kCsvLongestField) {
            RefuseCsvLine(file_, record.line,
                          std::to_string(record.count + 1) + "列目の項目が長すぎます(" +
                              std::to_string(kCsvLongestField) + "バイトまで)。");
        }
        record.blank = record.blank && IsBlankText(value);
        if (++record.count <= keep) {
            record.fields.push_back(
                QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
        } else if (!record.blank && record.count > kCsvMostColumns) {
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

void CsvRecordReader::SkipLineBreak() {
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
}

std::string CsvRecordReader::Quoted(int line) {
    std::string value;
    for (;;) {
        if (pos_ >= text_.size())
            RefuseCsvLine(file_, line, "「\"」で始まる項目が閉じられていません。");
        if (value.size() > kCsvLongestField) return value;  // refused by the caller
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
        RefuseCsvLine(file_, line, "「\"」で囲んだ項目の後に余計な文字があります。");
    }
    return value;
}
