#include <gtest/gtest.h>
#include <sqlite3.h>

#include "app/AppTestSupport.h"
#include "data/PrizeStore.h"
#include "data/TicketStore.h"
#include "support/DrawDatabase.h"

namespace {

// Draw 1: 1 … 7 / 8, 9; draw 2: 1 2 3 4 5 10 11 / 12, 13.
const std::vector<std::string> kDraws = {"1, 1,2,3,4,5,6,7,8,9", "2, 1,2,3,4,5,10,11,12,13"};

class TicketCommandTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::string db = CreateDrawDatabase(dir, kDraws);

    Outcome Run(std::vector<std::string> args) { return RunCli(args, db); }
};

TEST_F(TicketCommandTest, AddListAndCheckPrintTheirJsonKeys) {
    Outcome o = Run({"tickets", "add", "--draw", "1-3", "7", "6", "5", "4", "3", "2", "1",
                     "--units", "2", "--memo", "家族"});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "購入番号 1 を登録しました。第1～3回 1, 2, 3, 4, 5, 6, 7（2口）\n");

    o = Run({"tickets", "list"});
    ASSERT_EQ(o.status, 0) << o.err;
    const std::string listed = o.out.substr(0, o.out.find("\"added\""));
    EXPECT_EQ(listed,
              "{\"tickets\": [\n  {\"id\": 1, \"from\": 1, \"to\": 3, \"numbers\": [1, 2, 3, 4, 5, "
              "6, 7], \"units\": 2, \"cost\": 1800, \"spent\": 1200, \"prize\": 0, \"prizeKnown\": "
              "false, \"estimatedPrize\": 1200020200, \"memo\": \"家族\", ");

    // No prize lines yet: the wins are estimates at the shares before draw 613
    // (1等 600,001,000 円, 4等 9,100 円), and nothing is won for sure.
    o = Run({"tickets", "check"});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out,
              "{\"draw\": null, \"checks\": [\n"
              "  {\"id\": 1, \"draw\": 1, \"numbers\": [1, 2, 3, 4, 5, 6, 7], \"units\": 2, "
              "\"drawn\": true, \"mainMatches\": 7, \"bonusMatches\": 0, \"tier\": 1, \"result\": "
              "\"1等\", \"cost\": 600, \"prize\": null, \"prizeKnown\": false, \"estimatedPrize\": "
              "1200002000},\n"
              "  {\"id\": 1, \"draw\": 2, \"numbers\": [1, 2, 3, 4, 5, 6, 7], \"units\": 2, "
              "\"drawn\": true, \"mainMatches\": 5, \"bonusMatches\": 0, \"tier\": 4, \"result\": "
              "\"4等\", \"cost\": 600, \"prize\": null, \"prizeKnown\": false, \"estimatedPrize\": "
              "18200},\n"
              "  {\"id\": 1, \"draw\": 3, \"numbers\": [1, 2, 3, 4, 5, 6, 7], \"units\": 2, "
              "\"drawn\": false, \"mainMatches\": null, \"bonusMatches\": null, \"tier\": null, "
              "\"result\": \"未抽選\", \"cost\": 0, \"prize\": null, \"prizeKnown\": false, "
              "\"estimatedPrize\": null}\n"
              "],\n"
              " \"totals\": {\"tickets\": 1, \"units\": 6, \"cost\": 1800, \"tiers\": {\"1等\": 2, "
              "\"2等\": 0, \"3等\": 0, \"4等\": 2, \"5等\": 0, \"6等\": 0}, \"losingUnits\": 0, "
              "\"pendingUnits\": 2},\n"
              " \"balance\": {\"spent\": 1200, \"won\": 0, \"estimated\": 1200020200, "
              "\"wonWithEstimates\": 1200020200, \"balance\": -1200, \"returnRate\": 0.0, "
              "\"unknownUnits\": 4, \"bestTier\": 1, \"years\": [\n"
              "   {\"year\": null, \"tickets\": 1, \"units\": 4, \"spent\": 1200, \"won\": 0, "
              "\"wonWithEstimates\": 1200020200, \"balance\": -1200, \"returnRate\": 0.0, "
              "\"bestTier\": 1}]}}\n");

    // Draw 1's 1等 entered (2 winners, 300,000,000 円 each): known to the yen.
    DrawPrizes paid;
    paid.tiers[0] = PrizeLine{2, 300'000'000};
    StorePrizes(db, 1, paid);
    o = Run({"tickets", "check", "--draw", "1"});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("\"cost\": 600, \"prize\": 600000000, \"prizeKnown\": true, "
                         "\"estimatedPrize\": null}"),
              std::string::npos)
        << o.out;
    EXPECT_NE(o.out.find(" \"balance\": {\"spent\": 600, \"won\": 600000000, \"estimated\": 0, "
                         "\"wonWithEstimates\": 600000000, \"balance\": 599999400, "
                         "\"returnRate\": 100000000.0, \"unknownUnits\": 0, \"bestTier\": 1, "),
              std::string::npos)
        << o.out;

    o = Run({"tickets", "check", "--draw", "2", "--format", "csv"});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("1,1～3,2,1,2,3,4,5,6,7,2,4等,600円,未入力,\"18,200円\",家族"),
              std::string::npos)
        << o.out;
    EXPECT_NE(o.out.find("# 収支\n収支の範囲,枚数,購入額,当選額,当選額（概算を含む）,収支,回収率,"
                         "未入力（口）\n第2回,1,600円,0円,\"18,200円\",'-600円,0.0%,2\n"),
              std::string::npos)
        << o.out;
}

