#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "app/commands/CommandTable.h"
#include "app/commands/Commands.h"
#include "core/GlobalBas.h"
#include "core/GridDump.h"
#include "core/ParallelFor.h"
#include "core/PrintableText.h"
#include "data/DrawStoreLoader.h"
#include "filter/FilterReport.h"

namespace {

struct FilterArguments {
    FilterConditions conditions;
    std::optional<int> generate;
    std::optional<std::uint64_t> seed;
    bool spread = false;
};

// A count or a seed as the filter reads it: ASCII digits only, at most 20.
std::optional<unsigned long long> ReadWhole(const std::string& text, unsigned long long low,
                                            unsigned long long high) {
    if (text.size() > 20) return std::nullopt;
    return WholeNumberIn(text, low, high);
}

// A condition that reads but is blank is no condition.
template <typename T>
T NotBlank(const std::string& name, T value) {
    if (!value) throw UsageError(name + " の値が空です。");
    return value;
}

// "i:numbers": at least i of the numbers.
void ReadAtLeast(const std::string& text, FilterConditions& conditions) {
    const std::size_t colon = text.find(':');
    const std::string what = "--at-least";
    const std::optional<unsigned long long> least =
        colon == std::string::npos ? std::nullopt : ReadWhole(text.substr(0, colon), 1, 7);
    if (!least) {
        throw UsageError(
            what + " の「" + PrintableText(text) +
            "」が読めません。「2:1,5,9,12」のように、個数と数字を「:」でつないでください。");
    }
    const NumberMask of = ParseNumbers(text.substr(colon + 1), what + " ");
    if (of == 0) throw UsageError(what + " に数字がありません。");
    conditions.atLeast.push_back({static_cast<int>(*least), of});
}

// --range4, --group6, --group7, --group9: the split they restrict, or -1.
int SplitOfOption(const std::string& name) {
    const char* splits[] = {"--range4", "--group6", "--group7", "--group9"};
    for (int split = 0; split < kSplitCount; ++split) {
        if (name == splits[split]) return split;
    }
    return -1;
}

void ReadCondition(const std::string& name, const std::string& value, FilterArguments& a) {
    FilterConditions& s = a.conditions;
    const std::string what = name + " ";
    // A condition's own reading fails as a usage error of the command.
    AsUsage([&] {
        if (name == "--sum") {
            s.sum = NotBlank(name, ParseSumRange(value, what));
        } else if (name == "--odd") {
            s.odd = NotBlank(name, ParseCountSet(value, what, 7));
        } else if (name == "--low") {
            s.low = NotBlank(name, ParseCountSet(value, what, 7));
        } else if (name == "--consecutive") {
            s.consecutive = NotBlank(name, ParseCountSet(value, what, 6));
        } else if (name == "--skip") {
            s.skipOne = NotBlank(name, ParseCountSet(value, what, 6));
        } else if (name == "--last-digits") {
            s.lastDigits = NotBlank(name, ParseCountSet(value, what, 7));
        } else if (name == "--carry") {
            s.carryOver = NotBlank(name, ParseCountSet(value, what, 7));
        } else if (name == "--include") {
            // Given more than once, the lists join.
            s.include |= NotBlank(name, ParseNumbers(value, what));
        } else if (name == "--exclude") {
            s.exclude |= NotBlank(name, ParseNumbers(value, what));
        } else if (name == "--at-least") {
            ReadAtLeast(value, s);
        } else if (const int split = SplitOfOption(name); split >= 0) {
            s.splits[split] = NotBlank(name, ParseSplitSets(value, what, split));
        } else if (name == "--same-digit-max") {
            const auto most = ReadWhole(value, 1, 7);
            if (!most) throw UsageError(name + " には1～7の個数を指定してください。");
            s.sameDigitMax = static_cast<int>(*most);
        } else if (name == "--generate") {
            const auto count = ReadWhole(value, 1, kMaxTickets);
            if (!count) {
                throw UsageError(name + " には1～" + std::to_string(kMaxTickets) +
                                 "の口数を指定してください。");
            }
            a.generate = static_cast<int>(*count);
        } else if (name == "--seed") {
            a.seed = ReadWhole(value, 0, std::numeric_limits<long long>::max());
            if (!a.seed) throw UsageError(name + " には0以上の整数を指定してください。");
        } else if (name == "--not-won") {
            s.notWon = true;
        } else if (name == "--spread") {
            a.spread = true;
        }
    });
}
}  // namespace

// Counts the combinations the conditions keep and how many past draws they
// would have kept, and draws tickets from the combinations kept.
int RunFilterCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
    FilterArguments a;
    for (const auto& [name, value] : args.Options()) {
        if (name != "--db" && name != "--format" && name != "--seed") ReadCondition(name, value, a);
    }
    // The seed is read after the conditions, as every command that draws at
    // random reads it.
    if (const std::optional<std::string> seed = args.Value("--seed"))
        ReadCondition("--seed", *seed, a);
    if ((a.seed || a.spread) && !a.generate) {
        throw UsageError(std::string(a.seed ? "--seed" : "--spread") +
                         " は --generate と一緒に指定してください。");
    }
    // Without a seed one is chosen, and printed with the tickets.
    std::optional<TicketRequest> request;
    if (a.generate) {
        request = TicketRequest{.count = *a.generate,
                                .seed = a.seed ? *a.seed : std::random_device{}() & 0x7fffffff,
                                .method = a.spread ? TicketMethod::Spread : TicketMethod::Random};
    }
    GlobalBas g;
    OpenDrawStore(g, args.DatabasePath());
    const FilterHistory history = ReadFilterHistory(g.Draws);
    FilterOutcome outcome{
        .conditions = a.conditions,
        .combinations = CountCombinations(a.conditions, history.Context(), kComputeThreads),
        .past = RatePastDraws(g.Draws, a.conditions),
        .latestDraw = history.latestDraw};
    std::vector<Combination> tickets;
    if (request) {
        tickets = GenerateTickets(a.conditions, history.Context(), outcome.combinations.passing,
                                  *request);
        // Fewer than asked for: every combination that passes, and said so.
        if (static_cast<int>(tickets.size()) < request->count) {
            err << "条件に合う組合せは" << outcome.combinations.passing << "通りしかないため、"
                << tickets.size() << "口だけ作りました。\n";
        }
    }
    if (args.Format() == "csv") {
        ResultGrid filters, ticketGrid;
        WriteFilterGrid(outcome, filters);
        std::vector<NamedGrid> grids = {{kFilterGridName, &filters}};
        if (request) {
            WriteTicketGrid(tickets, ticketGrid);
            grids.push_back({std::string(kFilterTicketGridName) + "（乱数の種 " +
                                 std::to_string(request->seed) + "）",
                             &ticketGrid});
        }
        DumpCsv(out, grids);
    } else {
        WriteFilterJson(out, outcome, request, tickets);
    }
    return kStatusDone;
}
