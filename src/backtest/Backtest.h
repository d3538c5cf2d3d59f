#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backtest/MatchLaw.h"
#include "core/DrawStore.h"
#include "lotto/PrizeTier.h"
#include "prediction/CycleMethod.h"
#include "prediction/DrawMatrix.h"
#include "prediction/ReflectOptions.h"

// The back-test replays every prediction method over past draws: for each
// draw t it predicts from the draws before t exactly as the prediction window
// would have, then scores each row of numbers the window shows (a ticket)
// against draw t and compares the outcome with chance.

// One entry per kind of row: the four cycle rows, the elimination rows, the
// rapid-fire rows and the one-shot row.
inline constexpr int kBacktestMethodCount = 7;
inline constexpr int kEliminationMethod = 4;
inline constexpr int kRapidFireMethod = 5;
inline constexpr int kOneShotMethod = 6;

// The window's row label of the method, without padding: "7回周期法" …
// "12回周期法", "消去法", "連発予想", "１発予想".
std::string_view BacktestMethodName(int method);

// The draw numbers t whose draws are predicted and scored, both included.
struct BacktestRange {
    int from = 0;
    int to = 0;
    bool operator==(const BacktestRange&) const = default;
};

// True when, with `latest` the last draw held, every draw the methods read
// is held: the 21 reference draws of the elimination rules and the four of
// the rapid-fire window, moved back by `shift`, and the draw the longest
// cycle (12) looks back to.  A draw that is not held reads as zeros and
// would give a prediction from nothing.
bool MethodsCanPredict(const DrawMatrix& matrix, int latest, int shift);

// From the first complete draw whose earlier draws let every method predict
// (with the shift of these options) to the latest complete draw; nullopt
// when no draw qualifies.  Draws the matrix cannot hold are left out, as the
// prediction window leaves them out.
std::optional<BacktestRange> DefaultBacktestRange(const DrawStore& draws,
                                                  const ReflectOptions& options);

// Checks the texts given for the first and last draw (none: keep that end
// of `whole`) against the default range.  Returns the chosen range, or
// nullopt with `problem` set to a message for the user: not a whole number,
// outside `whole`, or the first after the last.
std::optional<BacktestRange> ChooseBacktestRange(const BacktestRange& whole,
                                                 const std::optional<std::string>& fromText,
                                                 const std::optional<std::string>& toText,
                                                 std::string& problem);

// One row of numbers as the window shows it (empty cells left out).
using Ticket = std::vector<int>;
// The non-empty rows of each method, top to bottom.
using PredictionTickets = std::array<std::vector<Ticket>, kBacktestMethodCount>;

// The rows the prediction window shows for tables loaded up to `latest`,
// with the reference draws moved back by `shift`.
PredictionTickets ComputePredictionTickets(const DrawMatrix& matrix, const CycleTable& cycles,
                                           int latest, int shift);

// Called for each replayed draw with that draw and what the window would
// have predicted for it; returning false ends the replay.
using ReplayVisitor = std::function<bool(const DrawRecord& draw, const PredictionTickets& tickets)>;

// Walks the snapshot once, in store order, with one draw matrix and cycle
// table.  Each complete draw the matrix can hold is, when it lies in
// `range`, first visited with the rows predicted from the tables as they
// stand (the draws before it), and then added to the tables.  Draws after
// range.to are not read.  Returns false when the visitor stopped the walk.
bool ReplayPredictions(const DrawStore& draws, int shift, const BacktestRange& range,
                       const ReplayVisitor& visit);

// The outcome of one method's tickets, with what chance gives the same
// tickets.  Sums are kept; the figures shown derive from them.
struct MethodScore {
    int tickets = 0;      // rows scored
    int fullTickets = 0;  // rows of seven numbers, the only ones that can win a tier
    long long mainMatches = 0;
    std::array<int, kTicketSize + 1> matchCounts{};     // tickets with 0 … 7 main matches
    std::array<int, kPrizeTierCount + 1> tierCounts{};  // index 1 … 6; 0 unused
    // Chance, ticket by ticket for its number of picks.
    double expectedMainMatches = 0;
    double mainMatchVariance = 0;  // of the total, draws independent, rows of a draw not
    std::array<double, kTicketSize + 1> expectedMatchCounts{};
    std::array<double, kPrizeTierCount + 1> expectedTierCounts{};

    double MeanMatches() const;          // NaN without tickets
    double ExpectedMeanMatches() const;  // NaN without tickets
    double ExpectedMatchShare(int matches) const;
    // The total main matches' distance from chance in standard deviations;
    // NaN without tickets.
    double ZValue() const;
    // Two-sided z-test of the total main matches against chance (normal
    // approximation); NaN without tickets.
    double PValue() const;

    // The exact chance law of each scored draw's matches, with how many
    // draws had it, and of the total over them (summed once the replay ends).
    std::map<MatchLaw, int> drawLaws;
    MatchLaw totalLaw{1.0};
    // Two-sided exact p-value of the total under that law (the chance of a
    // total no more likely than the one seen); NaN without tickets.
    double ExactPValue() const;
    // True when no total the range could give reaches p < 0.05.
    bool TooFewDraws() const;
    // The exact p-value adjusted for testing seven methods at once; NaN
    // until FamilyPValues filled it in.
    double familyPValue = std::numeric_limits<double>::quiet_NaN();
    // Its Monte Carlo standard error; NaN when the adjusted p-value is the
    // exact one (no simulated figure in it) or there is none.
    double familyPError = std::numeric_limits<double>::quiet_NaN();
    // The p-value the verdict reads: the adjusted one when there is one.
    double VerdictPValue() const;
};

// The level a verdict is judged at.
inline constexpr double kSignificanceLevel = 0.05;

// One plain sentence on whether the difference from chance is significant
// at the 5 % level, judged on the family-adjusted p-value (the exact
// p-value when there is none), both shown.
std::string BacktestVerdict(const MethodScore& score);

struct BacktestResult {
    BacktestRange range;
    int shift = 0;
    int draws = 0;          // draws replayed and scored
    bool completed = true;  // false when the progress callback stopped it
    std::array<MethodScore, kBacktestMethodCount> methods{};
    // Per draw scored and number 1 … 37: how many rows of each method hold
    // the number, method m in byte m.  The family adjustment replays fair
    // draws against these.
    std::vector<std::array<std::uint64_t, kHighestNumber + 1>> drawHolding;
    // The fair histories the family adjustment simulated (0: none), the most
    // it would have, and the seed of its generator.
    int familySimulations = 0;
    int familyMaxSimulations = 0;
    std::uint64_t familySeed = 0;
};

// One sentence for the whole run: that no method can be told from chance,
// or which ones differ and in what direction.
std::string BacktestSummary(const BacktestResult& result);

// Told (draws done, draws in the range) at the start and then at least every
// eight draws; returning false stops the back-test.
using BacktestProgress = std::function<bool(int done, int total)>;

// Replays every method over the draws of `range` with the shift of the
// options and scores every ticket.  A stopped run returns what it scored.
BacktestResult RunBacktest(const DrawStore& draws, const ReflectOptions& options,
                           const BacktestRange& range, const BacktestProgress& progress = {});

// RunBacktest in its two steps, for a caller that may drop a stopped run:
// the replay, which leaves every method's totalLaw at its default, and the
// sum of each method's per-draw laws into its totalLaw, which takes a
// while for thousands of draws.
BacktestResult ReplayBacktest(const DrawStore& draws, const ReflectOptions& options,
                              const BacktestRange& range, const BacktestProgress& progress = {});
void SumTotalLaws(BacktestResult& result);
