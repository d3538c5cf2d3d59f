#include "app/TicketCommands.h"

#include <QString>
#include <algorithm>
#include <tuple>

#include "app/CommandLine.h"
#include "core/GlobalBas.h"
#include "core/GridDump.h"
#include "core/PrintableText.h"
#include "core/TicketText.h"
#include "data/DrawStoreLoader.h"
#include "data/TicketCsv.h"
#include "data/TicketStore.h"
#include "prediction/TicketGrids.h"
#include "prediction/TicketJson.h"

const char* const kTicketUsage =
    "  loto7kazoria tickets add --draw N[-M] N1 … N7 [--units K] [--memo TEXT] [--db FILE]\n"
    "                                              購入番号を登録します（N-M: 継続購入）\n"
    "  loto7kazoria tickets list [--db FILE] [--format json|csv]\n"
    "                                              購入番号の一覧を表示します\n"
    "  loto7kazoria tickets delete ID [--db FILE]   購入番号を削除します\n"
    "  loto7kazoria tickets import CSV [--db FILE] CSVファイル（回,数字7個,口数,メモ）の\n"
    "                                              購入番号を登録します\n"
    "  loto7kazoria tickets check [--draw N] [--db FILE] [--format json|csv]\n"
    "                                              購入番号の当選を調べます\n"
    "  loto7kazoria check N1 … N7 [--db FILE] [--format json|csv]\n"
    "                                              7個の数字が過去の各回で何等だったかを\n"
    "                                              調べます\n";

namespace {

constexpr int kUsageError = 2;

// A usage error: the sentence, then the usage text of these commands.
int Usage(std::ostream& err, const std::string& why) {
    err << why << "\n使い方:\n" << kTicketUsage;
    return kUsageError;
}

bool FormatKnown(const StartOptions& o) { return o.format == "json" || o.format == "csv"; }

std::vector<QString> Texts(const std::vector<std::string>& words, std::size_t from) {
    std::vector<QString> texts;
    for (std::size_t i = from; i < words.size(); ++i)
        texts.push_back(QString::fromStdString(words[i]));
    return texts;
}

DrawMasks LoadDraws(const StartOptions& o) {
    GlobalBas g;
    OpenDrawStore(g, o.databasePath);
    return DrawMasks(g.Draws);
}

int Add(const StartOptions& o, std::ostream& out, std::ostream& err) {
    if (!o.draw) return Usage(err, "tickets add には --draw で購入する回を指定してください。");
    if (o.words.size() != 2 + kTicketNumberCount) {
        return Usage(err, "tickets add には7個の数字を指定してください。");
    }
    PurchasedTicket t;
    std::tie(t.firstDraw, t.lastDraw) = ReadTicketDraws(QString::fromStdString(*o.draw));
    t.numbers = ReadTicketNumbers(Texts(o.words, 2));
    if (o.units) t.units = ReadTicketUnits(QString::fromStdString(*o.units));
    if (o.memo) t.memo = ReadTicketMemo(QString::fromStdString(*o.memo));
    std::vector<PurchasedTicket> tickets{t};
    TicketBook(o.databasePath).Add(tickets);
    out << "購入番号 " << tickets.front().id << " を登録しました。第" << TicketDrawText(t) << "回 "
        << NumbersText(t.numbers) << "（" << t.units << "口）\n";
    return 0;
}

int List(const StartOptions& o, std::ostream& out, std::ostream& err) {
    if (o.words.size() != 2 || !FormatKnown(o))
        return Usage(err, "tickets list の指定が違います。");
    const std::vector<PurchasedTicket> tickets = ReadTickets(o.databasePath);
    if (o.format == "csv") {
        ResultGrid grid;
        WriteTicketGrid(tickets, LoadDraws(o), 0, grid);  // as the window shows them
        DumpCsv(out, {{kTicketGridName, &grid}});
    } else {
        WriteTicketListJson(out, tickets);
    }
    return 0;
}

int Delete(const StartOptions& o, std::ostream& out, std::ostream& err) {
    if (o.words.size() != 3)
        return Usage(err, "tickets delete には購入番号の番号を1つ指定してください。");
    const std::string& text = o.words[2];
    const bool digits =
        !text.empty() && text.size() <= 12 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) {
        return Usage(err,
                     "購入番号の番号「" + PrintableText(text, 24) + "」は整数ではありません。");
    }
    TicketBook(o.databasePath).Delete(std::stoll(text));
    out << "購入番号 " << text << " を削除しました。\n";
    return 0;
}

int Import(const StartOptions& o, std::ostream& out, std::ostream& err) {
    if (o.words.size() != 3)
        return Usage(err, "tickets import にはCSVファイルを1つ指定してください。");
    const std::vector<PurchasedTicket> tickets = ImportTicketCsv(o.words[2], o.databasePath);
    out << "購入番号を" << tickets.size() << "件登録しました。\n";
    return 0;
}

int Check(const StartOptions& o, std::ostream& out, std::ostream& err) {
    if (o.words.size() != 2 || !FormatKnown(o))
        return Usage(err, "tickets check の指定が違います。");
    std::optional<int> draw;
    if (o.draw) {
        const auto [first, last] = ReadTicketDraws(QString::fromStdString(*o.draw));
        if (first != last)
            return Usage(err, "tickets check の --draw には回を1つ指定してください。");
        draw = first;
    }
    const DrawMasks draws = LoadDraws(o);
    const std::vector<PurchasedTicket> tickets = ReadTickets(o.databasePath);
    if (o.format == "json") {
        WriteTicketCheckJson(out, tickets, draws, draw);
        return 0;
    }
    ResultGrid grid;
    ResultGrid summary;
    WriteTicketGrid(tickets, draws, 0, grid, draw);
    const auto keep = [&](int n) { return !draw || *draw == n; };
    WriteTicketSummaryGrid(SummariseTickets(std::span<const PurchasedTicket>(tickets), draws, keep),
                           draw ? "第" + std::to_string(*draw) + "回" : "すべて", summary);
    DumpCsv(out, {{kTicketGridName, &grid}, {kTicketSummaryGridName, &summary}});
    return 0;
}

}  // namespace

int RunTickets(const StartOptions& o, std::ostream& out, std::ostream& err) {
    if (o.words.size() < 2)
        return Usage(
            err, "tickets の後に add、list、delete、import、check のどれかを指定してください。");
    const std::string& verb = o.words[1];
    if (verb == "add") return Add(o, out, err);
    if (verb == "list") return List(o, out, err);
    if (verb == "delete") return Delete(o, out, err);
    if (verb == "import") return Import(o, out, err);
    if (verb == "check") return Check(o, out, err);
    return Usage(err, "tickets の知らない指定「" + PrintableText(verb, 24) + "」です。");
}

int RunQuickCheck(const StartOptions& o, std::ostream& out, std::ostream& err) {
    if (o.words.size() != 1 + kTicketNumberCount)
        return Usage(err, "check には7個の数字を指定してください。");
    if (!FormatKnown(o)) return Usage(err, "--format には json か csv を指定してください。");
    const std::array<int, kTicketNumberCount> numbers = ReadTicketNumbers(Texts(o.words, 1));
    const QuickCheckResult result = QuickCheck(numbers, LoadDraws(o));
    if (o.format == "json") {
        WriteQuickCheckJson(out, numbers, result);
        return 0;
    }
    ResultGrid tiers;
    ResultGrid wins;
    WriteQuickTierGrid(result, tiers);
    WriteQuickWinGrid(result, wins);
    DumpCsv(out, {{kQuickTierGridName, &tiers}, {kQuickWinGridName, &wins}});
    return 0;
}
