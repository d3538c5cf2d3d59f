#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/commands/CommandTable.h"
#include "app/commands/Commands.h"
#include "core/FileAccess.h"
#include "core/PrintableText.h"
#include "wheel/WheelGrid.h"
#include "wheel/WheelJson.h"
#include "wheel/WheelSearch.h"
#include "wheel/WheelText.h"

namespace {

constexpr std::uintmax_t kMaxTicketListBytes = 16 * 1024 * 1024;

void PrintWheel(const CommandArgs& args, const WheelReport& report, std::ostream& out) {
    if (args.Format() == "csv") {
        WheelGrids grids;
        WriteWheelGrids(report, grids);
        DumpCsv(out, grids.Named());
    } else {
        WriteWheelJson(out, report);
    }
}

// The options of wheel read into a request and the search's options.
void ReadWheelOptions(const CommandArgs& args, WheelRequest& request, WheelSearchOptions& search) {
    if (const auto text = args.Value("--numbers")) {
        const auto numbers = ParseNumberList(*text);
        if (!numbers) {
            throw UsageError(
                "--numbers は 1,5,9 のように、数字をコンマで区切って指定してください。");
        }
        request.numbers = *numbers;
    }
    if (const auto text = args.Value("--keys")) {
        const auto keys = ParseNumberList(*text);
        if (!keys)
            throw UsageError("--keys は 5,9 のように、数字をコンマで区切って指定してください。");
        request.keys = *keys;
    }
    if (const auto text = args.Value("--guarantee")) {
        const auto tm = ParseGuarantee(*text);
        if (!tm)
            throw UsageError("--guarantee は 4/5 のように「一致数/出た数」で指定してください。");
        std::tie(request.t, request.m) = *tm;
    }
    if (const auto text = args.Value("--seconds")) {
        char* end = nullptr;
        const double seconds = std::strtod(text->c_str(), &end);
        if (text->empty() || *end != '\0' || !(seconds > 0) || seconds > kMaxWheelSeconds) {
            throw UsageError("--seconds は0より大きく60以下の秒数で指定してください。");
        }
        search.seconds = seconds;
    }
    if (const auto text = args.Value("--seed")) {
        const auto seed =
            WholeNumberIn(*text, std::uint64_t{0}, std::numeric_limits<std::uint64_t>::max());
        if (!seed) throw UsageError("--seed は0以上の整数で指定してください。");
        search.seed = *seed;
    }
}

// Checks the guarantee of a ticket list the user brought.
int VerifyTicketList(const CommandArgs& args, std::ostream& out) {
    if (args.Has("--keys") || args.Has("--seconds") || args.Has("--seed")) {
        throw UsageError("--verify には --keys、--seconds、--seed は使えません。");
    }
    WheelRequest request;
    WheelSearchOptions search;
    ReadWheelOptions(args, request, search);
    const std::string file = *args.Value("--verify");
    // A file that cannot be read, or reads wrong, is a file problem: one
    // line naming it, not the usage.
    const std::vector<NumberMask> tickets = ReadTicketList(
        ReadBoundedFile(file, kMaxTicketListBytes, "購入番号のファイル"), PrintableText(file));
    std::optional<std::pair<int, int>> asked;
    if (args.Has("--guarantee")) {
        asked = std::pair{request.t, request.m};
        NumberMask all = MaskOf(request.numbers);
        if (request.numbers.empty()) {
            for (NumberMask t : tickets) all |= t;
        }
        const std::size_t chosen = NumbersOf(all).size();
        if (args.Has("--numbers")) {
            AsUsage([&] { CheckWheelRequest({request.numbers, {}, request.t, request.m}); });
        } else if (request.t < 1 || request.m < request.t || request.m > kWheelTicketSize ||
                   request.m > static_cast<int>(chosen)) {
            throw UsageError(
                "保証は「t/m」で、1 ≦ t ≦ m ≦ 7 の数（mは数字の個数以下）で指定してください。");
        }
    } else if (args.Has("--numbers")) {
        AsUsage([&] { CheckWheelRequest({request.numbers, {}, 1, 1}); });
    }
    PrintWheel(args, ReportOfTickets(tickets, request.numbers, asked), out);
    return kStatusDone;
}

}  // namespace

// Makes a wheel for the chosen numbers and prints it with its proof, or
// checks the guarantee of a ticket list (--verify).
int RunWheelCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
    if (args.Has("--verify")) return VerifyTicketList(args, out);
    if (!args.Has("--numbers") || !args.Has("--guarantee")) {
        throw UsageError("wheel には --numbers と --guarantee が必要です。");
    }
    WheelRequest request;
    WheelSearchOptions search;
    ReadWheelOptions(args, request, search);
    AsUsage([&] {
        CheckWheelRequest(request);
        CheckWheelSearchLimit(request);
    });
    search.reserve = ReportReserve(request);
    const std::optional<WheelResult> result = SearchWheel(request, search);
    if (!result) {
        err << "保証を確かめられる購入番号を作れませんでした。\n";
        return kStatusError;
    }
    PrintWheel(args, ReportOfWheel(*result, search.seed), out);
    return kStatusDone;
}
