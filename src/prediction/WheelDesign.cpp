#include "prediction/WheelDesign.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <set>

namespace {

constexpr int kLowest = 1;
constexpr int kHighest = 37;

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

}  // namespace

std::uint64_t Choose(int n, int k) {
    if (n < 0 || n > 64 || k < 0 || k > n) return 0;
    return kChooseTable[n][k];
}

NumberMask WheelProblem::Ticket(std::uint64_t pointSet) const {
    NumberMask ticket = keys;
    while (pointSet) {
        ticket |= NumberMask{1} << points[std::countr_zero(pointSet)];
        pointSet &= pointSet - 1;
    }
    return ticket;
}

std::optional<std::string> CheckWheelRequest(const WheelRequest& r) {
    std::set<int> chosen;
    for (int n : r.numbers) {
        if (n < kLowest || n > kHighest) {
            return "数字「" + std::to_string(n) + "」は1～37の範囲にありません。";
        }
        if (!chosen.insert(n).second) return "数字「" + std::to_string(n) + "」が重複しています。";
    }
    const int v = static_cast<int>(chosen.size());
    if (v < kWheelMinChosen) {
        return "数字は" + std::to_string(kWheelMinChosen) + "個以上選んでください（いま" +
               std::to_string(v) + "個）。";
    }
    std::set<int> keys;
    for (int k : r.keys) {
        if (!chosen.count(k))
            return "キー数字「" + std::to_string(k) + "」が選んだ数字にありません。";
        if (!keys.insert(k).second)
            return "キー数字「" + std::to_string(k) + "」が重複しています。";
    }
    const int k = static_cast<int>(keys.size());
    if (k >= kWheelTicketSize) return "キー数字は6個までです。";
    if (r.t < 1 || r.t > kWheelTicketSize || r.m < r.t || r.m > kWheelTicketSize) {
        return "保証は「t/m」で、1 ≦ t ≦ m ≦ 7 の数で指定してください。";
    }
    if (r.m > v) return "mは選んだ数字の個数（" + std::to_string(v) + "）以下にしてください。";
    if (r.m < k) {
        return "mはキー数字の個数（" + std::to_string(k) + "）以上にしてください。";
    }
    return std::nullopt;
}

WheelProblem MakeWheelProblem(const WheelRequest& r) {
    WheelProblem p;
    p.keys = MaskOf(r.keys);
    for (int n : NumbersOf(MaskOf(r.numbers) & ~p.keys)) p.points.push_back(n);
    const int k = std::popcount(p.keys);
    p.blockSize = kWheelTicketSize - k;
    p.caseSize = r.m - k;
    p.need = std::max(0, r.t - k);
    return p;
}

NumberMask MaskOf(const std::vector<int>& numbers) {
    NumberMask mask = 0;
    for (int n : numbers) {
        if (n >= kLowest && n <= kHighest) mask |= NumberMask{1} << n;
    }
    return mask;
}

std::string JoinNumbers(const std::vector<int>& numbers, const char* separator) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) text += separator;
        text += std::to_string(numbers[i]);
    }
    return text;
}

std::optional<std::vector<int>> ParseNumberList(const std::string& text) {
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
            if (!first || !last || *first > *last || *last - *first > kHighest) return std::nullopt;
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

std::optional<std::pair<int, int>> ParseGuarantee(const std::string& text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos) return std::nullopt;
    const std::optional<int> t = ParseWhole(text.substr(0, slash));
    const std::optional<int> m = ParseWhole(text.substr(slash + 1));
    if (!t || !m) return std::nullopt;
    return std::pair{*t, *m};
}
