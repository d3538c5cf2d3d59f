#include "wheel/WheelSearch.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <queue>
#include <random>

#include "core/Errors.h"
#include "core/PopcountClones.h"
#include "wheel/WheelCover.h"

namespace {

using Clock = std::chrono::steady_clock;

// The full greedy looks at every block while there are at most this many,
// and the covering counts it keeps up to date cost at most this much work.
constexpr std::uint64_t kMaxGreedyBlocks = 1'000'000;
constexpr std::uint64_t kMaxGreedyWork = 100'000'000;
constexpr int kSampledCandidates = 12;

// The annealing temperature falls geometrically from hot to cold, once,
// over as many moves as the time budget holds at a nominal speed (a move
// looks at every block, so larger wheels make fewer moves a second).  A
// longer budget cools more slowly, which is what finds smaller wheels, and
// counting moves rather than seconds keeps a seeded run the same on every
// machine: a slower one only stops earlier on the same path.  Each smaller
// wheel found goes on at the temperature reached.
struct CoolingPlan {
    static constexpr double kHot = 0.4, kCold = 0.06;
    static constexpr double kSecondsPerMove = 0.35e-6, kSecondsPerBlock = 3.4e-9;
    double moves = 1;  // planned
    CoolingPlan(double seconds, std::size_t blocks)
        : moves(std::max(
              1.0, seconds / (kSecondsPerMove + kSecondsPerBlock * static_cast<double>(blocks)))) {}
    double TemperatureAt(long move) const {
        return kHot * std::pow(kCold / kHot, std::min(1.0, static_cast<double>(move) / moves));
    }
};

double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::uint64_t AllPoints(int n) { return (std::uint64_t{1} << n) - 1; }

std::uint64_t RandomPoint(std::uint64_t from, std::mt19937_64& random) {
    int skip = std::uniform_int_distribution<int>(0, std::popcount(from) - 1)(random);
    for (; skip > 0; --skip) from &= from - 1;
    return from & (~from + 1);
}

// Every block considered, each time the one covering most uncovered cases
// (ties in an order shuffled by the seed): the covering greedy.  The number
// of uncovered cases each block covers is kept up to date as cases are
// covered; a lazy heap finds the best.
void FullGreedy(WheelCover& cover, std::mt19937_64& random,
                const std::function<bool()>& keepGoing) {
    const int n = cover.Points();
    std::vector<std::uint64_t> blocks;
    const std::uint64_t end = std::uint64_t{1} << n;
    for (std::uint64_t b = AllPoints(cover.BlockSize()); b < end; b = NextSameSize(b)) {
        blocks.push_back(b);
    }
    std::vector<std::uint32_t> order(blocks.size());
    for (std::uint32_t i = 0; i < order.size(); ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), random);
    std::vector<std::uint32_t> tie(blocks.size());
    for (std::uint32_t i = 0; i < order.size(); ++i) tie[order[i]] = i;
    const auto per = static_cast<std::uint32_t>(cover.CasesPerBlock());
    std::vector<std::uint32_t> gain(blocks.size(), per);
    using Entry = std::pair<std::uint32_t, std::uint32_t>;  // gain, −tie order
    const auto key = [&](std::uint32_t i) { return Entry{gain[i], ~tie[i]}; };
    std::priority_queue<Entry> heap;
    for (std::uint32_t i = 0; i < blocks.size(); ++i) heap.push(key(i));
    std::vector<std::uint32_t> cases;
    std::vector<std::uint64_t> covering;
    while (cover.UncoveredCount() > 0 && keepGoing()) {
        const Entry top = heap.top();
        heap.pop();
        const std::uint32_t i = order[~top.second];
        if (top.first != gain[i]) {
            heap.push(key(i));
            continue;
        }
        cover.CasesOf(blocks[i], cases);
        for (std::uint32_t c : cases) {
            if (cover.IsCovered(c)) continue;
            cover.BlocksCovering(cover.CaseSet(c), covering);
            for (std::uint64_t b : covering) --gain[ColexRank(b)];
        }
        cover.AddBlock(blocks[i]);
        heap.push(key(i));
    }
}

// For problems too large to look at every block: each new block is the best
// of a few made around a random uncovered case (holding as many of its
// points as fit, the rest at random).
LOTO7_POPCOUNT_CLONES void SampledGreedy(WheelCover& cover, std::mt19937_64& random,
                                         const std::function<bool()>& keepGoing) {
    const std::uint64_t all = AllPoints(cover.Points());
    std::vector<std::uint32_t> cases;
    while (cover.UncoveredCount() > 0 && keepGoing()) {
        const std::uint64_t target = cover.CaseSet(cover.RandomUncovered(random));
        std::uint64_t best = 0;
        long bestGain = -1;
        for (int candidate = 0; candidate < kSampledCandidates; ++candidate) {
            std::uint64_t block = 0;
            while (std::popcount(block) < cover.BlockSize()) {
                const std::uint64_t from = (target & ~block) ? target & ~block : all & ~block;
                block |= RandomPoint(from, random);
            }
            cover.CasesOf(block, cases);
            const long gain = std::count_if(cases.begin(), cases.end(),
                                            [&](std::uint32_t c) { return !cover.IsCovered(c); });
            if (gain > bestGain) {
                bestGain = gain;
                best = block;
            }
        }
        cover.AddBlock(best);
    }
}

