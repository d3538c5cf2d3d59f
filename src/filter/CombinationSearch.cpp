#include "filter/CombinationSearch.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <random>
#include <unordered_set>

#include "core/ParallelFor.h"
#include "lotto/LotoChance.h"

namespace {

// Walks the combinations of seven numbers from 1 … highest whose first
// number lies in [firstFrom, firstTo], in lexicographic order, handing each
// combination's measures to leaf (false from leaf ends the walk).  stop is
// asked once for every choice of the first three numbers.
template <int Depth, typename Leaf>
bool Descend(const Measures& m, int from, int highest, Leaf& leaf, const StopAsked& stop,
             bool& stopped) {
    for (int n = from; n <= highest - (kComboSize - 1 - Depth); ++n) {
        Measures next = m;
        AddNumber(next, n);
        if constexpr (Depth == kComboSize - 1) {
            if (!leaf(next)) return false;
        } else {
            if constexpr (Depth == 2) {
                if (stop && stop()) {
                    stopped = true;
                    return false;
                }
            }
            if (!Descend<Depth + 1>(next, n + 1, highest, leaf, stop, stopped)) return false;
        }
    }
    return true;
}

template <typename Leaf>
bool Walk(int firstFrom, int firstTo, int highest, Leaf& leaf, const StopAsked& stop) {
    bool stopped = false;
    for (int first = firstFrom; first <= firstTo && !stopped; ++first) {
        Measures m;
        AddNumber(m, first);
        if (!Descend<1>(m, first + 1, highest, leaf, stop, stopped)) break;
    }
    return !stopped;
}

// The filters a search checks one by one: those that are on, less the
// already-won filter, which is checked only when all others pass.
struct ActiveFilters {
    std::vector<FilterKind> kinds;
    bool notWon = false;

    explicit ActiveFilters(const FilterConditions& conditions) {
        for (const FilterInfo& info : FilterCatalog()) {
            if (!conditions.IsOn(info.kind)) continue;
            if (info.kind == FilterKind::NotWon) {
                notWon = true;
            } else {
                kinds.push_back(info.kind);
            }
        }
    }

    // Adds to each filter's count; true when the combination passes every
    // filter but the already-won one.
    bool Check(const Measures& m, const FilterConditions& conditions, const FilterContext& context,
               std::array<std::uint64_t, kFilterKindCount>& alone) const {
        bool all = true;
        for (FilterKind kind : kinds) {
            const bool pass = Passes(kind, m, conditions, context);
            alone[static_cast<int>(kind)] += pass;
            all = all && pass;
        }
        return all;
    }

