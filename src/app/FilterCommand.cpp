#include "app/FilterCommand.h"

#include <cstdint>
#include <limits>
#include <random>

#include "core/GlobalBas.h"
#include "core/GridDump.h"
#include "core/PrintableText.h"
#include "data/DrawStoreLoader.h"
#include "prediction/FilterReport.h"

namespace {

constexpr const char* kValueOptions[] = {"--sum",
                                         "--odd",
                                         "--low",
                                         "--consecutive",
                                         "--skip",
                                         "--last-digits",
                                         "--same-digit-max",
                                         "--range4",
                                         "--group6",
                                         "--group7",
                                         "--group9",
                                         "--include",
                                         "--exclude",
                                         "--at-least",
                                         "--carry",
                                         "--generate",
                                         "--seed"};
constexpr const char* kFlagOptions[] = {"--not-won", "--spread"};

struct FilterArguments {
    FilterConditions conditions;
    std::optional<int> generate;
    std::optional<std::uint64_t> seed;
    bool spread = false;
};

bool ReadWhole(const std::string& text, long long low, long long high, unsigned long long& value) {
    if (text.empty() || text.size() > 20) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    try {
        value = std::stoull(text);
    } catch (...) {
        return false;
    }
    return value >= static_cast<unsigned long long>(low) &&
           value <= static_cast<unsigned long long>(high);
}

// "i:numbers": at least i of the numbers.
bool ParseAtLeast(const std::string& text, FilterConditions& conditions, std::string& problem) {
    const std::size_t colon = text.find(':');
    unsigned long long least = 0;
    const std::string what = "--at-least";
    if (colon == std::string::npos || !ReadWhole(text.substr(0, colon), 1, 7, least)) {
        problem = what + " の「" + PrintableText(text) +
                  "」が読めません。「2:1,5,9,12」のように、個数と数字を「:」でつないでください。";
        return false;
    }
    if (!ParseNumbers(text.substr(colon + 1), what + " ", conditions.atLeastOf, problem))
        return false;
    conditions.atLeast = static_cast<int>(least);
    if (conditions.atLeastOf == 0) {
        problem = what + " に数字がありません。";
        return false;
    }
    return true;
}

bool ParseOne(const std::string& name, const std::string& value, FilterArguments& a,
              std::string& problem) {
    FilterConditions& s = a.conditions;
    const std::string what = name + " ";
    if (name == "--sum") return ParseSumRange(value, what, s.sum, problem) && s.sum;
    if (name == "--odd") return ParseCountSet(value, what, 7, s.odd, problem) && s.odd;
    if (name == "--low") return ParseCountSet(value, what, 7, s.low, problem) && s.low;
    if (name == "--consecutive") {
        return ParseCountSet(value, what, 6, s.consecutive, problem) && s.consecutive;
    }
    if (name == "--skip") return ParseCountSet(value, what, 6, s.skipOne, problem) && s.skipOne;
    if (name == "--last-digits") {
        return ParseCountSet(value, what, 7, s.lastDigits, problem) && s.lastDigits;
    }
    if (name == "--carry")
        return ParseCountSet(value, what, 7, s.carryOver, problem) && s.carryOver;
    if (name == "--include") return ParseNumbers(value, what, s.include, problem) && s.include;
    if (name == "--exclude") return ParseNumbers(value, what, s.exclude, problem) && s.exclude;
    if (name == "--at-least") return ParseAtLeast(value, s, problem);
    const char* splits[] = {"--range4", "--group6", "--group7", "--group9"};
    for (int split = 0; split < kSplitCount; ++split) {
        if (name == splits[split]) {
            return ParseSplitSets(value, what, split, s.splits[split], problem) && s.splits[split];
        }
    }
    unsigned long long number = 0;
    if (name == "--same-digit-max") {
        if (!ReadWhole(value, 1, 7, number)) {
            problem = name + " には1～7の個数を指定してください。";
            return false;
        }
        s.sameDigitMax = static_cast<int>(number);
        return true;
    }
    if (name == "--generate") {
        if (!ReadWhole(value, 1, kMaxTickets, number)) {
            problem =
                name + " には1～" + std::to_string(kMaxTickets) + "の口数を指定してください。";
            return false;
        }
        a.generate = static_cast<int>(number);
        return true;
    }
    if (name == "--seed") {
        if (!ReadWhole(value, 0, std::numeric_limits<long long>::max(), number)) {
            problem = name + " には0以上の整数を指定してください。";
            return false;
        }
        a.seed = number;
        return true;
    }
    if (name == "--not-won") return s.notWon = true;
    if (name == "--spread") return a.spread = true;
    problem = "知らない絞り込みの条件「" + PrintableText(name) + "」です。";
    return false;
}

// The message for an option whose value is blank.
std::string BlankProblem(const std::string& name, const std::string& problem) {
    return problem.empty() ? name + " の値が空です。" : problem;
}

}  // namespace

bool IsFilterOption(const std::string& option, bool& takesValue) {
    for (const char* name : kValueOptions) {
        if (option == name) return takesValue = true;
    }
    for (const char* name : kFlagOptions) {
        if (option == name) {
            takesValue = false;
            return true;
        }
    }
    return false;
}

int RunFilterCommand(const std::vector<std::pair<std::string, std::string>>& options,
                     const std::string& databasePath, const std::string& format, std::ostream& out,
                     std::ostream& err) {
    FilterArguments a;
    for (const auto& [name, value] : options) {
        std::string problem;
        if (!ParseOne(name, value, a, problem)) {
            err << BlankProblem(name, problem) << "\n";
            return 2;
        }
    }
    if ((a.seed || a.spread) && !a.generate) {
        err << (a.seed ? "--seed" : "--spread") << " は --generate と一緒に指定してください。\n";
        return 2;
    }
    // Without a seed one is chosen, and printed with the tickets.
    std::optional<TicketRequest> request;
    if (a.generate) {
        request = TicketRequest{.count = *a.generate,
                                .seed = a.seed ? *a.seed : std::random_device{}() & 0x7fffffff,
                                .method = a.spread ? TicketMethod::Spread : TicketMethod::Random};
    }
    GlobalBas g;
    OpenDrawStore(g, databasePath);
    const FilterHistory history = ReadFilterHistory(g.Draws);
    FilterOutcome outcome{.conditions = a.conditions,
                          .combinations = CountCombinations(a.conditions, history.Context(), 2),
                          .past = RatePastDraws(g.Draws, a.conditions),
                          .latestDraw = history.latestDraw};
    std::vector<Combination> tickets;
    if (request) {
        tickets = GenerateTickets(a.conditions, history.Context(), outcome.combinations.passing,
                                  *request);
    }
    if (format == "csv") {
        ResultGrid filters, ticketGrid;
        WriteFilterGrid(outcome, filters);
        std::vector<NamedGrid> grids = {{kFilterGridName, &filters}};
        if (request) {
            WriteTicketGrid(tickets, ticketGrid);
            grids.push_back({std::string(kTicketGridName) + "（乱数の種 " +
                                 std::to_string(request->seed) + "）",
                             &ticketGrid});
        }
        DumpCsv(out, grids);
    } else {
        WriteFilterJson(out, outcome, request, tickets);
    }
    return 0;
}
