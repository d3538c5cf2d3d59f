#include "wheel/WheelVerify.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <optional>

#include "core/PopcountClones.h"

namespace {

// Calls visit(case mask) for every set of `size` numbers of `free` joined
// with `fixed`, in colex order of the free part; stops when visit says so.
void ForEachCase(NumberMask free, NumberMask fixed, int size,
                 const std::function<bool(NumberMask)>& visit) {
    const std::vector<int> numbers = NumbersOf(free);
    const int n = static_cast<int>(numbers.size());
    if (size < 0 || size > n) return;
    if (size == 0) {
        visit(fixed);
        return;
    }
    const std::uint64_t end = std::uint64_t{1} << n;
    for (std::uint64_t set = (std::uint64_t{1} << size) - 1; set < end; set = NextSameSize(set)) {
        NumberMask c = fixed;
        for (std::uint64_t rest = set; rest; rest &= rest - 1) {
            c |= NumberMask{1} << numbers[std::countr_zero(rest)];
        }
        if (!visit(c)) return;
    }
}

// The largest match of a case with any ticket, scanning from the ticket that
// answered last (neighbouring cases in colex order tend to share it) and
// stopping as soon as `enough` is reached.
class MatchFinder {
  public:
    explicit MatchFinder(const std::vector<NumberMask>& tickets) : tickets_(tickets) {}

    LOTO7_POPCOUNT_CLONES int Best(NumberMask c, int enough) {
        int best = 0;
        const std::size_t count = tickets_.size();
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t at = (last_ + i) % count;
            const int match = std::popcount(tickets_[at] & c);
            if (match > best) {
                best = match;
                if (best >= enough) {
                    last_ = at;
                    break;
                }
            }
        }
        return best;
    }

  private:
    const std::vector<NumberMask>& tickets_;
    std::size_t last_ = 0;
};

}  // namespace

std::uint64_t GuaranteeCaseCount(const WheelRequest& request) {
    const NumberMask keys = MaskOf(request.keys);
    const int free = std::popcount(MaskOf(request.numbers) & ~keys);
    return Choose(free, request.m - std::popcount(keys));
}

bool VerificationFits(std::uint64_t cases, std::size_t tickets) {
    return tickets == 0 || cases <= kMaxVerifyChecks / tickets;
}

namespace {

// The chosen numbers' positions 0 … v − 1: a set of numbers becomes a set of
// positions, which the colex ranks below count in.
class Positions {
  public:
    explicit Positions(NumberMask chosen) {
        int at = 0;
        for (NumberMask rest = chosen; rest; rest &= rest - 1) {
            position_[std::countr_zero(rest)] = at++;
        }
    }
    std::uint64_t Of(NumberMask numbers) const {
        std::uint64_t set = 0;
        for (; numbers; numbers &= numbers - 1) {
            set |= std::uint64_t{1} << position_[std::countr_zero(numbers)];
        }
        return set;
    }

