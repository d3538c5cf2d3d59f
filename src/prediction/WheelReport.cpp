#include "prediction/WheelReport.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "core/Errors.h"

namespace {

std::string Grouped(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
    return digits;
}

}  // namespace

WheelReport ReportOfWheel(const WheelResult& result, std::uint64_t seed,
                          const std::function<bool()>& stop) {
    WheelReport report;
    report.numbers = NumbersOf(MaskOf(result.request.numbers));
    report.keys = NumbersOf(MaskOf(result.request.keys));
    report.tickets = result.tickets;
    report.asked = result.request;
    report.check = result.check;
    report.table = GuaranteeTable(result.tickets, MaskOf(report.numbers), MaskOf(report.keys));
    report.odds = ExactOdds(result.tickets, stop);
    report.searched = true;
    report.bound = result.bound;
    report.greedyTickets = result.greedyTickets;
    report.seconds = result.seconds;
    report.seed = seed;
    report.stopped = result.stopped;
    report.optimal = result.optimal;
    return report;
}

WheelReport ReportOfTickets(const std::vector<NumberMask>& tickets, std::vector<int> numbers,
                            const std::optional<std::pair<int, int>>& asked) {
    WheelReport report;
    NumberMask all = MaskOf(numbers);
    if (numbers.empty()) {
        for (NumberMask t : tickets) all |= t;
    }
    report.numbers = NumbersOf(all);
    report.tickets = tickets;
    if (asked) {
        const std::uint64_t cases = Choose(static_cast<int>(report.numbers.size()), asked->second);
        if (!VerificationFits(cases, tickets.size())) {
            throw UserError("確かめる場合が" + Grouped(cases) + "通り、購入番号が" +
                            std::to_string(tickets.size()) + "枚あり、多すぎて確かめられません。");
        }
        report.asked = WheelRequest{report.numbers, {}, asked->first, asked->second};
        report.check = CheckGuarantee(tickets, *report.asked);
    }
    report.table = GuaranteeTable(tickets, all, 0);
    report.odds = ExactOdds(tickets);
    return report;
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
        while (!line.empty() && (line.back() == ',' || line.back() == ' ')) line.pop_back();
        const std::optional<std::vector<int>> numbers = ParseNumberList(line);
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

std::string GuaranteeText(const WheelReport& r) {
    if (!r.asked) return "";
    const WheelRequest& q = *r.asked;
    std::string text = std::to_string(q.t) + "/" + std::to_string(q.m) + "（";
    text += q.keys.empty() ? "選んだ数字" : "キー数字を含めて選んだ数字";
    text += "から当選数字が" + std::to_string(q.m) + "個以上出れば、少なくとも1枚が" +
            std::to_string(q.t) + "個以上一致）";
    if (r.check.holds) {
        return text + "：全" + Grouped(r.check.cases) + "通りを確かめ、成り立ちます。";
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
           Grouped(static_cast<std::uint64_t>(std::llround(1 / chance))) + "）";
}
