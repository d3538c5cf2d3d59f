#include <QString>
#include <algorithm>
#include <limits>
#include <optional>
#include <span>
#include <tuple>

#include "app/commands/CommandTable.h"
#include "app/commands/Commands.h"
#include "app/commands/TicketWords.h"
#include "core/GridDump.h"
#include "core/PrintableText.h"
#include "core/TicketText.h"
#include "data/TicketCsv.h"
#include "data/TicketStore.h"
#include "tickets/TicketGrids.h"
#include "tickets/TicketJson.h"

int RunTicketsAddCommand(const CommandArgs& args, std::ostream& out, std::ostream&) {
    PurchasedTicket t;
    // A value the book cannot take is a usage error of the command line.
    AsUsage([&] {
        std::tie(t.firstDraw, t.lastDraw) =
            ReadTicketDraws(QString::fromStdString(*args.Value("--draw")));
        t.numbers = ReadTicketNumbers(TicketTexts(args.Words(), 2));
        if (const auto units = args.Value("--units"))
            t.units = ReadTicketUnits(QString::fromStdString(*units));
        if (const auto memo = args.Value("--memo"))
            t.memo = ReadTicketMemo(QString::fromStdString(*memo));
    });
    std::vector<PurchasedTicket> tickets{t};
    TicketBook(args.DatabasePath()).Add(tickets);
    out << "購入番号 " << tickets.front().id << " を登録しました。第" << TicketDrawText(t) << "回 "
        << NumbersText(t.numbers) << "（" << t.units << "口）\n";
    return kStatusDone;
}

namespace {

// The tickets to list or check; rows that break the rules are named on
// standard error and not used.
std::vector<PurchasedTicket> UsableTickets(const CommandArgs& args, std::ostream& err) {
    TicketRows rows = ReadTicketRows(args.DatabasePath());
    if (!rows.broken.empty()) err << BrokenTicketsText(rows.broken) << "\n";
    return std::move(rows.tickets);
}

}  // namespace

int RunTicketsListCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
    const std::vector<PurchasedTicket> tickets = UsableTickets(args, err);
    const TicketLedger ledger = LoadTicketLedger(args);
    if (args.Format() == "csv") {
        ResultGrid grid;
        WriteTicketGrid(tickets, ledger.draws, ledger.prizes, 0, grid);  // as the window shows them
        DumpCsv(out, {{kTicketGridName, &grid}});
    } else {
        WriteTicketListJson(out, tickets, ledger.Data());
    }
    return kStatusDone;
}

int RunTicketsDeleteCommand(const CommandArgs& args, std::ostream& out, std::ostream&) {
    const std::string& text = args.Word(2);
    const std::optional<long long> id =
        WholeNumberIn(text, 0LL, std::numeric_limits<long long>::max());
    if (!id || text.starts_with('-')) {
        throw UsageError("購入番号の番号「" + PrintableText(text, 24) + "」は整数ではありません。");
    }
    TicketBook(args.DatabasePath()).Delete(*id);
    out << "購入番号 " << *id << " を削除しました。\n";
    return kStatusDone;
}

int RunTicketsImportCommand(const CommandArgs& args, std::ostream& out, std::ostream&) {
    const std::vector<PurchasedTicket> tickets = ImportTicketCsv(args.Word(2), args.DatabasePath());
    out << "購入番号を" << tickets.size() << "件登録しました。\n";
    return kStatusDone;
}

int RunTicketsCheckCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
    std::optional<int> draw;
    if (const auto text = args.Value("--draw")) {
        // Nothing is stored here: a draw it cannot take is a usage error.
        std::pair<int, int> draws;
        try {
            draws = ReadTicketDraws(QString::fromStdString(*text));
        } catch (const UserError&) {
            draws = {0, -1};
        }
        if (draws.first != draws.second || draws.first < 1) {
            throw UsageError("tickets check の --draw には1から" +
                             std::to_string(kHighestTicketDraw) +
                             "までの回を1つ指定してください。");
        }
        draw = draws.first;
    }
    const TicketLedger ledger = LoadTicketLedger(args);
    const std::vector<PurchasedTicket> tickets = UsableTickets(args, err);
    if (args.Format() == "json") {
        WriteTicketCheckJson(out, tickets, ledger.Data(), draw);
        return kStatusDone;
    }
    const std::span<const PurchasedTicket> book(tickets);
    const auto keep = [&](int n) { return !draw || *draw == n; };
    const TicketSummary sum = SummariseTickets(book, ledger.draws, keep, ledger.prizes);
    const std::string scope = draw ? "第" + std::to_string(*draw) + "回" : "すべて";
    ResultGrid grid;
    ResultGrid summary;
    ResultGrid balance;
    ResultGrid years;
    WriteTicketGrid(tickets, ledger.draws, ledger.prizes, 0, grid, draw);
    WriteTicketSummaryGrid(sum, scope, summary);
    const NamedSummary rows[] = {{scope, sum}};
    WriteTicketBalanceGrid(rows, balance);
    WriteTicketYearGrid(BalanceByYear(book, ledger.draws, ledger.prizes, ledger.yearOfDraw, draw),
                        years);
    DumpCsv(out, {{kTicketGridName, &grid},
                  {kTicketSummaryGridName, &summary},
                  {kTicketBalanceGridName, &balance},
                  {kTicketYearGridName, &years}});
    return kStatusDone;
}

int RunTicketsWithoutVerbCommand(const CommandArgs& args, std::ostream&, std::ostream&) {
    if (args.WordCount() < 2) {
        throw UsageError(
            "tickets の後に add、list、delete、import、check のどれかを指定してください。");
    }
    throw UsageError("tickets の知らない指定「" + PrintableText(args.Word(1), 24) + "」です。");
}
