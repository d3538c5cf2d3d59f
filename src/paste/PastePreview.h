#pragma once

#include <QString>
#include <string>
#include <vector>

#include "data/DrawCsv.h"
#include "data/DrawGaps.h"
#include "data/ImportStore.h"
#include "paste/ResultText.h"

// How a pasted draw stands against the database.
enum class PasteStatus {
    New,      // 新規: not stored yet
    Same,     // 登録済みと同じ: stored with these numbers (maybe without these prize lines)
    Changed,  // 登録済みと違う: stored with other numbers or other prize lines
    Unreadable,  // 読めません
};

// One row of the preview: the pasted draw, what is stored for it, and
// whether registering stores it unless the user says otherwise.
struct PreviewRow {
    PastedDraw pasted;
    PasteStatus status = PasteStatus::Unreadable;
    bool stored = false;
    CsvDraw storedDraw;
    DrawPrizes storedPrizes;
    bool addsPrizes = false;     // prize lines the database does not have yet
    bool tickedAtFirst = false;  // new draws and new prize lines; never a change
};

// What a paste would do, before anything is written.
struct PastePreview {
    std::vector<PreviewRow> rows;
    QString refusal;            // the whole text refused; no rows
    std::vector<DrawGap> gaps;  // draw numbers missing once the rows ticked at first are stored
};

// Reads the text and compares every draw with the database file, opened
// read only (a missing file holds no draws).  Years missing from dates are
// taken from the stored draws' dates too.
PastePreview PreviewPaste(const QString& text, const std::string& databasePath);
PastePreview PreviewPasteBytes(const std::string& bytes, const std::string& databasePath);

QString StatusText(PasteStatus status);
// "1等～6等、キャリーオーバー、販売実績額": which prize lines the row has.
QString PrizeLinesFound(const DrawPrizes& prizes);
// "1等 2口 700,000,000円" … one line each, for a tooltip or the command line.
QString PrizeLinesText(const DrawPrizes& prizes);
// "1,3,4,5,6,7,8／9,10"; the stored numbers of a row.
QString StoredNumbersText(const PreviewRow& row);
// The entry grid's question before a stored draw changes:
// "第5回を 1,3,4,5,6,7,8／9,10 から 9,3,4,5,6,7,8／9,10 に変えますか？"
// (for changed prize lines, the same question about the amounts).
QString ReplaceQuestion(const PreviewRow& row);

// The ticked rows as draws to store; rows that are not readable never are.
std::vector<CsvDraw> DrawsToStore(const PastePreview& preview, const std::vector<bool>& ticked);
// The ticked flags the preview starts with.
std::vector<bool> FirstTicks(const PastePreview& preview);

// The preview as the command line prints it, and as JSON.
std::string PreviewText(const PastePreview& preview);
std::string PreviewJson(const PastePreview& preview);
