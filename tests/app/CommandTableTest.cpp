#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "AppTestSupport.h"
#include "app/commands/CommandTable.h"

namespace {

const CommandInfo* Find(std::vector<std::string> words) { return FindCommand(words); }

TEST(CommandTable, WordsFindTheLongestCommandTheyName) {
    ASSERT_NE(Find({"tickets", "add", "1"}), nullptr);
    EXPECT_EQ(Find({"tickets", "add", "1"})->name, "tickets add");
    EXPECT_EQ(Find({"tickets"})->name, "tickets");
    EXPECT_EQ(Find({"tickets", "sell"})->name, "tickets");
    EXPECT_EQ(Find({"check", "1"})->name, "check");
    // Described only: the windowed program, --version and --help run no command.
    EXPECT_EQ(Find({"--help"}), nullptr);
    EXPECT_EQ(Find({"frobnicate"}), nullptr);
}

// The table is the one place a command is written: its options are known to
// the command line, and a command users can run is in --help and the manual.
TEST(CommandTable, EveryRunnableCommandIsDescribedAndTakesOnlyKnownOptions) {
    const std::string usage = UsageText();
    const std::string synopsis = SynopsisRoff();
    for (const CommandInfo& command : CommandTable()) {
        for (std::string_view option : command.options) {
            EXPECT_NE(FindOption(option), nullptr) << command.name << " " << option;
        }
        if (!command.run || command.name == "tickets") continue;
        EXPECT_NE(usage.find("  loto7kazoria " + std::string(command.name)), std::string::npos)
            << command.name;
        std::string roffName(command.name);
        EXPECT_NE(synopsis.find(".B loto7kazoria " + roffName), std::string::npos) << command.name;
    }
    EXPECT_EQ(usage.rfind("使い方:\n  loto7kazoria [--db FILE] [--open WINDOW]...", 0), 0u);
    EXPECT_TRUE(
        usage.ends_with("  3 importは終わったが、ファイルと数字が違う登録済みの回をそのままにした\n"
                        "    (--text: 読めない部分か、登録済みと違う回があった)\n"));
    // One row's lines after another's: .br between them, none at the ends.
    EXPECT_EQ(synopsis.rfind(".B loto7kazoria\n", 0), 0u);
    EXPECT_TRUE(synopsis.ends_with(".B loto7kazoria \\-\\-help\n"));
}

TEST(CommandTable, AUsageErrorIsOneSentenceAndTheUsageComesWhenAskedFor) {
    // The reason alone, on one line, status 2.
    const Outcome verb = RunCli({"tickets", "sell"}, "unused.mdb");
    EXPECT_EQ(verb.status, kStatusUsage);
    EXPECT_EQ(verb.err, "tickets の知らない指定「sell」です。\n");
    // Its checks in their order: the option it needs before its word count.
    const Outcome draw = RunCli({"tickets", "add", "1", "2"}, "unused.mdb");
    EXPECT_EQ(draw.err, "tickets add には --draw で購入する回を指定してください。\n");
    const Outcome format =
        RunCli({"check", "1", "2", "3", "4", "5", "6", "7", "--format", "xml"}, "unused.mdb");
    EXPECT_EQ(format.err, "--format には json か csv を指定してください。\n");
    // A command without a sentence of its own names the word too many, or
    // the option it needs.
    const Outcome words = RunCli({"backtest", "extra"}, "unused.mdb");
    EXPECT_EQ(words.status, kStatusUsage);
    EXPECT_EQ(words.err, "backtest には「extra」は指定できません。\n");
    EXPECT_EQ(RunCli({"export"}, "unused.mdb").err, "export には --out を指定してください。\n");
    EXPECT_EQ(
        RunCli({"frob"}, "unused.mdb").err,
        "知らないコマンド「frob」です。使えるコマンドは loto7kazoria --help で表示します。\n");
    // Asked for after a command: the lines of its group, on standard output.
    const Outcome help = RunCli({"tickets", "add", "--help"}, "unused.mdb");
    EXPECT_EQ(help.status, kStatusDone);
    EXPECT_EQ(help.out.rfind("使い方:\n  loto7kazoria tickets add --draw N[-M]", 0), 0u);
    EXPECT_NE(help.out.find("  loto7kazoria check N1 … N7"), std::string::npos);
    EXPECT_EQ(help.out.find("filter"), std::string::npos);
    EXPECT_EQ(RunCli({"--help"}, "unused.mdb").out, UsageText());
    // An option another command owns is refused when read.
    EXPECT_THROW(ParseArguments({"wheel", "--numbers", "1-9", "--sum", "1-2"}, "x.mdb"), UserError);
}

// An option means what it says or is refused: one a command does not take,
// or a second value of one that cannot add up, is a usage error naming it;
// --include, --exclude and --at-least given again add their conditions.
TEST(CommandTable, OptionsAreTakenOnceUnlessTheyAddUpAndOnlyWhereTheyApply) {
    TempDir dir;
    const std::string db = dir.File("Loto7Kazoria.mdb");
    ImportCsv(BundledCsvPath(), db);
    const struct {
        std::vector<std::string> args;
        const char* says;
    } refused[] = {
        {{"backtest", "--seed", "5"}, "backtest には --seed は使えません。\n"},
        {{"backtest", "--simulations", "10000"}, "backtest には --simulations は使えません。\n"},
        {{"tickets", "list", "--units", "5"}, "tickets list には --units は使えません。\n"},
        {{"wheel", "--numbers", "1-9", "--guarantee", "3/3", "--memo", "x"},
         "wheel には --memo は使えません。\n"},
        {{"list", "--seed", "5"}, "list には --seed は使えません。\n"},
        {{"tickets", "add", "--draw", "700", "--draw", "701", "1", "2", "3", "4", "5", "6", "7"},
         "--draw は1回だけ指定してください。\n"},
        {{"filter", "--sum", "100-120", "--sum", "130-140"}, "--sum は1回だけ指定してください。\n"},
        {{"filter", "--odd", "3", "--odd", "4"}, "--odd は1回だけ指定してください。\n"},
    };
    for (const auto& r : refused) {
        const Outcome o = RunCli(r.args, db);
        EXPECT_EQ(o.status, kStatusUsage) << r.says;
        EXPECT_TRUE(o.err.starts_with(r.says)) << o.err;
        EXPECT_TRUE(o.out.empty()) << o.out;
    }
    // Messages that say what is wrong, and nothing of saving where nothing is saved.
    const Outcome xml = RunCli({"backtest", "--format", "xml"}, db);
    EXPECT_EQ(xml.status, kStatusUsage);
    EXPECT_TRUE(xml.err.starts_with("--format には json か csv を指定してください。\n")) << xml.err;
    const Outcome draw0 = RunCli({"tickets", "check", "--draw", "0"}, db);
    EXPECT_EQ(draw0.status, kStatusUsage);
    EXPECT_TRUE(draw0.err.starts_with(
        "tickets check の --draw には1から5000までの回を1つ指定してください。\n"))
        << draw0.err;
    const Outcome minus =
        RunCli({"tickets", "add", "--draw", "700", "1", "2", "3", "4", "5", "6", "-1"}, db);
    EXPECT_EQ(minus.status, kStatusUsage);
    EXPECT_NE(minus.err.find("「-1」"), std::string::npos) << minus.err;
    EXPECT_EQ(minus.err.find("オプション"), std::string::npos) << minus.err;
    try {
        ParseArguments({"--open", "存在しない", "--quit-when-ready"}, db);
        ADD_FAILURE() << "a window that is not there was taken";
    } catch (const UserError& e) {
        EXPECT_EQ(
            std::string(e.what()),
            "ウィンドウ「存在しない」はありません。loto7kazoria list で名前を確かめてください。");
    }
    EXPECT_NO_THROW(ParseArguments({"--open", "出現頻度分析", "--open", "ホイール"}, db));
    // Six numbers that must be in leave 31 combinations: 31 tickets, and said so.
    const Outcome few =
        RunCli({"filter", "--include", "1,2,3,4,5,6", "--generate", "100", "--seed", "1"}, db);
    EXPECT_EQ(few.status, kStatusDone);
    EXPECT_EQ(few.err, "条件に合う組合せは31通りしかないため、31口だけ作りました。\n");
    // One reader of numbers: ASCII or full-width digits, and nothing that
    // only looks like a digit (①, ²).
    EXPECT_EQ(
        RunCli({"tickets", "add", "--draw", "６９０", "１", "２", "３", "４", "５", "６", "７"}, db)
            .status,
        kStatusDone);
    EXPECT_EQ(RunCli({"tickets", "delete", "１"}, db).out, "購入番号 1 を削除しました。\n");
    for (const char* lookalike : {"①", "²"}) {
        const Outcome o = RunCli(
            {"tickets", "add", "--draw", "690", lookalike, "2", "3", "4", "5", "6", "7"}, db);
        EXPECT_EQ(o.status, kStatusUsage) << lookalike;
        EXPECT_NE(o.err.find(std::string("「") + lookalike + "」"), std::string::npos) << o.err;
    }
    EXPECT_EQ(
        RunCli({"wheel", "--numbers", "１-１０", "--guarantee", "３/３", "--format", "csv"}, db)
            .status,
        kStatusDone);
    EXPECT_EQ(RunCli({"filter", "--odd", "①"}, db).status, kStatusUsage);
    EXPECT_EQ(RunCli({"filter", "--odd", "３"}, db).status, kStatusDone);
    // At least two of 1, 5, 9 and at least one of 20, 21: by hand,
    // C(3,2)·C(2,1)·C(32,4) + C(3,2)·C(32,3) + C(2,1)·C(32,3) + C(32,2) = 241,056.
    const Outcome both = RunCli({"filter", "--at-least", "2:1,5,9", "--at-least", "1:20,21"}, db);
    ASSERT_EQ(both.status, kStatusDone) << both.err;
    EXPECT_TRUE(both.out.starts_with("{\"total\": 10295472, \"passing\": 241056,")) << both.out;
    EXPECT_NE(both.out.find("\"condition\": \"2個以上: 1,5,9、かつ1個以上: 20,21\""),
              std::string::npos);
    // 3 and 7 both in: C(35,5) = 324,632; 3 and 7 both out: C(35,7) = 6,724,520.
    const Outcome in = RunCli({"filter", "--include", "3", "--include", "7"}, db);
    EXPECT_TRUE(in.out.starts_with("{\"total\": 10295472, \"passing\": 324632,")) << in.out;
    const Outcome out = RunCli({"filter", "--exclude", "3", "--exclude", "7"}, db);
    EXPECT_TRUE(out.out.starts_with("{\"total\": 10295472, \"passing\": 6724520,")) << out.out;
}

}  // namespace
