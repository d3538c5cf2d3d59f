#include "data/ImportStore.h"

#include <sqlite3.h>

#include "core/DrawRecord.h"
#include "core/Errors.h"
#include "core/PrintableText.h"
#include "data/CsvImport.h"
#include "data/PrizeStore.h"

namespace {

constexpr const char* kSelectStored =
    "SELECT 第1数字, 第2数字, 第3数字, 第4数字, 第5数字, 第6数字, 第7数字, "
    "ボーナス数字1, ボーナス数字2 FROM 当選データ WHERE 回数 = ?";
constexpr const char* kInsert =
    "INSERT INTO 当選データ (回数, 抽せん日, 第1数字, 第2数字, 第3数字, 第4数字, 第5数字, "
    "第6数字, 第7数字, ボーナス数字1, ボーナス数字2) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
constexpr const char* kReplace =
    "UPDATE 当選データ SET 抽せん日 = coalesce(?2, 抽せん日), 第1数字 = ?3, 第2数字 = ?4, "
    "第3数字 = ?5, 第4数字 = ?6, 第5数字 = ?7, 第6数字 = ?8, 第7数字 = ?9, "
    "ボーナス数字1 = ?10, ボーナス数字2 = ?11 WHERE 回数 = ?1";

// The stored numbers of one draw, or false when the draw is not stored.
bool StoredDraw(Statement& query, int drawNumber, CsvDraw& stored) {
    query.Reset();
    sqlite3_bind_int(query.Handle(), 1, drawNumber);
    if (!query.Step()) return false;
    stored.drawNumber = drawNumber;
    stored.present = 0;
    for (int f = 0; f < kFieldCount; ++f) {
        if (sqlite3_column_type(query.Handle(), f) == SQLITE_NULL) continue;
        stored.numbers[f] = sqlite3_column_int(query.Handle(), f);
        stored.present |= 1u << f;
    }
    return true;
}

// Binds ?1 … ?11 (draw number, date, nine numbers) and runs the statement.
void WriteDraw(Statement& statement, const CsvDraw& draw) {
    sqlite3_stmt* s = statement.Handle();
    statement.Reset();
    sqlite3_bind_int(s, 1, draw.drawNumber);
    if (draw.date.empty()) {
        sqlite3_bind_null(s, 2);
    } else {
        sqlite3_bind_text(s, 2, draw.date.c_str(), -1, SQLITE_TRANSIENT);
    }
    for (int f = 0; f < kFieldCount; ++f) {
        if (draw.present >> f & 1u) {
            sqlite3_bind_int(s, 3 + f, draw.numbers[f]);
        } else {
            sqlite3_bind_null(s, 3 + f);
        }
    }
    statement.Step();
}

std::string DrawAndLine(const CsvDraw& draw) {
    const std::string label = "第" + std::to_string(draw.drawNumber) + "回";
    return draw.line > 0 ? label + "(" + std::to_string(draw.line) + "行目)" : label;
}

// Where the draw came from, for messages: a file's line, or a paste.
std::string Given(const CsvDraw& draw) { return draw.line > 0 ? "ファイル" : "貼り付けた文字"; }

// A blank in the file never empties a number already stored: replacing a
// stored draw by a row with blanks where the draw has numbers would lose
// them.  Such a row ends the import (the caller's transaction is rolled
// back, so nothing of the file is stored), naming its line and the fields.
void RefuseEmptying(const CsvDraw& stored, const CsvDraw& draw) {
    std::string fields;
    for (int f = 0; f < kFieldCount; ++f) {
        if ((stored.present >> f & 1u) && !(draw.present >> f & 1u)) {
            fields += "「" + std::string(kNumberFields[f]) + "」";
        }
    }
    if (fields.empty()) return;
    throw UserError(DrawAndLine(draw) + "は" + fields + "が空欄です。空欄で登録済みの数字「" +
                    DrawNumbersText(stored) +
                    "」を消すことはしないため、取り込みをやめました。\n"
                    "このファイルのデータは何も登録していません。");
}

// True when a line of pasted differs from the same line stored.
bool PrizesDiffer(const DrawPrizes& stored, const DrawPrizes& pasted) {
    return MergedPrizes(stored, pasted) != MergedPrizes(pasted, stored);
}

// Stores the draw's prize lines over the stored ones, unless they add
// nothing; a stored line the draw contradicts stays when mode keeps.
void StorePrizeLines(const Database& db, const CsvDraw& draw, ImportMode mode,
                     ImportReport& report) {
    if (draw.prizes.Empty()) return;
    const DrawPrizes stored = ReadPrizes(db, draw.drawNumber);
    const DrawPrizes merged = MergedPrizes(stored, draw.prizes);
    if (merged == stored) return;
    if (PrizesDiffer(stored, draw.prizes) && mode == ImportMode::KeepStored) {
        report.conflicts.push_back(
            DrawAndLine(draw) + "の当選金額は登録済みの金額と違うため、登録済みのままにしました。");
        return;
    }
    WritePrizes(db, draw.drawNumber, merged);
    ++report.prizeDraws;
}

}  // namespace

