#include "wheel/WheelCover.h"

#include <algorithm>
#include <bit>

namespace {

// Cases are kept as sets, by rank, up to this many (32 MiB).
constexpr std::uint64_t kCaseSetsKept = std::uint64_t{1} << 22;

void Subsets(const std::vector<int>& at, std::size_t start, int left, std::uint64_t acc,
             const std::function<void(std::uint64_t)>& visit) {
    if (left == 0) {
        visit(acc);
        return;
    }
    for (std::size_t i = start; i + left <= at.size(); ++i) {
        Subsets(at, i + 1, left - 1, acc | (std::uint64_t{1} << at[i]), visit);
    }
}

}  // namespace

void ForEachSubsetOf(std::uint64_t from, int size,
                     const std::function<void(std::uint64_t)>& visit) {
    std::vector<int> at;
    for (std::uint64_t rest = from; rest; rest &= rest - 1) at.push_back(std::countr_zero(rest));
    if (size < 0 || size > static_cast<int>(at.size())) return;
    Subsets(at, 0, size, 0, visit);
}

WheelCover::WheelCover(const WheelProblem& p)
    : points_(p.PointCount()), blockSize_(p.blockSize), caseSize_(p.caseSize), need_(p.need) {
    const std::uint64_t cases = Choose(points_, caseSize_);
    if (cases <= kCaseSetsKept && caseSize_ > 0) {
        caseSets_.reserve(cases);
        const std::uint64_t end = std::uint64_t{1} << points_;
        for (std::uint64_t c = AllPoints() >> (points_ - caseSize_); c < end; c = NextSameSize(c)) {
            caseSets_.push_back(c);
        }
    }
    counts_.assign(cases, 0);
    uncovered_.resize(cases);
    slot_.resize(cases);
    for (std::uint32_t c = 0; c < cases; ++c) {
        uncovered_[c] = c;
        slot_[c] = static_cast<std::int32_t>(c);
    }
}

std::uint64_t WheelCover::CasesPerBlock() const {
    std::uint64_t per = 0;
    for (int i = need_; i <= std::min(blockSize_, caseSize_); ++i) {
        per += Choose(blockSize_, i) * Choose(points_ - blockSize_, caseSize_ - i);
    }
    return per;
}

namespace {

// The points of a set, lowest first; returns how many.
int PointsOf(std::uint64_t set, int* at) {
    int count = 0;
    for (; set; set &= set - 1) at[count++] = std::countr_zero(set);
    return count;
}

// The set of points at the positions a compact set names.
std::uint64_t Expand(std::uint64_t compact, const int* at) {
    std::uint64_t set = 0;
    for (; compact; compact &= compact - 1)
        set |= std::uint64_t{1} << at[std::countr_zero(compact)];
    return set;
}

// Calls visit(set) for every subset of `size` of the `count` points at `at`,
// without allocating.
template <typename F>
void ForEachChoice(const int* at, int count, int size, F&& visit) {
    if (size < 0 || size > count) return;
    if (size == 0) {
        visit(std::uint64_t{0});
        return;
    }
    const std::uint64_t end = std::uint64_t{1} << count;
    for (std::uint64_t c = (std::uint64_t{1} << size) - 1; c < end; c = NextSameSize(c)) {
        visit(Expand(c, at));
    }
}

}  // namespace

void WheelCover::CasesOf(std::uint64_t block, std::vector<std::uint32_t>& out) const {
    out.clear();
    int inside[64], outside[64];
    const int in = PointsOf(block, inside);
    const int out2 = PointsOf(AllPoints() & ~block, outside);
    for (int i = need_; i <= std::min(blockSize_, caseSize_); ++i) {
        ForEachChoice(inside, in, i, [&](std::uint64_t a) {
            ForEachChoice(outside, out2, caseSize_ - i,
                          [&](std::uint64_t b) { out.push_back(Rank(a | b)); });
        });
    }
}

void WheelCover::BlocksCovering(std::uint64_t theCase, std::vector<std::uint64_t>& out) const {
    out.clear();
    const std::uint64_t all = AllPoints();
    for (int i = need_; i <= std::min(blockSize_, caseSize_); ++i) {
        ForEachSubsetOf(theCase, i, [&](std::uint64_t inside) {
            ForEachSubsetOf(all & ~theCase, blockSize_ - i,
                            [&](std::uint64_t outside) { out.push_back(inside | outside); });
        });
    }
}

