#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "core/DrawPrizes.h"
#include "core/DrawRecord.h"

// The most text a paste reads: more is refused whole, before any of it is
// looked at.
inline constexpr qsizetype kMostPastedBytes = 5 * 1024 * 1024;
inline constexpr qsizetype kMostPastedLines = 10000;

// True when the text is more than a paste reads (its UTF-16 length is a
// quick first bound of its bytes; a last line break ends a line, it does
// not start one).
bool PastedTextTooLong(const QString& text);

// One draw found in pasted text.  When problem is empty the draw was read
// with certainty: its number, seven main numbers and two bonus numbers
// (hasNumbers), or only prize lines for a draw stored already.
struct PastedDraw {
    int drawNumber = 0;  // 0: the text names no draw
    QDate date;          // invalid when the text gives none
    std::array<int, kFieldCount> numbers{};
    bool hasNumbers = false;
    DrawPrizes prizes;
    QString source;   // the text it was read from, trimmed
    QString problem;  // why it was not understood; empty when it was
};

// What a paste gave: the draws, in ascending draw number (those without a
// number last, in text order), or a refusal of the whole text.
struct PasteReading {
    std::vector<PastedDraw> draws;
    QString refusal;
};

// The date a stored draw was drawn on, or an invalid date; lets a date
// without its year ("12月4日") take the year from the stored draws near it.
using KnownDrawDate = std::function<QDate(int drawNumber)>;

// Reads Loto 7 results from text as users copy it from results pages,
// results tables, newspapers and spreadsheets (HTML markup is read as the
// text it shows).  Each 「第707回」 or 「707回」 (or a number in the 回 column
// of a table with a heading row) starts a draw; the draw's date, numbers and
// prize lines are what follows it up to the next draw.  Nothing uncertain is
// guessed: a draw whose numbers or date cannot be read for sure carries a
// problem saying why.  Text over kMostPastedBytes or kMostPastedLines, empty
// text and text that is not text at all are refused whole.
PasteReading ReadPastedResults(const QString& text, const KnownDrawDate& knownDate = {});

// The same, from bytes (a file or standard input): UTF-8, or Shift-JIS as
// Windows writes it.
PasteReading ReadPastedResultBytes(const std::string& bytes, const KnownDrawDate& knownDate = {});

// "1,3,4,5,6,7,8／9,10": the nine numbers as the entry grid's questions show them.
QString PastedNumbersText(const std::array<int, kFieldCount>& numbers);