// The covering counts the full greedy keeps up to date: for every case, the
// blocks covering it.
std::uint64_t FullGreedyWork(const WheelProblem& p) {
    std::uint64_t perCase = 0;
    for (int i = p.need; i <= std::min(p.blockSize, p.caseSize); ++i) {
        perCase += Choose(p.caseSize, i) * Choose(p.PointCount() - p.caseSize, p.blockSize - i);
    }
    return Choose(p.PointCount(), p.caseSize) * perCase;
}

bool UseFullGreedy(const WheelProblem& p) {
    return Choose(p.PointCount(), p.blockSize) <= kMaxGreedyBlocks &&
           FullGreedyWork(p) <= kMaxGreedyWork;
}

// Simulated annealing at a fixed number of blocks: a random uncovered case,
// a random one of the blocks sharing most points with it, one point of that
// block not in the case swapped for one of the case not in the block.  The
// swap is made when it leaves no more cases uncovered, else with chance
// e^(−increase / temperature).  Returns true once every case is covered;
// false when keepGoing says stop.
LOTO7_POPCOUNT_CLONES bool Anneal(WheelCover& cover, std::mt19937_64& random,
                                  const std::function<bool()>& keepGoing,
                                  const CoolingPlan& cooling, long& moves) {
    const std::size_t blocks = cover.Blocks().size();
    double temperature = cooling.TemperatureAt(moves);
    std::uniform_real_distribution<double> chance(0, 1);
    std::vector<std::size_t> nearest;
    for (long move = 0; cover.UncoveredCount() > 0; ++move, ++moves) {
        if ((move & 63) == 0) {
            if (!keepGoing()) return false;
            temperature = cooling.TemperatureAt(moves);
        }
        const std::uint64_t target = cover.CaseSet(cover.RandomUncovered(random));
        int most = -1;
        nearest.clear();
        for (std::size_t i = 0; i < blocks; ++i) {
            const int shared = std::popcount(cover.Blocks()[i] & target);
            if (shared > most) {
                most = shared;
                nearest.clear();
            }
            if (shared == most) nearest.push_back(i);
        }
        const std::size_t index =
            nearest[std::uniform_int_distribution<std::size_t>(0, nearest.size() - 1)(random)];
        const std::uint64_t block = cover.Blocks()[index];
        const int out = std::countr_zero(RandomPoint(block & ~target, random));
        const int in = std::countr_zero(RandomPoint(target & ~block, random));
        const long delta = cover.SwapDelta(index, out, in);
        if (delta <= 0 || chance(random) < std::exp(-static_cast<double>(delta) / temperature)) {
            cover.Swap(index, out, in);
        }
    }
    return true;
}

std::vector<NumberMask> TicketsOf(const WheelProblem& p, const std::vector<std::uint64_t>& blocks) {
    std::vector<NumberMask> tickets;
    for (std::uint64_t b : blocks) tickets.push_back(p.Ticket(b));
    return tickets;
}

// Removes the block whose loss uncovers fewest cases.
void DropCheapestBlock(WheelCover& cover) {
    std::size_t cheapest = 0, least = SIZE_MAX;
    for (std::size_t i = 0; i < cover.Blocks().size(); ++i) {
        const std::size_t only = cover.OnlyCoveredBy(i);
        if (only < least) {
            least = only;
            cheapest = i;
        }
    }
    cover.RemoveBlock(cheapest);
}

}  // namespace

std::optional<GuaranteeCheck> AcceptVerified(std::vector<NumberMask>& tickets,
                                             const WheelRequest& request) {
    std::sort(tickets.begin(), tickets.end(), NumbersBefore);
    tickets.erase(std::unique(tickets.begin(), tickets.end()), tickets.end());
    for (NumberMask t : tickets) {
        if (std::popcount(t) != kWheelTicketSize) return std::nullopt;
    }
    GuaranteeCheck check = CheckGuarantee(tickets, request);
    if (!check.holds) return std::nullopt;
    return check;
}

void CheckWheelSearchLimit(const WheelRequest& request) {
    const WheelProblem p = MakeWheelProblem(request);
    if (p.need <= 0) return;
    const std::uint64_t cases = Choose(p.PointCount(), p.caseSize);
    std::uint64_t perTicket = 0;
    for (int i = p.need; i <= std::min(p.blockSize, p.caseSize); ++i) {
        perTicket += Choose(p.blockSize, i) * Choose(p.PointCount() - p.blockSize, p.caseSize - i);
    }
    const std::uint64_t bound = LowerBound(p).tickets;
    if (!VerificationFits(cases, bound)) {
        throw UserError("確かめる場合が" + std::to_string(cases) + "通り、購入番号が少なくとも" +
                        std::to_string(bound) + "枚あり、保証を確かめきれないため作成しません。");
    }
    // The sampled greedy weighs a few candidates per ticket, each by the
    // cases it covers, for up to six times the bound in tickets.
    const std::uint64_t work =
        UseFullGreedy(p) ? FullGreedyWork(p) : perTicket * kSampledCandidates * 6 * bound;
    if (perTicket > kMaxCoverPerTicket || work > kMaxGreedyWork) {
        throw UserError(
            "購入番号1枚が保証する場合が" + std::to_string(perTicket) +
            "通りと多く、探すのに時間がかかりすぎるため作成しません（数字を減らすか、保証のmを"
            "小さくしてください）。");
    }
}

