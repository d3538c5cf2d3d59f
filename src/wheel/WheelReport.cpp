#include "wheel/WheelReport.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "core/Errors.h"
#include "core/FigureText.h"

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
    report.startCut = result.startCut;
    report.seconds = result.seconds;
    report.seed = seed;
    report.stopped = result.stopped;
    report.optimal = result.optimal;
    return report;
}

std::function<double(std::size_t)> ReportReserve(const WheelRequest& request) {
    const int v = std::popcount(MaskOf(request.numbers));
    return [v](std::size_t tickets) { return ExactOddsSeconds(tickets, v); };
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
            throw UserError("確かめる場合が" + GroupedNumber(cases) + "通り、購入番号が" +
                            std::to_string(tickets.size()) + "枚あり、多すぎて確かめられません。");
        }
        report.asked = WheelRequest{report.numbers, {}, asked->first, asked->second};
        report.check = CheckGuarantee(tickets, *report.asked);
    }
    report.table = GuaranteeTable(tickets, all, 0);
    report.odds = ExactOdds(tickets);
    return report;
}
