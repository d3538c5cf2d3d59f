#include "backtest/Backtest.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/FigureText.h"
#include "lotto/LotoChance.h"
#include "prediction/Elimination.h"
#include "prediction/LoadDrawMatrix.h"
#include "prediction/PredictionGrids.h"
#include "prediction/ReflectionShift.h"
#include "prediction/UniqueWindowPrediction.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kProgressEvery = 8;

// Numbers per grid row and number rows per grid, as the window lays them out.
constexpr int kRowNumbers = kPredictionGridColumns - kFirstNumberColumn + 1;
constexpr int NumberRows(int grid) { return kPredictionGrids[grid].rows - (kFirstNumberRow - 1); }

bool Held(const DrawMatrix& matrix, int drawNumber) { return matrix.At(drawNumber, 1) != 0; }

bool Replayable(const DrawRecord& draw) {
    return draw.IsComplete() && DrawMatrix::CanHold(draw.drawNumber);
}

// Cuts numbers into rows of seven, the last one possibly shorter.
void AddRows(std::vector<Ticket>& rows, const std::vector<int>& numbers) {
    for (std::size_t i = 0; i < numbers.size(); i += kRowNumbers) {
        const std::size_t end = std::min(numbers.size(), i + kRowNumbers);
        rows.emplace_back(numbers.begin() + static_cast<std::ptrdiff_t>(i),
                          numbers.begin() + static_cast<std::ptrdiff_t>(end));
    }
}

// Chance figures per number of picks 0 … 7, computed once.
struct ChanceTable {
    std::array<std::array<double, kTicketSize + 1>, kTicketSize + 1> matchShare{};
    std::array<double, kTicketSize + 1> mean{};
    std::array<double, kPrizeTierCount + 1> tier{};
    ChanceTable() {
        for (int k = 0; k <= kTicketSize; ++k) {
            mean[k] = static_cast<double>(ExpectedMainMatches(k));
            for (int m = 0; m <= k; ++m) {
                matchShare[k][m] = static_cast<double>(MainMatchProbability(k, m));
            }
        }
        for (int t = 1; t <= kPrizeTierCount; ++t)
            tier[t] = static_cast<double>(TierProbability(t));
    }
};

const ChanceTable& Chance() {
    static const ChanceTable table;
    return table;
}

// Scores the rows one method showed for one draw; returns how many rows
// hold each number.
std::array<int, kHighestNumber + 1> ScoreMethod(const std::vector<Ticket>& rows,
                                                const DrawRecord& draw, MethodScore& s,
                                                DrawMatchLaws& laws) {
    const ChanceTable& chance = Chance();
    std::array<int, kHighestNumber + 1> rowsHolding{};
    long long count = 0;
    for (const Ticket& row : rows) {
        const std::uint64_t set = NumberSet(row);
        const int picks = std::popcount(set);
        if (picks == 0) continue;  // no lottery number: not a ticket
        const TicketScore score = ScoreTicket(row, draw);
        ++s.tickets;
        s.mainMatches += score.mainMatches;
        ++s.matchCounts[score.mainMatches];
        s.expectedMainMatches += chance.mean[picks];
        for (int m = 0; m <= picks; ++m) s.expectedMatchCounts[m] += chance.matchShare[picks][m];
        if (picks == kTicketSize) {
            ++s.fullTickets;
            ++s.tierCounts[score.tier];
            for (int t = 1; t <= kPrizeTierCount; ++t) s.expectedTierCounts[t] += chance.tier[t];
        }
        for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
            if ((set >> n) & 1u) ++rowsHolding[n];
        }
        count += picks;
    }
    long long squares = 0;
    for (int c : rowsHolding) squares += static_cast<long long>(c) * c;
    s.mainMatchVariance += static_cast<double>(MainMatchTotalVariance(count, squares));
    if (count > 0) ++s.drawLaws[laws.LawOf(rowsHolding)];
    return rowsHolding;
}

// Packs the rows holding each number of every method, one byte a method.
void AddHolding(int method, const std::array<int, kHighestNumber + 1>& holding,
                std::array<std::uint64_t, kHighestNumber + 1>& packed) {
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        packed[n] |= static_cast<std::uint64_t>(std::min(holding[n], 255)) << (8 * method);
    }
}

std::optional<int> WholeNumber(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [last, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || last != end) return std::nullopt;
    return value;
}

}  // namespace

std::string_view BacktestMethodName(int method) {
    static const std::array<std::string_view, kBacktestMethodCount> names = [] {
        std::array<std::string_view, kBacktestMethodCount> n{};
        for (int c = 0; c < CycleTable::kCycles; ++c) {
            std::string_view label = kCycleRowLabels[c];
            label.remove_prefix(std::min(label.find_first_not_of(' '), label.size()));
            n[c] = label;
        }
        n[kEliminationMethod] = kEliminationRowLabel;
        n[kRapidFireMethod] = kRapidFireRowLabel;
        n[kOneShotMethod] = kOneShotRowLabel;
        return n;
    }();
    return names.at(method);
}