std::uint64_t WheelCover::Unrank(std::uint32_t rank) const {
    std::uint64_t set = 0;
    std::uint64_t r = rank;
    int top = points_;
    for (int i = caseSize_; i >= 1; --i) {
        int p = i - 1;
        while (p + 1 < top && Choose(p + 1, i) <= r) ++p;
        set |= std::uint64_t{1} << p;
        r -= Choose(p, i);
        top = p;
    }
    return set;
}

void WheelCover::Count(const std::vector<std::uint32_t>& cases, int step) {
    for (std::uint32_t c : cases) {
        if (step > 0) {
            if (counts_[c]++ == 0) {
                const std::int32_t at = slot_[c];
                const std::uint32_t last = uncovered_.back();
                uncovered_[at] = last;
                slot_[last] = at;
                uncovered_.pop_back();
                slot_[c] = -1;
            }
        } else if (--counts_[c] == 0) {
            slot_[c] = static_cast<std::int32_t>(uncovered_.size());
            uncovered_.push_back(c);
        }
    }
}

void WheelCover::AddBlock(std::uint64_t block) {
    swapIndex_ = SIZE_MAX;
    CasesOf(block, scratchNew_);
    Count(scratchNew_, +1);
    blocks_.push_back(block);
}

void WheelCover::RemoveBlock(std::size_t index) {
    swapIndex_ = SIZE_MAX;
    CasesOf(blocks_[index], scratchOld_);
    Count(scratchOld_, -1);
    blocks_[index] = blocks_.back();
    blocks_.pop_back();
}

// A case changes with the swap only if it shares `need` points with the
// block after removing `out` and adding `in` in one of the two roles: it is
// S ∪ R ∪ {out} (lost) or S ∪ R ∪ {in} (gained), S being need − 1 points of
// the block other than `out` and R the rest of the case, outside the block
// and not `in`.
void WheelCover::FindSwapCases(std::uint64_t block, int out, int in) {
    scratchOld_.clear();
    scratchNew_.clear();
    const std::uint64_t outBit = std::uint64_t{1} << out, inBit = std::uint64_t{1} << in;
    int kept[64], outside[64];
    const int keptCount = PointsOf(block & ~outBit, kept);
    const int outsideCount = PointsOf(AllPoints() & ~block & ~inBit, outside);
    ForEachChoice(kept, keptCount, need_ - 1, [&](std::uint64_t s) {
        ForEachChoice(outside, outsideCount, caseSize_ - need_, [&](std::uint64_t r) {
            scratchOld_.push_back(Rank(s | r | outBit));
            scratchNew_.push_back(Rank(s | r | inBit));
        });
    });
}

long WheelCover::SwapDelta(std::size_t index, int out, int in) {
    const std::uint64_t block = blocks_[index];
    FindSwapCases(block, out, in);
    swapIndex_ = index;
    swapBlock_ = block;
    swapOut_ = out;
    swapIn_ = in;
    long delta = 0;
    for (std::uint32_t c : scratchOld_) delta += counts_[c] == 1;
    for (std::uint32_t c : scratchNew_) delta -= counts_[c] == 0;
    return delta;
}

void WheelCover::Swap(std::size_t index, int out, int in) {
    const std::uint64_t block = blocks_[index];
    if (swapIndex_ != index || swapBlock_ != block || swapOut_ != out || swapIn_ != in) {
        FindSwapCases(block, out, in);
    }
    Count(scratchNew_, +1);
    Count(scratchOld_, -1);
    blocks_[index] = (block & ~(std::uint64_t{1} << out)) | (std::uint64_t{1} << in);
    swapIndex_ = SIZE_MAX;
}

std::size_t WheelCover::OnlyCoveredBy(std::size_t index) {
    swapIndex_ = SIZE_MAX;
    CasesOf(blocks_[index], scratchOld_);
    return static_cast<std::size_t>(std::count_if(
        scratchOld_.begin(), scratchOld_.end(), [&](std::uint32_t c) { return counts_[c] == 1; }));
}
