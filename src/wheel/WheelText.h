#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "wheel/WheelReport.h"

// The wheel's texts: what the grids, the JSON and the window write, and what
// they read from the user.

// "1,5,9": numbers joined by commas; "1 5 9" with a space separator.
std::string JoinNumbers(const std::vector<int>& numbers, const char* separator = ",");

// Reads "1,5,9" (spaces allowed), a part "1-12" standing for 1 to 12;
// nothing when a part is neither a whole number nor such a range.
std::optional<std::vector<int>> ParseNumberList(const std::string& text);

// Reads "T/M"; nothing unless both are whole numbers.
std::optional<std::pair<int, int>> ParseGuarantee(const std::string& text);

// Reads a ticket list: one ticket a line, seven different numbers 1–37
// separated by spaces, tabs, commas or 「、」, a line number before them
// allowed (「1: 3 8 12 …」); empty lines and lines starting with '#' are
// skipped.  Throws UserError naming the line
// for anything else, and for a list with no ticket.
std::vector<NumberMask> ReadTicketList(const std::string& text, const std::string& fileName);

// The guarantee as one line of Japanese text.
std::string GuaranteeText(const WheelReport& report);

// What the wheel is worth in yen at the theoretical prizes of the shares in
// force: its cost, the expected prize and balance, and what the guarantee
// pays at least (t matches of the main numbers are the tier they give
// without a bonus number: 4 → 5等 1,400円; 3 alone wins nothing).
std::string WheelWorthText(const WheelReport& report);

// The tier and theoretical yen the proved guarantee pays at least; nothing
// without one, or where its matches alone win no tier.
struct GuaranteedPrize {
    int tier = 0;
    std::int64_t yen = 0;
};
std::optional<GuaranteedPrize> GuaranteedPrizeOf(const WheelReport& report);

// "0.00291%（1/34,318）": a chance as a percentage with three significant
// digits and as one in so many; "0" for none.
std::string ChanceText(long double chance);