// A memo is counted in characters (an emoji is one of the 200), and one a
// spreadsheet would run as a formula reaches the CSV as text.
TEST_F(TicketCommandTest, MemosCountCharactersAndStayTextInTheCsv) {
    std::string emoji;
    for (int i = 0; i < 101; ++i) emoji += "\xF0\x9F\x8E\xB2";  // U+1F3B2
    Outcome o =
        Run({"tickets", "add", "--draw", "1", "--memo", emoji, "1", "2", "3", "4", "5", "6", "7"});
    ASSERT_EQ(o.status, 0) << o.err;
    o = Run({"tickets", "add", "--draw", "1", "--memo", emoji + emoji, "1", "2", "3", "4", "5", "6",
             "7"});
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("メモは200文字までです。"), std::string::npos) << o.err;
    o = Run({"tickets", "add", "--draw", "1", "--memo", "=HYPERLINK(\"http://x\")", "1", "2", "3",
             "4", "5", "6", "8"});
    ASSERT_EQ(o.status, 0) << o.err;
    o = Run({"tickets", "list", "--format", "csv"});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find(",\"'=HYPERLINK(\"\"http://x\"\")\""), std::string::npos) << o.out;
    EXPECT_NE(o.out.find(emoji), std::string::npos);
}

// Rows another program wrote past the rules every write keeps are named once
// and never used: not listed, judged or summed.  A table that lost its key
// is refused, not edited.
TEST_F(TicketCommandTest, StoredRowsAreCheckedWhenReadAndATableWithoutItsKeyIsRefused) {
    ASSERT_EQ(Run({"tickets", "add", "--draw", "1", "1", "2", "3", "4", "5", "6", "7"}).status, 0);
    {
        const Database file = Database::Open(db, Database::Mode::ReadWrite);
        file.Exec("PRAGMA ignore_check_constraints = ON");
        const char* rows[] = {
            "1, 30000000, 1, 2, 3, 4, 5, 6, 7, 1",  // a run of thirty million draws
            "1, 1, 0, 2, 3, 4, 5, 6, 99, 1",        // numbers outside 1-37
            "1, 1, 5, 5, 5, 5, 5, 5, 5, 1",         // seven equal numbers
            "1, 1, 'x', 2, 3, 4, 5, 6, 7, 1",       // text where a number belongs
            "1, 1, 1, 2, 3, 4, 5, 6, 7, -5",        // units below one
            "1, 1, 1, 2, 3, 4, 5, 6, 7, 2147483647"};
        for (const char* row : rows) {
            file.Exec(std::string("INSERT INTO 購入番号 (開始回, 終了回, 数字1, 数字2, 数字3, "
                                  "数字4, 数字5, 数字6, 数字7, 口数, 登録日時) VALUES (") +
                      row + ", '2026-01-01 00:00:00')");
        }
    }
    const std::string told = "購入番号 2, 3, 4, 5, 6, 7 は壊れているため使いません。\n";
    Outcome o = Run({"tickets", "list"});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, told);
    EXPECT_NE(o.out.find("{\"id\": 1,"), std::string::npos);
    EXPECT_EQ(o.out.find("{\"id\": 2,"), std::string::npos) << o.out;
    o = Run({"tickets", "check", "--format", "csv"});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, told);
    EXPECT_EQ(o.out.find("-5"), std::string::npos) << o.out;
    EXPECT_EQ(ReadTickets(db).size(), 1u);

    // Without its key, 番号 could name two rows: the table is not used.
    Database::Open(db, Database::Mode::ReadWrite)
        .Exec(
            "CREATE TABLE 控え AS SELECT * FROM 購入番号; DROP TABLE 購入番号; "
            "ALTER TABLE 控え RENAME TO 購入番号; INSERT INTO 購入番号 SELECT * FROM 購入番号 "
            "WHERE 番号 = 1");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"tickets", "list"},
          {"tickets", "delete", "1"},
          {"tickets", "add", "--draw", "2", "1", "2", "3", "4", "5", "6", "7"}}) {
        o = Run(args);
        EXPECT_EQ(o.status, 1) << args[1];
        EXPECT_NE(o.err.find("購入番号の表に番号の鍵がない"), std::string::npos) << o.err;
    }
    const Database file = Database::Open(db, Database::Mode::ReadOnly);
    Statement count(file, "SELECT count(*) FROM 購入番号 WHERE 番号 = 1");
    ASSERT_TRUE(count.Step());
    EXPECT_EQ(sqlite3_column_int(count.Handle(), 0), 2);
}