bool MethodsCanPredict(const DrawMatrix& matrix, int latest, int shift) {
    for (const EliminationRule& rule : kEliminationRules) {
        if (!Held(matrix, latest - rule.back - shift)) return false;
    }
    for (int k = 0; k < kWindowDraws; ++k) {
        if (!Held(matrix, WindowDrawNumber(latest, shift, k))) return false;
    }
    return Held(matrix, latest - CycleTable::kCycleGaps.back());
}

std::optional<BacktestRange> DefaultBacktestRange(const DrawStore& draws,
                                                  const ReflectOptions& options) {
    const int shift = ComputeReflectionShift(options);
    DrawMatrix matrix;
    int latest = 0;
    int from = 0;
    for (const DrawRecord& draw : draws.Rows()) {
        if (!Replayable(draw)) continue;
        if (from == 0 && latest > 0 && MethodsCanPredict(matrix, latest, shift)) {
            from = draw.drawNumber;
        }
        matrix.Store(draw);
        latest = draw.drawNumber;
    }
    if (from == 0) return std::nullopt;
    return BacktestRange{from, latest};
}

std::optional<BacktestRange> ChooseBacktestRange(const BacktestRange& whole,
                                                 const std::optional<std::string>& fromText,
                                                 const std::optional<std::string>& toText,
                                                 std::string& problem) {
    BacktestRange chosen = whole;
    const std::string span =
        std::to_string(whole.from) + "～" + std::to_string(whole.to) + "の回数";
    const struct {
        const char* option;
        const std::optional<std::string>& text;
        int& value;
    } ends[] = {{"--from", fromText, chosen.from}, {"--to", toText, chosen.to}};
    for (const auto& end : ends) {
        if (!end.text) continue;
        const std::optional<int> value = WholeNumber(*end.text);
        if (!value) {
            problem = std::string(end.option) + " には回数を整数で指定してください。";
            return std::nullopt;
        }
        if (*value < whole.from || *value > whole.to) {
            problem = std::string(end.option) + " には" + span +
                      "を指定してください（すべての手法が予想できる最初の回から最新の回まで）。";
            return std::nullopt;
        }
        end.value = *value;
    }
    if (chosen.from > chosen.to) {
        problem = "--from の回数が --to の回数より後になっています。";
        return std::nullopt;
    }
    return chosen;
}

PredictionTickets ComputePredictionTickets(const DrawMatrix& matrix, const CycleTable& cycles,
                                           int latest, int shift) {
    PredictionTickets tickets;
    for (int c = 0; c < CycleTable::kCycles; ++c) AddRows(tickets[c], CycleRowNumbers(cycles, c));
    CandidateList candidates;
    AddRows(tickets[kEliminationMethod], EliminationNumbers(matrix, latest, shift, candidates));
    AddRows(tickets[kRapidFireMethod],
            UniqueWindowNumbers(matrix, latest, shift, NumberRows(kRapidFireGrid) * kRowNumbers));
    AddRows(tickets[kOneShotMethod],
            UniqueWindowNumbers(matrix, latest, shift, NumberRows(kOneShotGrid) * kRowNumbers));
    return tickets;
}

bool ReplayPredictions(const DrawStore& draws, int shift, const BacktestRange& range,
                       const ReplayVisitor& visit) {
    DrawMatrix matrix;
    CycleTable cycles;
    int latest = 0;
    for (const DrawRecord& draw : draws.Rows()) {
        if (!Replayable(draw)) continue;
        if (draw.drawNumber > range.to) break;
        if (draw.drawNumber >= range.from &&
            !visit(draw, ComputePredictionTickets(matrix, cycles, latest, shift))) {
            return false;
        }
        LoadDraw(draw, matrix, cycles);
        latest = draw.drawNumber;
    }
    return true;
}

double MethodScore::MeanMatches() const {
    return tickets > 0 ? static_cast<double>(mainMatches) / tickets : kNaN;
}

double MethodScore::ExpectedMeanMatches() const {
    return tickets > 0 ? expectedMainMatches / tickets : kNaN;
}

double MethodScore::ExpectedMatchShare(int matches) const {
    return tickets > 0 ? expectedMatchCounts.at(matches) / tickets : kNaN;
}

double MethodScore::ZValue() const {
    if (tickets == 0 || !(mainMatchVariance > 0)) return kNaN;
    return (mainMatches - expectedMainMatches) / std::sqrt(mainMatchVariance);
}

