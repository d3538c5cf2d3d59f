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

TEST(CommandTable, AUsageErrorEndsWithTheUsageOfTheCommandsGroup) {
    // The ticket book's commands: the reason, then only their own lines.
    const Outcome verb = RunCli({"tickets", "sell"}, "unused.mdb");
    EXPECT_EQ(verb.status, kStatusUsage);
    EXPECT_EQ(verb.err.rfind("tickets の知らない指定「sell」です。\n使い方:\n"
                             "  loto7kazoria tickets add --draw N[-M]",
                             0),
              0u);
    EXPECT_EQ(verb.err.find("filter"), std::string::npos);
    EXPECT_NE(verb.err.find("  loto7kazoria check N1 … N7"), std::string::npos);
    // Its checks in their order: the option it needs before its word count.
    const Outcome draw = RunCli({"tickets", "add", "1", "2"}, "unused.mdb");
    EXPECT_EQ(draw.err.rfind("tickets add には --draw で購入する回を指定してください。\n", 0), 0u);
    const Outcome format =
        RunCli({"check", "1", "2", "3", "4", "5", "6", "7", "--format", "xml"}, "unused.mdb");
    EXPECT_EQ(format.err.rfind("--format には json か csv を指定してください。\n使い方:\n", 0), 0u);
    // The other commands: the whole usage, without a reason when the words are wrong.
    const Outcome words = RunCli({"backtest", "extra"}, "unused.mdb");
    EXPECT_EQ(words.status, kStatusUsage);
    EXPECT_EQ(words.err, UsageText());
    // An option another command owns is refused; any other option the
    // command does not take is read and left unused.
    EXPECT_THROW(ParseArguments({"wheel", "--numbers", "1-9", "--sum", "1-2"}, "x.mdb"), UserError);
    const StartOptions kept = ParseArguments({"list", "--seed", "5", "--units", "2"}, "x.mdb");
    EXPECT_EQ(kept.options.size(), 2u);
    std::ostringstream out, err;
    EXPECT_EQ(RunHeadlessCommand(kept, out, err), kStatusDone);
    EXPECT_TRUE(out.str().starts_with("出現頻度分析\n"));
}

}  // namespace
