#include <climits>
#include <functional>
#include <optional>
#include <string>

#include "app/commands/CommandTable.h"
#include "app/commands/Commands.h"
#include "app/commands/TerminalProgress.h"
#include "backtest/BacktestFamily.h"
#include "backtest/BacktestGrid.h"
#include "backtest/BacktestJson.h"
#include "core/GlobalBas.h"
#include "core/GridDump.h"
#include "data/DrawStoreLoader.h"

namespace {

// The range --from and --to choose within the default one (an end not given
// keeps the default's); a UsageError when one is not a whole number, lies
// outside the default range, or the first comes after the last.
BacktestRange ChooseRange(const BacktestRange& whole, const CommandArgs& args) {
    BacktestRange chosen = whole;
    const std::string span =
        std::to_string(whole.from) + "～" + std::to_string(whole.to) + "の回数";
    const struct {
        const char* option;
        int& value;
    } ends[] = {{"--from", chosen.from}, {"--to", chosen.to}};
    for (const auto& end : ends) {
        const std::optional<std::string> text = args.Value(end.option);
        if (!text) continue;
        const std::optional<int> value = WholeNumberIn(*text, INT_MIN, INT_MAX);
        if (!value)
            throw UsageError(std::string(end.option) + " には回数を整数で指定してください。");
        if (*value < whole.from || *value > whole.to) {
            throw UsageError(
                std::string(end.option) + " には" + span +
                "を指定してください（すべての手法が予想できる最初の回から最新の回まで）。");
        }
        end.value = *value;
    }
    if (chosen.from > chosen.to)
        throw UsageError("--from の回数が --to の回数より後になっています。");
    return chosen;
}

}  // namespace

// Replays every prediction method over past draws with the flags of the
// options file in the current directory and prints the comparison with chance.
int RunBacktestCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
    ReflectOptions options;
    for (const std::string& note : options.ReadInitFile()) err << note << "\n";
    GlobalBas g;
    OpenDrawStore(g, args.DatabasePath());
    const std::optional<BacktestRange> whole = DefaultBacktestRange(g.Draws, options);
    if (!whole) {
        err << "すべての手法が予想できるだけの当選データがないため、予想を検証できません。\n";
        return kStatusError;
    }
    const BacktestRange range = ChooseRange(*whole, args);
    BacktestResult result;
    {
        TerminalProgress replay(err, "予想の検証　過去の回");
        result = RunBacktest(g.Draws, options, range, std::ref(replay));
    }
    {
        TerminalProgress family(err, "予想の検証　シミュレーション");
        AddFamilyPValues(result, kFamilySimulations, kFamilySeed, std::ref(family));
    }
    if (args.Format() == "csv") {
        ResultGrid grid;
        WriteBacktestGrid(result, grid);
        DumpCsv(out, {{kBacktestGridName, &grid}});
    } else {
        WriteBacktestJson(out, result);
    }
    return kStatusDone;
}