ImportReport StoreDraws(const Database& db, const std::vector<CsvDraw>& draws, ImportMode mode) {
    Statement query(db, kSelectStored);
    Statement insert(db, kInsert);
    Statement replace(db, kReplace);
    ImportReport report;
    for (const CsvDraw& draw : draws) {
        CsvDraw stored;
        if (!StoredDraw(query, draw.drawNumber, stored)) {
            WriteDraw(insert, draw);
            ++report.added;
            StorePrizeLines(db, draw, mode, report);
        } else if (SameNumbers(stored, draw) || (draw.present == 0 && !draw.prizes.Empty())) {
            // A draw given by its prize lines alone keeps its stored numbers.
            ++report.unchanged;
            StorePrizeLines(db, draw, mode, report);
        } else if (mode == ImportMode::ReplaceStored) {
            RefuseEmptying(stored, draw);
            WriteDraw(replace, draw);
            StorePrizeLines(db, draw, mode, report);
            report.replaced.push_back(DrawAndLine(draw) + "を登録済みの数字「" +
                                      DrawNumbersText(stored) + "」から" + Given(draw) +
                                      "の数字「" + DrawNumbersText(draw) + "」に置き換えました。");
        } else {
            report.conflicts.push_back(DrawAndLine(draw) + "は登録済みの数字「" +
                                       DrawNumbersText(stored) + "」と" + Given(draw) + "の数字「" +
                                       DrawNumbersText(draw) +
                                       "」が違うため、登録済みのままにしました。");
        }
    }
    return report;
}

std::string ImportSummary(const ImportReport& report, const std::string& databasePath) {
    std::string text = "「" + PrintableText(databasePath) + "」に" + std::to_string(report.added) +
                       "回分を追加しました。";
    std::string details;
    const auto add = [&](int count, const char* what) {
        if (count == 0) return;
        details +=
            (details.empty() ? "" : "、") + std::string(what) + std::to_string(count) + "回分";
    };
    add(report.unchanged, "登録済み ");
    add(static_cast<int>(report.replaced.size()), "置き換え ");
    add(report.prizeDraws, "当選金額 ");
    add(static_cast<int>(report.conflicts.size()), "数字が違うため登録済みのまま ");
    return details.empty() ? text : text + "(" + details + ")";
}

std::string ImportReportText(const ImportReport& report, const std::string& databasePath) {
    std::string text = ImportSummary(report, databasePath);
    for (const auto* lines : {&report.replaced, &report.conflicts}) {
        for (const std::string& line : *lines) text += "\n" + line;
    }
    if (!report.missing.empty()) text += "\n" + MissingDrawsWarning(report.missing);
    return text;
}
