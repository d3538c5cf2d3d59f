#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

// What every refusal of a CSV file ends with.
inline const std::string kCsvNothingStored = "\nこのファイルのデータは何も登録していません。";

// Refuses a whole CSV file: UserError naming the file and the line.
[[noreturn]] void RefuseCsvLine(const std::string& file, int line, const std::string& why);

// The text of the file: UTF-8 when the bytes are valid UTF-8, else Shift-JIS
// in Windows' code page 932 flavour (what Excel saves on Japanese Windows).
QString DecodeCsvText(std::string_view bytes, const std::string& file);

// A blank between fields: space, tab or ideographic space.
bool IsCsvBlank(QChar c);

// Splits the text into CSV records.  A field may be quoted ("…"), and then
// holds commas, line breaks and doubled quotes; blanks around the quotes are
// allowed.  Line breaks are CR LF, LF or CR.
class CsvRecordReader {
  public:
    CsvRecordReader(QStringView text, const std::string& file) : text_(text), file_(file) {}

    // The next record's fields and the line it starts on; false at the end.
    bool Next(std::vector<QString>& fields, int& line) {
        if (pos_ >= text_.size()) return false;
        fields.clear();
        line = line_;
        for (;;) {
            qsizetype start = pos_;
            while (start < text_.size() && IsCsvBlank(text_[start])) ++start;
            if (start < text_.size() && text_[start] == u'"') {
                pos_ = start + 1;
                fields.push_back(Quoted(line));
            } else {
                qsizetype end = pos_;
                while (end < text_.size() && text_[end] != u',' && !IsLineBreak(end)) ++end;
                fields.push_back(text_.sliced(pos_, end - pos_).toString());
                pos_ = end;
            }
            if (pos_ >= text_.size()) return true;
            if (text_[pos_] == u',') {
                ++pos_;
                continue;
            }
            SkipLineBreak();
            return true;
        }
    }

  private:
    bool IsLineBreak(qsizetype at) const { return text_[at] == u'\n' || text_[at] == u'\r'; }

    void SkipLineBreak() {
        if (text_[pos_] == u'\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n') ++pos_;
        ++pos_;
        ++line_;
    }

    // The value of a quoted field whose opening quote has been read.
    QString Quoted(int line) {
        QString value;
        for (;;) {
            if (pos_ >= text_.size())
                RefuseCsvLine(file_, line, "「\"」で始まる項目が閉じられていません。");
            if (text_[pos_] == u'"') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == u'"') {
                    value += u'"';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            if (IsLineBreak(pos_)) {
                const qsizetype start = pos_;
                SkipLineBreak();
                value += text_.sliced(start, pos_ - start);
                continue;
            }
            value += text_[pos_++];
        }
        while (pos_ < text_.size() && IsCsvBlank(text_[pos_])) ++pos_;
        if (pos_ < text_.size() && text_[pos_] != u',' && !IsLineBreak(pos_)) {
            RefuseCsvLine(file_, line, "「\"」で囲んだ項目の後に余計な文字があります。");
        }
        return value;
    }

    QStringView text_;
    const std::string& file_;
    qsizetype pos_ = 0;
    int line_ = 1;
};
