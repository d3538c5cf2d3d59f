#include "app/commands/CommandTable.h"
#include "app/commands/Commands.h"
#include "app/commands/TicketWords.h"
#include "core/GridDump.h"
#include "core/TicketText.h"
#include "tickets/TicketGrids.h"
#include "tickets/TicketJson.h"

namespace {

// check stores nothing: a number it cannot take is a usage error, told in
// words that promise nothing about saving.
std::array<int, kTicketNumberCount> ReadCheckedNumbers(const std::vector<QString>& texts) {
    for (const QString& text : texts) {
        try {
            ReadTicketNumber(text);
        } catch (const UserError&) {
            throw UsageError(QStringLiteral("%1は1から37の数字ではありません。")
                                 .arg(text.trimmed())
                                 .toStdString());
        }
    }
    std::array<int, kTicketNumberCount> numbers{};
    AsUsage([&] { numbers = ReadTicketNumbers(texts); });
    return numbers;
}

}  // namespace

// One combination against every stored draw.
int RunQuickCheckCommand(const CommandArgs& args, std::ostream& out, std::ostream&) {
    const std::array<int, kTicketNumberCount> numbers =
        ReadCheckedNumbers(TicketTexts(args.Words(), 1));
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
