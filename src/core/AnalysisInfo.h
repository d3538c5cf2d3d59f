#pragma once

#include <string_view>

#include "core/GlobalBas.h"
#include "core/ResultGrid.h"

// When a window lets pending window events run during its load.
enum class PendingEvents { BeforeBuild, AfterBuild, Never };

// The extra picture legend a window shows beside its grid.
enum class Legend {
    None,
    Balls,             // main / bonus 1 / bonus 2 mark colours
    BallsAndNoneMark,  // the same plus "：該当する当選番号なし"
    CarryOver,         // "前回の数字" colour box
};

// Everything that makes one analysis window: its names, texts, size, frame
// behaviour and the build that fills its grid from the start-up snapshot.
struct AnalysisInfo {
    std::string_view name;         // window object name, also the dump name
    std::string_view caption;      // window caption
    std::string_view label;        // Label1, the one-line description
    std::string_view menuCommand;  // mnu… command that opens it
    int heightTwips = 0;
    int widthTwips = 0;
    bool clearsPropEnd = true;
    bool hasPrintButton = true;
    PendingEvents events = PendingEvents::BeforeBuild;
    Legend legend = Legend::None;
    bool followsResize = false;  // the grid follows the window's size
    // Inner placement in twips where the window fixes it (buttons at the top
    // right, grid below them); 0 leaves the frame's default layout.
    int gridLeftTwips = 0;
    int gridTopTwips = 0;
    int gridWidthTwips = 0;
    int gridHeightTwips = 0;
    void (*build)(const GlobalBas&, ResultGrid&) = nullptr;  // null: not available yet
};
