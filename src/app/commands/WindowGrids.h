#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "core/AnalysisInfo.h"
#include "core/GlobalBas.h"
#include "core/GridDump.h"
#include "core/ResultGrid.h"
#include "grid/GridDocument.h"
#include "prediction/PredictionModel.h"

// A window's grids as dump and export take them, built from the database as
// the window builds them.
struct WindowGrids {
    std::string name, caption;
    const AnalysisInfo* analysis = nullptr;  // null for the prediction window
    GlobalBas snapshot;
    ResultGrid grid;             // an analysis window's
    PredictionModel prediction;  // the prediction window's

    std::vector<NamedGrid> Named() const;
    // The window's document as the window would print it: its grids laid out
    // in the program's font at the screen's resolution.
    GridDocument Document() const;
};

// Builds the named window's grids from the database.  The prediction window
// takes the flags of the options file in the current directory, as the
// program reads them at start-up.  Returns 0; 1 when the build stopped or
// the prediction has a message for the user (the grids hold what was built,
// the message is on err); 2, with the message on err, for a name no window
// has.
int BuildWindow(const std::string& name, const std::string& databasePath, WindowGrids& w,
                std::ostream& err);