namespace {

// The one ticket a wheel needs when the keys alone give the guarantee.
std::vector<std::uint64_t> TrivialBlocks(const WheelProblem& p) { return {AllPoints(p.blockSize)}; }

// Runs the greedy start; false when stopped first.
bool MakeGreedyStart(const WheelProblem& p, WheelCover& cover, std::mt19937_64& random,
                     const std::function<bool()>& keepGoing) {
    if (UseFullGreedy(p)) {
        FullGreedy(cover, random, keepGoing);
    } else {
        SampledGreedy(cover, random, keepGoing);
    }
    return cover.UncoveredCount() == 0;
}

// Covers what is left uncovered quickly: a block holding an uncovered case
// (filled up with the lowest other points), until none is left.  Each block
// covers at least the case it was made for, so this ends.
void CoverTheRest(WheelCover& cover) {
    const std::uint64_t all = AllPoints(cover.Points());
    while (cover.UncoveredCount() > 0) {
        std::uint64_t block = cover.CaseSet(cover.AnUncovered());
        while (std::popcount(block) < cover.BlockSize()) block |= all & ~block & (block + 1);
        cover.AddBlock(block);
    }
}

std::optional<WheelResult> Verified(const WheelProblem& p, const WheelRequest& request,
                                    const std::vector<std::uint64_t>& blocks) {
    WheelResult result;
    result.request = request;
    result.tickets = TicketsOf(p, blocks);
    std::optional<GuaranteeCheck> check = AcceptVerified(result.tickets, request);
    if (!check) return std::nullopt;
    result.check = std::move(*check);
    result.bound = LowerBound(p);
    result.optimal = result.tickets.size() <= result.bound.tickets;
    return result;
}

std::optional<WheelResult> TrivialWheel(const WheelProblem& p, const WheelRequest& request) {
    std::optional<WheelResult> result = Verified(p, request, TrivialBlocks(p));
    if (result) result->greedyTickets = result->tickets.size();
    return result;
}

}  // namespace

std::optional<WheelResult> GreedyWheel(const WheelRequest& request, std::uint64_t seed) {
    const WheelProblem p = MakeWheelProblem(request);
    if (p.need <= 0) return TrivialWheel(p, request);
    WheelCover cover(p);
    std::mt19937_64 random(seed);
    MakeGreedyStart(p, cover, random, [] { return true; });
    std::optional<WheelResult> result = Verified(p, request, cover.Blocks());
    if (result) result->greedyTickets = result->tickets.size();
    return result;
}

std::optional<WheelResult> SearchWheel(const WheelRequest& request,
                                       const WheelSearchOptions& options,
                                       const WheelProgressSink& progress) {
    const Clock::time_point start = Clock::now();
    const WheelProblem p = MakeWheelProblem(request);
    if (p.need <= 0) return TrivialWheel(p, request);
    const double budget = std::clamp(options.seconds, 0.0, kMaxWheelSeconds);
    std::mt19937_64 random(options.seed);
    WheelCover cover(p);
    std::optional<WheelResult> best;
    bool stopped = false;
    double deadline = budget;  // the greedy start counts against the time
    double lastReport = -1;
    const auto keepGoing = [&] {
        const double elapsed = Since(start);
        if (progress && elapsed - lastReport >= 0.05) {
            lastReport = elapsed;
            if (!progress({elapsed, deadline, best ? best->tickets.size() : 0})) stopped = true;
        }
        return !stopped && elapsed < deadline;
    };
    const bool started = MakeGreedyStart(p, cover, random, keepGoing);
    if (stopped) return std::nullopt;
    if (!started) CoverTheRest(cover);
    best = Verified(p, request, cover.Blocks());
    if (!best) return std::nullopt;
    best->greedyTickets = best->tickets.size();
    best->startCut = !started;
    if (options.reserve) deadline = std::max(0.0, budget - options.reserve(best->tickets.size()));
    const CoolingPlan cooling(deadline, cover.Blocks().size());
    long moves = 0;
    const auto smallEnough = [&] {
        return best->optimal || best->tickets.size() <= options.enough;
    };
    while (!smallEnough() && cover.Blocks().size() > 1 && Since(start) < deadline) {
        DropCheapestBlock(cover);
        if (!Anneal(cover, random, keepGoing, cooling, moves)) break;
        std::optional<WheelResult> smaller = Verified(p, request, cover.Blocks());
        if (!smaller) break;
        smaller->greedyTickets = best->greedyTickets;
        smaller->startCut = best->startCut;
        best = std::move(smaller);
    }
    best->stopped = stopped;
    best->seconds = Since(start);
    if (progress) progress({best->seconds, deadline, best->tickets.size()});
    return best;
}