  private:
    std::array<int, 64> position_{};
};

// Calls visit(subset) for every subset of `size` of a set of positions.
template <typename F>
void ForEachSubset(std::uint64_t set, int size, F&& visit) {
    int points[64];
    int n = 0;
    for (; set; set &= set - 1) points[n++] = std::countr_zero(set);
    if (size > n) return;
    const std::uint64_t end = std::uint64_t{1} << n;
    for (std::uint64_t c = (std::uint64_t{1} << size) - 1; c < end; c = NextSameSize(c)) {
        std::uint64_t subset = 0;
        for (std::uint64_t rest = c; rest; rest &= rest - 1) {
            subset |= std::uint64_t{1} << points[std::countr_zero(rest)];
        }
        if (!visit(subset)) return;
    }
}

GuaranteeCheck Failed(GuaranteeCheck check, NumberMask c) {
    check.holds = false;
    check.missedCase = NumbersOf(c);
    return check;
}

// Every case against every ticket, counting shared numbers.
GuaranteeCheck CheckByScan(const std::vector<NumberMask>& tickets, const WheelRequest& request,
                           GuaranteeCheck check) {
    const NumberMask keys = MaskOf(request.keys);
    const NumberMask free = MaskOf(request.numbers) & ~keys;
    MatchFinder finder(tickets);
    std::optional<NumberMask> missed;
    ForEachCase(free, keys, request.m - std::popcount(keys), [&](NumberMask c) {
        if (finder.Best(c, request.t) >= request.t) return true;
        missed = c;
        return false;
    });
    return missed ? Failed(check, *missed) : check;
}

// A case holds a ticket's t numbers exactly when one of its t-subsets lies
// in a ticket: every t-subset of every ticket (within the chosen numbers) is
// marked by its rank, and each case looks its own t-subsets up.
GuaranteeCheck CheckBySubsets(const std::vector<NumberMask>& tickets, const WheelRequest& request,
                              GuaranteeCheck check) {
    const NumberMask chosen = MaskOf(request.numbers);
    const NumberMask keys = MaskOf(request.keys);
    const Positions positions(chosen);
    std::vector<bool> held(Choose(std::popcount(chosen), request.t));
    for (NumberMask ticket : tickets) {
        ForEachSubset(positions.Of(ticket & chosen), request.t, [&](std::uint64_t s) {
            held[ColexRank(s)] = true;
            return true;
        });
    }
    std::optional<NumberMask> missed;
    ForEachCase(chosen & ~keys, keys, request.m - std::popcount(keys), [&](NumberMask c) {
        bool covered = false;
        ForEachSubset(positions.Of(c), request.t, [&](std::uint64_t s) {
            covered = held[ColexRank(s)];
            return !covered;
        });
        if (!covered) missed = c;
        return covered;
    });
    return missed ? Failed(check, *missed) : check;
}

}  // namespace

GuaranteeCheck CheckGuarantee(const std::vector<NumberMask>& tickets, const WheelRequest& request,
                              GuaranteeMethod method) {
    GuaranteeCheck check;
    check.holds = true;
    check.cases = GuaranteeCaseCount(request);
    if (method == GuaranteeMethod::kFastest) {
        // Looking a case's t-subsets up costs about as much as scanning a
        // handful of tickets.
        const bool few = tickets.size() <= 8 * Choose(request.m, request.t);
        method = few ? GuaranteeMethod::kScan : GuaranteeMethod::kSubsets;
    }
    return method == GuaranteeMethod::kScan ? CheckByScan(tickets, request, check)
                                            : CheckBySubsets(tickets, request, check);
}

std::vector<GuaranteeLine> GuaranteeTable(const std::vector<NumberMask>& tickets, NumberMask chosen,
                                          NumberMask keys) {
    std::vector<GuaranteeLine> table;
    keys &= chosen;
    const int k = std::popcount(keys);
    const NumberMask free = chosen & ~keys;
    const int last = std::min(kWheelTicketSize, std::popcount(chosen));
    for (int m = std::max(1, k); m <= last; ++m) {
        const std::uint64_t cases = Choose(std::popcount(free), m - k);
        if (!tickets.empty() && cases > kMaxTableChecks / tickets.size()) continue;
        // The guarantee is the largest t that holds; the worst case is the
        // first case the check of t + 1 misses (one matching exactly t), or
        // the first case of all when every case is matched in full.
        GuaranteeLine line{m, 0, {}};
        const WheelRequest request{NumbersOf(chosen), NumbersOf(keys), 0, m};
        std::vector<int> missed;
        for (int t = m; t >= 1 && line.guaranteed == 0; --t) {
            GuaranteeCheck check = CheckGuarantee(tickets, {request.numbers, request.keys, t, m});
            if (check.holds) {
                line.guaranteed = t;
            } else {
                missed = std::move(check.missedCase);
            }
        }
        if (line.guaranteed == m) {
            ForEachCase(free, keys, m - k, [&](NumberMask c) {
                missed = NumbersOf(c);
                return false;
            });
        }
        line.worstCase = std::move(missed);
        table.push_back(std::move(line));
    }
    return table;
}
