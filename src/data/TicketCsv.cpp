#include "data/TicketCsv.h"

#include <tuple>

#include "core/Errors.h"
#include "core/FileAccess.h"
#include "core/TicketText.h"
#include "data/CsvImport.h"
#include "data/CsvText.h"
#include "data/TicketStore.h"

namespace {

constexpr int kMostTickets = 100000;
constexpr std::size_t kLeastFields = 1 + kTicketNumberCount;  // draw and numbers
constexpr std::size_t kMostFields = kLeastFields + 2;         // units and memo

// A header names its columns: its first field holds no digit.
bool IsHeader(const std::vector<QString>& fields) {
    const QString first = fields.front().normalized(QString::NormalizationForm_KC);
    for (QChar c : first) {
        if (c.isDigit()) return false;
    }
    return true;
}

PurchasedTicket ReadTicket(const CsvRecord& record, const std::string& file) {
    const std::vector<QString>& fields = record.fields;
    const int line = record.line;
    if (record.count < kLeastFields || record.count > kMostFields) {
        RefuseCsvLine(file, line,
                      "項目の数が" + std::to_string(record.count) + (record.cut ? "以上" : "") +
                          "です。回、7個の数字、口数、メモの順に書いてください。");
    }
    try {
        PurchasedTicket t;
        std::tie(t.firstDraw, t.lastDraw) = ReadTicketDraws(fields[0]);
        t.numbers = ReadTicketNumbers(
            std::vector<QString>(fields.begin() + 1, fields.begin() + kLeastFields));
        const bool hasUnits =
            fields.size() > kLeastFields && !fields[kLeastFields].trimmed().isEmpty();
        t.units = hasUnits ? ReadTicketUnits(fields[kLeastFields]) : 1;
        if (fields.size() == kMostFields) t.memo = ReadTicketMemo(fields[kMostFields - 1]);
        return t;
    } catch (const UserError& e) {
        RefuseCsvLine(file, line, e.what());
    }
}

}  // namespace

std::vector<PurchasedTicket> ParseTicketCsv(const std::string& bytes, const std::string& file) {
    std::string converted;
    CsvRecordReader reader(Utf8CsvText(bytes, file, converted), file);
    CsvRecord record;
    int line = 0;
    bool first = true;
    std::vector<PurchasedTicket> tickets;
    while (reader.Next(record, kMostFields)) {
        line = record.line;
        if (record.blank) continue;
        const bool header = first && IsHeader(record.fields);
        first = false;
        if (header) continue;
        if (static_cast<int>(tickets.size()) == kMostTickets) {
            RefuseCsvLine(file, line,
                          "データの行が" + std::to_string(kMostTickets) + "を超えています。");
        }
        tickets.push_back(ReadTicket(record, file));
    }
    if (tickets.empty()) RefuseCsvLine(file, line > 0 ? line : 1, "購入番号の行がありません。");
    return tickets;
}

std::vector<PurchasedTicket> ImportTicketCsv(const std::string& csvPath,
                                             const std::string& databasePath) {
    std::vector<PurchasedTicket> tickets =
        ParseTicketCsv(ReadBoundedFile(csvPath, kMaxCsvBytes, "CSVファイル"), csvPath);
    TicketBook book(databasePath);
    book.Add(tickets);
    return tickets;
}