    bool Won(const Measures& m, const FilterConditions& conditions,
             const FilterContext& context) const {
        return notWon && !Passes(FilterKind::NotWon, m, conditions, context);
    }
};

CombinationCounts CountPart(const FilterConditions& conditions, const FilterContext& context,
                            int firstFrom, int firstTo, int highest, const StopAsked& stop) {
    const ActiveFilters active(conditions);
    CombinationCounts counts;
    auto leaf = [&](const Measures& m) {
        ++counts.total;
        if (active.Check(m, conditions, context, counts.alone) &&
            !active.Won(m, conditions, context)) {
            ++counts.passing;
        }
        return true;
    };
    counts.completed = Walk(firstFrom, firstTo, highest, leaf, stop);
    return counts;
}

// The first number at which the second of two threads starts, so that both
// get about half of the combinations.
int SplitFirstNumber(int highest) {
    const std::uint64_t all = Binomial(highest, kComboSize);
    std::uint64_t done = 0;
    int first = 1;
    while (first < highest && done + Binomial(highest - first, kComboSize - 1) / 2 < all / 2) {
        done += Binomial(highest - first, kComboSize - 1);
        ++first;
    }
    return first;
}

// The won combinations of the space 1 … highest.
std::uint64_t WonInSpace(const FilterContext& context, int highest) {
    if (!context.won) return 0;
    const NumberMask space = (Bit(highest + 1) - 1) & ~NumberMask{1};
    return std::count_if(context.won->begin(), context.won->end(),
                         [space](NumberMask mask) { return (mask & ~space) == 0; });
}

Combination CombinationOf(NumberMask mask) {
    Combination combination{};
    int i = 0;
    for (int n = 1; n < 64 && i < kComboSize; ++n) {
        if (mask & Bit(n)) combination[i++] = n;
    }
    return combination;
}

// A number below bound, every value equally likely (the generator's own
// distribution is fixed by the standard, so a seed gives the same numbers
// everywhere).
std::uint64_t UniformBelow(std::mt19937_64& random, std::uint64_t bound) {
    // 2^64 mod bound values at the bottom are dropped, so every remainder
    // comes from as many values as every other.
    const std::uint64_t dropped = (0 - bound) % bound;
    std::uint64_t value = random();
    while (value < dropped) value = random();
    return value % bound;
}

// `count` different ranks below `passing`, in the order drawn.
std::vector<std::uint64_t> DrawRanks(std::mt19937_64& random, std::uint64_t passing,
                                     std::uint64_t count) {
    std::vector<std::uint64_t> ranks;
    std::unordered_set<std::uint64_t> taken;
    while (ranks.size() < count) {
        const std::uint64_t rank = UniformBelow(random, passing);
        if (taken.insert(rank).second) ranks.push_back(rank);
    }
    return ranks;
}

// The combinations at ranks given in any order, in that order.
std::vector<Combination> FetchInOrder(const FilterConditions& conditions,
                                      const FilterContext& context,
                                      const std::vector<std::uint64_t>& ranks, int highest,
                                      const StopAsked& stop) {
    std::vector<std::uint64_t> ascending = ranks;
    std::sort(ascending.begin(), ascending.end());
    const std::vector<Combination> found =
        PassingAtRanks(conditions, context, ascending, highest, stop);
    if (found.size() != ascending.size()) return {};
    std::vector<Combination> ordered;
    ordered.reserve(ranks.size());
    for (std::uint64_t rank : ranks) {
        const auto at = std::lower_bound(ascending.begin(), ascending.end(), rank);
        ordered.push_back(found[at - ascending.begin()]);
    }
    return ordered;
}

// A fixed scramble of a set and a salt, to break ties at random.
std::uint64_t TieKey(NumberMask mask, std::uint64_t salt) {
    std::uint64_t z = mask ^ salt;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

int Load(const std::array<int, 64>& uses, NumberMask mask) {
    int load = 0;
    for (NumberMask rest = mask; rest; rest &= rest - 1) load += uses[std::countr_zero(rest)];
    return load;
}

// Tickets whose numbers the tickets before them used least.  While some
// number the filters allow is still unused, each ticket is sought among all
// passing combinations (ties broken at random); after that among the pool,
// the earliest of equals.
class Spreader {
  public:
    Spreader(const FilterConditions& conditions, const FilterContext& context, int highest,
             const StopAsked& stop, std::uint64_t salt)
        : conditions_(conditions), context_(context), highest_(highest), stop_(stop), salt_(salt) {}

    std::vector<Combination> Spread(const std::vector<Combination>& pool, int count) {
        std::vector<Combination> tickets;
        NumberMask allowed = 0;
        for (const Combination& c : pool) allowed |= MaskOf(c);
        std::vector<bool> taken(pool.size(), false);
        while (static_cast<int>(tickets.size()) < count) {
            std::optional<NumberMask> next;
            if (tickets.empty()) {
                next = MaskOf(pool.front());
            } else if ((allowed & ~used_) != 0) {
                next = LeastUsedOfAll();
                if (!next) return {};
                allowed = allowed_;
            } else {
                next = LeastUsedOf(pool, taken);
            }
            if (!next || chosen_.count(*next)) break;
            Take(*next, tickets);
        }
        return tickets;
    }

  private:
    static NumberMask MaskOf(const Combination& c) {
        NumberMask mask = 0;
        for (int n : c) mask |= Bit(n);
        return mask;
    }

    void Take(NumberMask mask, std::vector<Combination>& tickets) {
        chosen_.insert(mask);
        used_ |= mask;
        for (int n : NumbersOf(mask)) ++uses_[n];
        tickets.push_back(CombinationOf(mask));
    }

    // One pass over every passing combination not chosen yet; also learns
    // which numbers any passing combination holds.  None when stopped or
    // when every passing combination is chosen.
    // The least-used passing combination not chosen yet among those whose
    // first number lies in [firstFrom, firstTo], with the numbers any of
    // them holds.
    struct Best {
        std::optional<std::pair<int, std::uint64_t>> key;  // load, tie key
        NumberMask mask = 0, allowed = 0;
        bool completed = true;
    };
    Best LeastUsedPart(int firstFrom, int firstTo) const {
        const ActiveFilters active(conditions_);
        std::array<std::uint64_t, kFilterKindCount> unused{};
        Best best;
        auto leaf = [&](const Measures& m) {
            if (!active.Check(m, conditions_, context_, unused) ||
                active.Won(m, conditions_, context_)) {
                return true;
            }
            best.allowed |= m.mask;
            const int load = Load(uses_, m.mask);
            if (best.key && load > best.key->first) return true;
            const std::pair<int, std::uint64_t> key{load, TieKey(m.mask, salt_)};
            if ((!best.key || key < *best.key) && !chosen_.count(m.mask)) {
                best.key = key;
                best.mask = m.mask;
            }
            return true;
        };
        best.completed = Walk(firstFrom, firstTo, highest_, leaf, stop_);
        return best;
    }

    // One pass over every passing combination, on two threads; also learns
    // which numbers any passing combination holds.  None when stopped or
    // when every passing combination is chosen.
    std::optional<NumberMask> LeastUsedOfAll() {
        const int lastFirst = highest_ - kComboSize + 1;
        const int split = std::min(SplitFirstNumber(highest_), lastFirst);
        std::array<Best, 2> parts;
        ParallelFor(2, [&](int part) {
            parts[part] = part == 0 ? LeastUsedPart(1, split) : LeastUsedPart(split + 1, lastFirst);
        });
        const Best& first = parts[0];
        const Best& second = parts[1];
        allowed_ = first.allowed | second.allowed;
        if (!first.completed || !second.completed) return std::nullopt;
        if (second.key && (!first.key || *second.key < *first.key)) return second.mask;
        if (!first.key) return std::nullopt;
        return first.mask;
    }

    std::optional<NumberMask> LeastUsedOf(const std::vector<Combination>& pool,
                                          std::vector<bool>& taken) {
        std::optional<std::size_t> best;
        int bestLoad = 0;
        for (std::size_t i = 0; i < pool.size(); ++i) {
            if (taken[i] || chosen_.count(MaskOf(pool[i]))) continue;
            const int load = Load(uses_, MaskOf(pool[i]));
            if (!best || load < bestLoad) {
                best = i;
                bestLoad = load;
            }
        }
        if (!best) return std::nullopt;
        taken[*best] = true;
        return MaskOf(pool[*best]);
    }

    const FilterConditions& conditions_;
    const FilterContext& context_;
    int highest_;
    const StopAsked& stop_;
    std::uint64_t salt_;
    std::array<int, 64> uses_{};
    NumberMask used_ = 0, allowed_ = 0;
    std::unordered_set<NumberMask> chosen_;
};

}  // namespace

CombinationCounts CountCombinations(const FilterConditions& conditions,
                                    const FilterContext& context, int threads, int highest,
                                    const StopAsked& stop) {
    const int lastFirst = highest - kComboSize + 1;
    CombinationCounts counts;
    if (threads >= 2 && lastFirst > 1) {
        const int split = SplitFirstNumber(highest);
        std::array<CombinationCounts, 2> parts;
        ParallelFor(
            2,
            [&](int part) {
                parts[part] = part == 0
                                  ? CountPart(conditions, context, 1, split - 1, highest, stop)
                                  : CountPart(conditions, context, split, lastFirst, highest, stop);
            },
            {}, threads);
        counts = parts[0];
        const CombinationCounts& second = parts[1];
        counts.total += second.total;
        counts.passing += second.passing;
        for (int k = 0; k < kFilterKindCount; ++k) counts.alone[k] += second.alone[k];
        counts.completed = counts.completed && second.completed;
    } else {
        counts = CountPart(conditions, context, 1, lastFirst, highest, stop);
    }
    // Filters that are off keep everything; the already-won filter alone
    // removes exactly the won combinations of the space.
    for (const FilterInfo& info : FilterCatalog()) {
        if (!conditions.IsOn(info.kind)) counts.alone[static_cast<int>(info.kind)] = counts.total;
    }
    if (conditions.notWon) {
        counts.alone[static_cast<int>(FilterKind::NotWon)] =
            counts.total - WonInSpace(context, highest);
    }
    return counts;
}

std::vector<Combination> PassingAtRanks(const FilterConditions& conditions,
                                        const FilterContext& context,
                                        const std::vector<std::uint64_t>& ascendingRanks,
                                        int highest, const StopAsked& stop) {
    std::vector<Combination> found;
    if (ascendingRanks.empty()) return found;
    found.reserve(ascendingRanks.size());
    const ActiveFilters active(conditions);
    std::array<std::uint64_t, kFilterKindCount> unused{};
    std::uint64_t rank = 0;
    std::size_t next = 0;
    auto leaf = [&](const Measures& m) {
        if (!active.Check(m, conditions, context, unused) || active.Won(m, conditions, context))
            return true;
        while (next < ascendingRanks.size() && ascendingRanks[next] == rank) {
            found.push_back(CombinationOf(m.mask));
            ++next;
        }
        ++rank;
        return next < ascendingRanks.size();
    };
    if (!Walk(1, highest - kComboSize + 1, highest, leaf, stop)) return {};
    return found;
}

std::vector<Combination> GenerateTickets(const FilterConditions& conditions,
                                         const FilterContext& context, std::uint64_t passing,
                                         const TicketRequest& request, int highest,
                                         const StopAsked& stop) {
    const std::uint64_t count =
        std::min<std::uint64_t>(passing, std::clamp(request.count, 0, kMaxTickets));
    if (count == 0) return {};
    std::mt19937_64 random(request.seed);
    if (request.method == TicketMethod::Random) {
        return FetchInOrder(conditions, context, DrawRanks(random, passing, count), highest, stop);
    }
    const std::uint64_t poolSize =
        std::min<std::uint64_t>(passing, std::clamp<std::uint64_t>(20 * count, 2000, 20000));
    std::vector<Combination> pool =
        FetchInOrder(conditions, context, DrawRanks(random, passing, poolSize), highest, stop);
    if (pool.empty()) return {};
    return Spreader(conditions, context, highest, stop, random())
        .Spread(pool, static_cast<int>(count));
}
