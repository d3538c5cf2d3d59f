#include "wheel/WheelVerify.h"

#include <algorithm>
#include <bit>
#include <functional>

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

    int Best(NumberMask c, int enough) {
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

GuaranteeCheck CheckGuarantee(const std::vector<NumberMask>& tickets, const WheelRequest& request) {
    const NumberMask keys = MaskOf(request.keys);
    const NumberMask free = MaskOf(request.numbers) & ~keys;
    GuaranteeCheck check;
    check.holds = true;
    check.cases = GuaranteeCaseCount(request);
    MatchFinder finder(tickets);
    ForEachCase(free, keys, request.m - std::popcount(keys), [&](NumberMask c) {
        if (finder.Best(c, request.t) >= request.t) return true;
        check.holds = false;
        check.missedCase = NumbersOf(c);
        return false;
    });
    return check;
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
        GuaranteeLine line{m, m, {}};
        MatchFinder finder(tickets);
        ForEachCase(free, keys, m - k, [&](NumberMask c) {
            const int best = finder.Best(c, line.guaranteed);
            if (best < line.guaranteed || line.worstCase.empty()) {
                line.guaranteed = std::min(line.guaranteed, best);
                line.worstCase = NumbersOf(c);
            }
            return line.guaranteed > 0;
        });
        table.push_back(line);
    }
    return table;
}
