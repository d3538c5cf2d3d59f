#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "wheel/WheelOdds.h"
#include "wheel/WheelSearch.h"
#include "wheel/WheelVerify.h"

// Everything the window, the grids and the command line show of a set of
// tickets: a wheel the search made (with its request, bound and search
// figures) or a ticket list a user brought (with the guarantee asked, if any).
struct WheelReport {
    std::vector<int> numbers;  // the chosen numbers (for a list: the numbers of its tickets)
    std::vector<int> keys;
    std::vector<NumberMask> tickets;
    std::optional<WheelRequest> asked;  // the guarantee checked
    GuaranteeCheck check;               // of `asked`
    std::vector<GuaranteeLine> table;   // verified "t if m" for every m
    std::optional<TicketSetOdds> odds;  // none when too large to compute
    // A wheel the search made.
    bool searched = false;
    WheelBound bound;
    std::size_t greedyTickets = 0;
    bool startCut = false;  // the greedy start did not fit the time
    double seconds = 0;
    std::uint64_t seed = 0;
    bool stopped = false;
    bool optimal = false;

    std::uint64_t Cost() const { return tickets.size() * kWheelPricePerTicket; }
};

// The report of a wheel the search returned.  `stop`, when given, can end
// the odds computation early (the report then has no odds).
WheelReport ReportOfWheel(const WheelResult& result, std::uint64_t seed,
                          const std::function<bool()>& stop = {});

// About how long ReportOfWheel takes for a wheel of the request with this
// many tickets: what the search leaves of its time (WheelSearchOptions::reserve).
std::function<double(std::size_t tickets)> ReportReserve(const WheelRequest& request);

// The report of a ticket list; `numbers` empty takes the numbers of the
// tickets; `asked` is checked when given.
WheelReport ReportOfTickets(const std::vector<NumberMask>& tickets, std::vector<int> numbers,
                            const std::optional<std::pair<int, int>>& asked);
