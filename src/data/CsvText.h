#pragma once

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// What every refusal of a CSV file ends with.
inline const std::string kCsvNothingStored = "\nこのファイルのデータは何も登録していません。";

// Far more columns and longer values than any file of draws or tickets has;
// a record past them is not such a file's, and keeping it would only cost
// memory.
inline constexpr std::size_t kCsvMostColumns = 1000;
inline constexpr std::size_t kCsvLongestField = 64u << 10;

// Refuses a whole CSV file: UserError naming the file and the line.
[[noreturn]] void RefuseCsvLine(const std::string& file, int line, const std::string& why);

// The text of the file in UTF-8: the bytes themselves when they are valid
// UTF-8 (no copy), else converted from Shift-JIS in Windows' code page 932
// flavour (what Excel saves on Japanese Windows) into converted.
std::string_view Utf8CsvText(std::string_view bytes, const std::string& file,
                             std::string& converted);

// One record as read: its first fields (up to the reader's limit), how many
// fields it has in all, and whether every one of them is blank.
struct CsvRecord {
    std::vector<QString> fields;
    std::size_t count = 0;
    bool blank = true;
    bool cut = false;  // reading stopped after more than kCsvMostColumns fields
    int line = 0;      // the physical line it starts on
};

// Splits UTF-8 text into CSV records.  A field may be quoted ("…"), and then
// holds commas, line breaks and doubled quotes; blanks around the quotes are
// allowed.  Line breaks are CR LF, LF or CR.  Fields past a limit are counted
// and looked at but not kept, so a record of millions of commas costs no
// memory, and a record that is not blank is read no further than
// kCsvMostColumns fields; a field longer than kCsvLongestField is refused.
class CsvRecordReader {
  public:
    CsvRecordReader(std::string_view text, const std::string& file) : text_(text), file_(file) {}

    // The next record, keeping at most keep fields; false at the end.
    bool Next(CsvRecord& record, std::size_t keep);

  private:
    bool IsLineBreak(std::size_t at) const { return text_[at] == '\n' || text_[at] == '\r'; }
    void SkipLineBreak();
    // The value of a quoted field whose opening quote has been read.
    std::string Quoted(int line);

    std::string_view text_;
    const std::string& file_;
    std::size_t pos_ = 0;
    int line_ = 1;
};