double MethodScore::PValue() const {
    const double z = ZValue();
    return std::isnan(z) ? kNaN : TwoSidedPValue(z);
}

double MethodScore::ExactPValue() const {
    if (tickets == 0 || mainMatches < 0) return kNaN;
    // A total beyond the law's last kept probability is rarer than any kept.
    if (mainMatches >= static_cast<long long>(totalLaw.size())) return 0;
    return TwoSidedExactPValues(totalLaw)[static_cast<std::size_t>(mainMatches)];
}

bool MethodScore::TooFewDraws() const {
    return tickets > 0 && SmallestExactPValue(totalLaw) >= kSignificanceLevel;
}

double MethodScore::VerdictPValue() const {
    return std::isnan(familyPValue) ? ExactPValue() : familyPValue;
}

std::string BacktestVerdict(const MethodScore& score) {
    const double p = score.VerdictPValue();
    if (std::isnan(p)) return "検証できる予想がありませんでした。";
    if (score.TooFewDraws()) {
        return "検証した回数が少なすぎて判定できません（どんな結果でも5%水準で有意になり"
               "ません）。";
    }
    const std::string shown = std::isnan(score.familyPValue)
                                  ? "（" + PValueText(p, kSignificanceLevel) + "）。"
                                  : "（7手法で補正した" + PValueText(p, kSignificanceLevel) +
                                        SimulationErrorText(score.familyPError) + "、補正前の" +
                                        PValueText(score.ExactPValue(), kSignificanceLevel) +
                                        "）。";
    if (p >= kSignificanceLevel) return "偶然と比べて統計的に有意な差はありません" + shown;
    if (score.mainMatches > score.expectedMainMatches) {
        return "偶然より平均一致数が多く、5%水準で有意です" + shown +
               "ただし過去の結果は将来の当選を保証しません。";
    }
    return "偶然より平均一致数が少なく、5%水準で有意です" + shown +
           "抽せんは毎回独立しているので、この手法の数字を避けても当たりやすくはなりません。";
}

std::string BacktestSummary(const BacktestResult& result) {
    std::string more, fewer;
    int differing = 0;
    for (int m = 0; m < kBacktestMethodCount; ++m) {
        const MethodScore& s = result.methods[m];
        const double p = s.VerdictPValue();
        if (std::isnan(p) || s.TooFewDraws() || p >= kSignificanceLevel) continue;
        ++differing;
        std::string& list = s.mainMatches > s.expectedMainMatches ? more : fewer;
        list += (list.empty() ? "" : "、") + std::string(BacktestMethodName(m)) + "（" +
                PValueText(p, kSignificanceLevel) + "）";
    }
    if (more.empty() && fewer.empty()) {
        return "7つの方法のいずれも、偶然と区別できません。";
    }
    std::string text = "7つの方法のうち、";
    if (!more.empty()) text += more + "は偶然より平均一致数が多く";
    if (!more.empty() && !fewer.empty()) text += "、";
    if (!fewer.empty()) text += fewer + "は偶然より平均一致数が少なく";
    text += "、5%水準で偶然と区別できます。";
    return differing < kBacktestMethodCount ? text + "ほかの方法は偶然と区別できません。" : text;
}

BacktestResult ReplayBacktest(const DrawStore& draws, const ReflectOptions& options,
                              const BacktestRange& range, const BacktestProgress& progress) {
    BacktestResult result;
    result.range = range;
    result.shift = ComputeReflectionShift(options);
    int total = 0;
    for (const DrawRecord& draw : draws.Rows()) {
        if (Replayable(draw) && draw.drawNumber >= range.from && draw.drawNumber <= range.to) {
            ++total;
        }
    }
    if (progress && !progress(0, total)) {
        result.completed = false;
        return result;
    }
    DrawMatchLaws laws;
    result.completed = ReplayPredictions(
        draws, result.shift, range, [&](const DrawRecord& draw, const PredictionTickets& tickets) {
            std::array<std::uint64_t, kHighestNumber + 1> holding{};
            for (int m = 0; m < kBacktestMethodCount; ++m) {
                AddHolding(m, ScoreMethod(tickets[m], draw, result.methods[m], laws), holding);
            }
            result.drawHolding.push_back(holding);
            ++result.draws;
            const bool report = result.draws % kProgressEvery == 0 || result.draws == total;
            return !progress || !report || progress(result.draws, total);
        });
    return result;
}

void SumTotalLaws(BacktestResult& result) {
    for (MethodScore& score : result.methods) score.totalLaw = SumOfLaws(score.drawLaws);
}

BacktestResult RunBacktest(const DrawStore& draws, const ReflectOptions& options,
                           const BacktestRange& range, const BacktestProgress& progress) {
    BacktestResult result = ReplayBacktest(draws, options, range, progress);
    SumTotalLaws(result);
    return result;
}