TEST_F(TicketCommandTest, QuickCheckCountsTiersOverEveryDraw) {
    const Outcome o = Run({"check", "1", "2", "3", "4", "5", "6", "8"});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(
        o.out.substr(0, o.out.find(", \"expectedTiers\"")),
        "{\"numbers\": [1, 2, 3, 4, 5, 6, 8], \"draws\": 2, \"tiers\": {\"1等\": 0, \"2等\": 1, "
        "\"3等\": 0, \"4等\": 1, \"5等\": 0, \"6等\": 0}, \"losing\": 0");
    EXPECT_NE(o.out.find("\"bigWins\": [{\"draw\": 1, \"mainMatches\": 6, \"bonusMatches\": 1, "
                         "\"tier\": 2}, {\"draw\": 2, \"mainMatches\": 5, \"bonusMatches\": 0, "
                         "\"tier\": 4}]}"),
              std::string::npos)
        << o.out;
}

TEST_F(TicketCommandTest, BadInputIsAUsageErrorOrARefusalAndStoresNothing) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* says;
    } cases[] = {
        {{"tickets", "add", "1", "2", "3", "4", "5", "6", "7"}, 2, "--draw"},
        {{"tickets", "add", "--draw", "3", "1", "2", "3", "4", "5", "6"}, 2, "7個の数字"},
        {{"tickets", "add", "--draw", "3", "1", "2", "3", "4", "5", "6", "38"},
         2,
         "「38」は保存されません"},
        {{"tickets", "add", "--draw", "3", "1", "2", "3", "4", "5", "6", "6"}, 2, "既にあります"},
        {{"tickets", "add", "--draw", "0", "1", "2", "3", "4", "5", "6", "7"}, 2, "購入する回"},
        {{"tickets", "add", "--draw", "3", "--units", "0", "1", "2", "3", "4", "5", "6", "7"},
         2,
         "口数"},
        // A memo that would show reversed, or bytes that are no text.
        {{"tickets", "add", "--draw", "3", "--memo", "abc\u202Edef", "1", "2", "3", "4", "5", "6",
          "7"},
         2,
         "文字の向きを変える記号"},
        {{"tickets", "add", "--draw", "3", "--memo",
          "a\xFF\xFE"
          "b",
          "1", "2", "3", "4", "5", "6", "7"},
         2,
         "文字として読めないデータ"},
        {{"tickets", "list", "--format", "xml"}, 2, "--format には json か csv"},
        {{"tickets", "delete", "x"}, 2, "整数ではありません"},
        {{"tickets", "delete", "9"}, 1, "購入番号 9 はありません"},
        {{"tickets", "import", "missing.csv"}, 1, "missing.csv"},
        {{"tickets", "frobnicate"}, 2, "知らない指定"},
        {{"tickets"}, 2, "add、list"},
        {{"check", "1", "2", "3"}, 2, "7個の数字"},
        // check saves nothing and says nothing of saving: usage errors.
        {{"check", "1", "2", "3", "4", "5", "6", "０"}, 2, "０は1から37の数字ではありません。"},
        {{"check", "1", "2", "3", "4", "5", "6", "38"}, 2, "38は1から37の数字ではありません。"},
        {{"check", "1", "2", "3", "4", "5", "6", "6"}, 2, "「6」は「第6数字」に既にあります。"},
    };
    for (const auto& c : cases) {
        const Outcome o = Run(c.args);
        EXPECT_EQ(o.status, c.status) << c.args.back() << "\n" << o.err;
        EXPECT_NE(o.err.find(c.says), std::string::npos) << o.err;
        EXPECT_TRUE(o.out.empty()) << o.out;
        // One sentence on one line; the usage only when asked for.
        EXPECT_EQ(o.err.find("使い方"), std::string::npos) << o.err;
    }
    EXPECT_TRUE(ReadTickets(db).empty());
}

}  // namespace
