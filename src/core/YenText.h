#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <string>

#include "core/DrawPrizes.h"

// The largest amount of yen read or stored: one trillion minus one, far
// beyond any draw's sales and well inside 64 bits.
inline constexpr std::int64_t kMostYen = 999'999'999'999;

// Reads an amount of yen as result pages write it, after NFKC normalisation:
// "700,000,000", "700000000円", "7億円", "1億2,345万6,700円", "6,500円",
// "0円".  Commas may group digits; a trailing 円 is optional.  Nothing else
// may be in the text; nothing is read from an amount above kMostYen.
std::optional<std::int64_t> ReadYen(QStringView text);

// A tier's winners as pages, files and fields write them, after NFKC
// normalisation: "12", "1,234", "12口", or 該当なし for none; digits grouped
// as ReadYen groups them, at most kMostYen.
std::optional<std::int64_t> ReadWinnerCount(QStringView text);
// A tier's amount: what ReadYen reads, or 該当なし for nothing paid.
std::optional<std::int64_t> ReadPrizeAmount(QStringView text);

// "5,432": digits grouped by commas.
std::string GroupedDigits(std::int64_t value);

// "700,000,000円": an amount with its digits grouped by commas.
std::string YenText(std::int64_t yen);

// Why these prize lines cannot be stored, or empty when they can: winners
// and amounts must be 0 or more, and a tier that nobody won pays nothing.
std::string PrizeLinesProblem(const DrawPrizes& prizes);
