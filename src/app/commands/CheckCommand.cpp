#include "app/commands/CommandTable.h"
#include "app/commands/Commands.h"
#include "app/commands/TicketWords.h"
#include "core/GridDump.h"
#include "core/TicketText.h"
#include "tickets/TicketGrids.h"
#include "tickets/TicketJson.h"

// One combination against every stored draw.
int RunQuickCheckCommand(const CommandArgs& args, std::ostream& out, std::ostream&) {
    const std::array<int, kTicketNumberCount> numbers =
        ReadTicketNumbers(TicketTexts(args.Words(), 1));
    const QuickCheckResult result = QuickCheck(numbers, LoadDrawMasks(args));
    if (args.Format() == "json") {
        WriteQuickCheckJson(out, numbers, result);
        return kStatusDone;
    }
    ResultGrid tiers;
    ResultGrid wins;
    WriteQuickTierGrid(result, tiers);
    WriteQuickWinGrid(result, wins);
    DumpCsv(out, {{kQuickTierGridName, &tiers}, {kQuickWinGridName, &wins}});
    return kStatusDone;
}
