#include "analysis/AnalysisCatalog.h"
#include "app/commands/CommandTable.h"
#include "app/commands/Commands.h"
#include "prediction/PredictionModel.h"

// The window names dump and export accept.
int RunListCommand(const CommandArgs&, std::ostream& out, std::ostream&) {
    for (const AnalysisInfo& info : AnalysisCatalog()) {
        if (info.build) out << info.name << "\n";
    }
    out << kPredictionWindowName << "\n";
    return kStatusDone;
}
