#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "wheel/WheelDesign.h"

// Coverage bookkeeping of the wheel search over points 0 … n − 1: blocks
// and cases are bit sets of points, cases are numbered by colex rank.
class WheelCover {
  public:
    explicit WheelCover(const WheelProblem& problem);

    int Points() const { return points_; }
    int BlockSize() const { return blockSize_; }
    std::uint64_t CaseCount() const { return counts_.size(); }
    std::size_t UncoveredCount() const { return uncovered_.size(); }
    const std::vector<std::uint64_t>& Blocks() const { return blocks_; }

    // The cases a block covers, as ranks (into out, replaced).
    void CasesOf(std::uint64_t block, std::vector<std::uint32_t>& out) const;
    // The blocks (as sets) that cover a case.
    void BlocksCovering(std::uint64_t theCase, std::vector<std::uint64_t>& out) const;
    // Cases one block covers.
    std::uint64_t CasesPerBlock() const;
    std::uint64_t CaseSet(std::uint32_t rank) const {  // colex unrank
        return rank < caseSets_.size() ? caseSets_[rank] : Unrank(rank);
    }
    std::uint32_t RandomUncovered(std::mt19937_64& random) const {
        return uncovered_[std::uniform_int_distribution<std::size_t>(
            0, uncovered_.size() - 1)(random)];
    }
    std::uint32_t AnUncovered() const { return uncovered_.back(); }
    bool IsCovered(std::uint32_t rank) const { return counts_[rank] > 0; }

    void AddBlock(std::uint64_t block);
    void RemoveBlock(std::size_t index);
    // Uncovered cases after swapping point `out` of block `index` for point
    // `in` (not in the block), less now.  Only the cases the swap changes are
    // looked at: those holding `out` or `in` and sharing exactly `need`
    // points with the block before or after it.
    long SwapDelta(std::size_t index, int out, int in);
    // Makes that swap (reusing the cases SwapDelta found for the same swap).
    void Swap(std::size_t index, int out, int in);
    // Cases only block `index` covers.
    std::size_t OnlyCoveredBy(std::size_t index);

  private:
    void Count(const std::vector<std::uint32_t>& cases, int step);
    std::uint64_t Unrank(std::uint32_t rank) const;
    // The colex rank of a case: below 2^32, as cases are at most C(37, 7).
    static std::uint32_t Rank(std::uint64_t set) {
        return static_cast<std::uint32_t>(ColexRank(set));
    }
    std::uint64_t AllPoints() const { return (std::uint64_t{1} << points_) - 1; }

    int points_ = 0;
    int blockSize_ = 0;
    int caseSize_ = 0;
    int need_ = 0;
    std::vector<std::uint64_t> caseSets_;  // every case by rank, when few enough
    std::vector<std::uint32_t> counts_;
    std::vector<std::uint32_t> uncovered_;
    std::vector<std::int32_t> slot_;  // place in uncovered_, or −1
    std::vector<std::uint64_t> blocks_;
    std::vector<std::uint32_t> scratchOld_, scratchNew_;
    // The cases a swap uncovers (if no other block covers them) and covers;
    // for the swap SwapDelta last looked at.
    void FindSwapCases(std::uint64_t block, int out, int in);
    std::size_t swapIndex_ = SIZE_MAX;
    std::uint64_t swapBlock_ = 0;
    int swapOut_ = -1, swapIn_ = -1;
};

// Calls visit(set) for every subset of `size` of the points in `from`.
void ForEachSubsetOf(std::uint64_t from, int size, const std::function<void(std::uint64_t)>& visit);
