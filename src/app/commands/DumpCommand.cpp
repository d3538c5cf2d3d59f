#include "app/commands/CommandTable.h"
#include "app/commands/Commands.h"
#include "app/commands/WindowGrids.h"

// Prints a window's grids as the window would show them; a build that
// stopped prints what was built, with status 1.
int RunDumpCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
    WindowGrids w;
    const int status = BuildWindow(args.Word(1), args.DatabasePath(), w, err);
    if (status == kStatusUsage) return status;
    if (args.Format() == "csv") {
        DumpCsv(out, w.Named());
    } else {
        DumpJson(out, w.name, w.caption, w.Named());
    }
    return status;
}
