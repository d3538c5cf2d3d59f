#include "wheel/WheelText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "core/Errors.h"
#include "core/FigureText.h"
#include "core/HalfWidth.h"
#include "core/YenText.h"
#include "lotto/PrizeShares.h"
#include "lotto/PrizeTier.h"
#include "lotto/TicketWorth.h"

namespace {

constexpr int kHighestWheelNumber = 37;

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::optional<int> ParseWhole(const std::string& text) {
    const std::string part = Trim(text);
    int value = 0;
    const char* end = part.data() + part.size();
    const auto [next, error] = std::from_chars(part.data(), end, value);
    if (part.empty() || error != std::errc() || next != end) return std::nullopt;
    return value;
}

// One ticket line's numbers, separated by spaces, tabs, commas or 「、」,
// after an optional line number (「1: 」 or 「1：」); nullopt when a part is
// not a whole number.
std::optional<std::vector<int>> ParseTicketLine(std::string line) {
    line = HalfWidth(line);
    for (std::size_t at = line.find("\xE3\x80\x81"); at != std::string::npos;
         at = line.find("\xE3\x80\x81", at)) {
        line.replace(at, 3, ",");
    }
    for (const char* colon : {":", "\xEF\xBC\x9A"}) {
        const std::size_t at = line.find(colon);
        if (at != std::string::npos && ParseWhole(line.substr(0, at))) {
            line.erase(0, at + std::char_traits<char>::length(colon));
            break;
        }
    }
    std::vector<int> numbers;
    std::size_t start = 0;
    while ((start = line.find_first_not_of(" \t,", start)) != std::string::npos) {
        const std::size_t end = std::min(line.find_first_of(" \t,", start), line.size());
        const std::optional<int> n = ParseWhole(line.substr(start, end - start));
        if (!n) return std::nullopt;
        numbers.push_back(*n);
        start = end;
    }
    return numbers;
}

}  // namespace

std::string JoinNumbers(const std::vector<int>& numbers, const char* separator) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) text += separator;
        text += std::to_string(numbers[i]);
    }
    return text;
}

std::optional<std::vector<int>> ParseNumberList(const std::string& typed) {
    const std::string text = HalfWidth(typed);
    std::vector<int> numbers;
    if (Trim(text).empty()) return numbers;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string part = text.substr(start, comma - start);
        const std::size_t dash = part.find('-', 1);
        if (dash != std::string::npos) {
            // "1-12": every number from the first to the last.
            const std::optional<int> first = ParseWhole(part.substr(0, dash));
            const std::optional<int> last = ParseWhole(part.substr(dash + 1));
            if (!first || !last || *first > *last || *last - *first > kHighestWheelNumber)
                return std::nullopt;
            for (int n = *first; n <= *last; ++n) numbers.push_back(n);
        } else {
            const std::optional<int> n = ParseWhole(part);
            if (!n) return std::nullopt;
            numbers.push_back(*n);
        }
        if (comma == std::string::npos) return numbers;
        start = comma + 1;
    }
}

std::optional<std::pair<int, int>> ParseGuarantee(const std::string& typed) {
    const std::string text = HalfWidth(typed);
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos) return std::nullopt;
    const std::optional<int> t = ParseWhole(text.substr(0, slash));
    const std::optional<int> m = ParseWhole(text.substr(slash + 1));
    if (!t || !m) return std::nullopt;
    return std::pair{*t, *m};
}

std::vector<NumberMask> ReadTicketList(const std::string& text, const std::string& fileName) {
    std::vector<NumberMask> tickets;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    const auto fail = [&](const std::string& why) {
        throw UserError(fileName + " の" + std::to_string(lineNumber) + "行目：" + why);
    };
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (lineNumber == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        if (line.find_first_not_of(" \t,") == std::string::npos || line[0] == '#') continue;
        const std::optional<std::vector<int>> numbers = ParseTicketLine(line);
        if (!numbers) fail("数字でないものがあります。");
        const NumberMask ticket = MaskOf(*numbers);
        if (numbers->size() != kWheelTicketSize || std::popcount(ticket) != kWheelTicketSize) {
            fail("1行に1～37の異なる数字を7個書いてください。");
        }
        tickets.push_back(ticket);
    }
    if (tickets.empty()) throw UserError(fileName + " に購入番号がありません。");
    return tickets;
}

std::optional<GuaranteedPrize> GuaranteedPrizeOf(const WheelReport& r) {
    if (!r.asked || !r.check.holds) return std::nullopt;
    const int tier = PrizeTier(r.asked->t, 0);
    if (tier == 0) return std::nullopt;
    return GuaranteedPrize{tier, TheoreticalPrize(tier, kSharesChangedAtDraw)};
}

std::string WheelWorthText(const WheelReport& r) {
    const TicketWorth worth =
        WorthOf(static_cast<std::int64_t>(r.tickets.size()), kSharesChangedAtDraw);
    std::string text = "購入額" + YenText(worth.cost) + "、払戻しの期待値" +
                       YenText(worth.expectedPrize) + "（1口" + std::to_string(kAveragePayoutYen) +
                       "円）、期待収支" + YenText(worth.ExpectedBalance());
    if (!r.asked || !r.check.holds) return text;
    if (const auto prize = GuaranteedPrizeOf(r)) {
        return text + "。" + std::to_string(r.asked->m) + "個出たときの保証は" +
               std::to_string(prize->tier) + "等1口以上（理論上" + YenText(prize->yen) + "）";
    }
    return text + "。保証する" + std::to_string(r.asked->t) +
           "個の一致だけでは当せんしません（6等は本数字3個とボーナス数字の一致です）";
}

std::string GuaranteeText(const WheelReport& r) {
    if (!r.asked) return "";
    const WheelRequest& q = *r.asked;
    std::string text = std::to_string(q.t) + "/" + std::to_string(q.m) + "（";
    text += q.keys.empty() ? "選んだ数字" : "キー数字を含めて選んだ数字";
    text += "から当選数字が" + std::to_string(q.m) + "個以上出れば、少なくとも1枚が" +
            std::to_string(q.t) + "個以上一致）";
    if (r.check.holds) {
        return text + "：全" + GroupedNumber(r.check.cases) + "通りを確かめ、成り立ちます。";
    }
    return text + "：成り立ちません。当選数字に " + JoinNumbers(r.check.missedCase, " ") +
           " を含む場合に、どの購入番号も" + std::to_string(q.t) + "個に届きません。";
}

std::string ChanceText(long double chance) {
    if (chance <= 0) return "0";
    const long double percent = chance * 100;
    const int decimals = std::max(0, 2 - static_cast<int>(std::floor(std::log10(percent))));
    char text[64];
    std::snprintf(text, sizeof text, "%.*Lf%%", decimals, percent);
    if (chance >= 0.01L) return text;
    return std::string(text) + "（1/" +
           GroupedNumber(static_cast<std::uint64_t>(std::llround(1 / chance))) + "）";
}
