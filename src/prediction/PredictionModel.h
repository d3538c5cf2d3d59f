#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/GlobalBas.h"
#include "core/ResultGrid.h"
#include "prediction/CycleMethod.h"
#include "prediction/DrawMatrix.h"
#include "prediction/Elimination.h"
#include "prediction/PredictionGrids.h"
#include "prediction/ReflectOptions.h"

// The window's object name and caption, also its name for dump.
inline constexpr const char* kPredictionWindowName = "一発カゾリア予想";

// Everything behind the prediction window 一発カゾリア予想: the twelve reflect
// flags, the draw matrix, the cycle table, the elimination candidates and the
// four result grids fpSpread1(0) … fpSpread1(3).  No widget is touched here.
//
// How the window uses it (one model lives as long as the program runs):
//  - At start-up, Options().ReadInitFile() fills the flags (show the returned
//    notes, if any); at shut-down Options().WriteInitFile() saves them.
//  - Form_Load: set the option buttons from Options().Flag(i), then call
//    Load(g) with the start-up snapshot, show Grid(0) … Grid(3), and when
//    Message() is not empty show it (title "メッセ－ジ", stop icon).
//  - Opt反映する_Click(i) / Opt反映しない_Click(i): SetOption(i, true/false),
//    then repaint the grids.  Only grids 1 to 3 change; the draws are not read
//    again.
// Closing the window loses nothing: the flags stay here, and the next
// Load(g) rebuilds the grids and tables from the snapshot alone.
class PredictionModel {
  public:
    ReflectOptions& Options() { return options_; }
    const ReflectOptions& Options() const { return options_; }

    // The window's whole load: sets up and heads the four grids afresh,
    // reloads the draw matrix and replays the cycle method from an empty
    // table, then computes every prediction.
    void Load(const GlobalBas& g);

    // Sets one flag; once loaded, empties the elimination area and recomputes
    // the predictions from the tables already loaded.
    void SetOption(int index, bool reflect);

    const ResultGrid& Grid(int index) const { return grids_.at(index); }
    // A message for the user from the last Load, or empty.
    const std::string& Message() const { return message_; }

    // The sum of the weights of the flags now set.
    std::int16_t ReflectionShift() const;
    // The draw the predictions count back from.
    int LatestDrawNumber() const { return latest_; }
    const DrawMatrix& Matrix() const { return matrix_; }
    const CycleTable& Cycles() const { return cycles_; }
    const CandidateList& Candidates() const { return candidates_; }

  private:
    void BuildPredictions(const GlobalBas& g);
    void RecomputePredictions();

    ReflectOptions options_;
    DrawMatrix matrix_;
    CycleTable cycles_;
    CandidateList candidates_;
    std::array<ResultGrid, kPredictionGridCount> grids_;
    int latest_ = 0;
    bool loaded_ = false;
    std::string message_;
};
