#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>

#include "analysis/RandomnessGrid.h"
#include "app/commands/CommandTable.h"
#include "app/commands/Commands.h"
#include "app/commands/TerminalProgress.h"
#include "core/GlobalBas.h"
#include "core/GridDump.h"
#include "data/DrawStoreLoader.h"

namespace {

// The option's value as a whole number in [low, high], the default when it
// is not given; a UsageError saying the range when it is not one.
template <typename T>
T WholeOption(const CommandArgs& args, const std::string& option, T low, T high, T fallback) {
    const std::optional<std::string> text = args.Value(option);
    if (!text) return fallback;
    const std::optional<T> value = WholeNumberIn(*text, low, high);
    if (!value) {
        throw UsageError(option + " には" + std::to_string(low) + "～" + std::to_string(high) +
                         "の整数を指定してください。");
    }
    return *value;
}

}  // namespace

// Tests the stored draws against fair draws and prints every test, the Holm
// adjustment and the conclusion.
int RunRandomnessCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
    GlobalBas g;
    OpenDrawStore(g, args.DatabasePath());
    const std::optional<RandomnessRange> whole = WholeRandomnessRange(g.Draws);
    if (!whole) {
        err << "検定できる当選データが2回分以上ありません。\n";
        return kStatusError;
    }
    RandomnessRange range = *whole;
    range.from = WholeOption(args, "--from", whole->from, whole->to, whole->from);
    range.to = WholeOption(args, "--to", whole->from, whole->to, whole->to);
    const int simulations = WholeOption(args, "--simulations", kMinRandomnessSimulations,
                                        kMaxRandomnessSimulations, kRandomnessSimulations);
    const std::uint64_t seed =
        WholeOption(args, "--seed", std::uint64_t{0}, std::numeric_limits<std::uint64_t>::max(),
                    kRandomnessSeed);
    if (RandomnessHistory(g.Draws, range).size() < 2) {
        throw UsageError("--from と --to の間に、検定できる当選データが2回分以上ありません。");
    }
    std::optional<RandomnessResult> result;
    {
        TerminalProgress progress(err, "乱数性の検定　シミュレーション");
        result = RunRandomness(g.Draws, range, simulations, seed, std::ref(progress));
    }
    if (args.Format() == "csv") {
        ResultGrid grid;
        WriteRandomnessGrid(*result, grid);
        DumpCsv(out, {{kRandomnessName, &grid}});
    } else {
        WriteRandomnessJson(out, *result);
    }
    return kStatusDone;
}
