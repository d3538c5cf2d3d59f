#pragma once

#include <string>
#include <vector>

#include "core/DrawPrizes.h"

// One draw read from a CSV file.
struct CsvDraw {
    int line = 0;  // physical line (1-based) where the draw's record starts
    int drawNumber = 0;
    std::string date;  // UTF-8, as written in the file (blanks trimmed); may be empty
    int numbers[9] = {};
    unsigned present = 0;  // bit i: field i has a value
    DrawPrizes prizes;     // from the prize columns, when the file has them
};

// Reads the draws of a CSV file from its raw bytes: UTF-8 (with or without a
// byte order mark) or, failing that, Shift-JIS as Excel writes it.  The first
// non-blank record is the header; columns are found by name, in any order,
// and unknown columns are ignored.  Quoted fields may hold commas, doubled
// quotes and line breaks.  Names and values are compared after NFKC
// normalisation, so full-width and half-width forms are the same.
//
//   draw number  回数 / 開催回 / 回号 / 回別          "690", "0690", "690回", "第690回"; 1–5000
//   date         抽せん日 / 抽選日 / 日付 (optional)  "2024/01/05", "2024-01-05", "2024年1月5日"
//                                                    (full-width digits too), a day the
//                                                    calendar has; kept as written; may be empty
//   numbers      第1数字…第7数字 / 本数字1…本数字7,   "7", "07"; 1–37; empty = missing
//                ボーナス数字1, 2 / BONUS数字1, 2 / ボーナス1, 2
//   prizes       1等口数 / 1等当選口数 … 6等 (optional)   "12", "1,234", "該当なし" (= 0)
//                1等賞金 / 1等当選金額 / 1等金額 … 6等     "700,000,000", "6,500円", "7億円"
//                キャリーオーバー, 販売実績額               amounts as above
//                a tier needs both its winners and its amount (or 0 winners)
//
// The header may have at most 1000 fields and no value may pass 64 KiB;
// fields past those limits are counted, never kept, so no record, however
// long, costs more memory than the file.  Every record must have as many
// fields as the header, the nine numbers of
// a draw must all differ, and a draw number given twice must carry the same
// numbers (it is then kept once).  Anything else, and a file of more than
// 100,000 data rows, throws UserError naming the file and the line.  Draws
// come back in file order.
std::vector<CsvDraw> ParseDrawCsv(const std::string& bytes, const std::string& fileName);

// "1,2,3,4,5,6,7／8,9"; an empty field shows as nothing between its commas.
std::string DrawNumbersText(const CsvDraw& draw);

// True when both draws hold the same numbers in the same fields.
bool SameNumbers(const CsvDraw& a, const CsvDraw& b);
