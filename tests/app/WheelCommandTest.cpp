#include <gtest/gtest.h>

#include <algorithm>

#include "AppTestSupport.h"

namespace {

TEST(WheelCommand, PrintsTicketsProofBoundAndOdds) {
    TempDir dir;
    const std::string db = dir.File("Loto7Kazoria.mdb");
    ImportCsv(BundledCsvPath(), db);
    const Outcome o = RunCli(
        {"wheel", "--numbers", "1,2,3,4,5,6,7,8,9,10,11,12", "--guarantee", "4/4", "--seed", "3"},
        db);
    ASSERT_EQ(o.status, 0) << o.err;
    for (const char* key :
         {"\"numbers\": [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12]", "\"keys\": []",
          "\"guarantee\": {\"t\": 4, \"m\": 4, \"holds\": true, \"cases\": 495, \"missedCase\": "
          "null}",
          "\"guaranteeTable\": [{\"m\": 1, \"t\": 1", "\"lowerBound\": 19",
          "\"lowerBoundName\": \"Schönheimの下界\"", "\"greedyTickets\": ", "\"startCut\": false",
          "\"seed\": 3", "\"odds\": {\"1等\": {\"wheel\": ", "\"any\": {", "\"tickets\": [",
          "\"cost\": "}) {
        EXPECT_NE(o.out.find(key), std::string::npos) << key;
    }
    // Out of time before the greedy start is made: a verified set all the
    // same, and the table says how it was made.
    const Outcome cut = RunCli({"wheel", "--numbers", "1-24", "--guarantee", "6/6", "--seconds",
                                "0.001", "--format", "csv"},
                               db);
    ASSERT_EQ(cut.status, 0) << cut.err;
    EXPECT_NE(
        cut.out.find("（時間内に作り終わらなかったため、残りの場合は1つにつき1枚で補いました）"),
        std::string::npos);
    EXPECT_NE(cut.out.find("全134,596通りを確かめ、成り立ちます"), std::string::npos);
    // A list the user brings: its guarantee, or the case it misses.
    const std::string list = dir.File("list.csv");
    WriteFile(list, "2,3,4,5,6,7,8\n1,3,4,5,6,7,8\n1,2,4,5,6,7,8\n");
    const Outcome verified = RunCli({"wheel", "--verify", list, "--guarantee", "3/3"}, db);
    ASSERT_EQ(verified.status, 0) << verified.err;
    EXPECT_NE(verified.out.find("\"holds\": false, \"cases\": 56, \"missedCase\": [1, 2, 3]"),
              std::string::npos);
    const Outcome csv = RunCli({"wheel", "--verify", list, "--format", "csv"}, db);
    EXPECT_EQ(csv.out.rfind("# tickets\n", 0), 0u);
    // Bad input: a message and status 2.
    const struct {
        std::vector<std::string> args;
        const char* message;
    } bad[] = {
        {{"wheel", "--numbers", "1,2,x", "--guarantee", "3/3"}, "--numbers は"},
        {{"wheel", "--numbers", "1,2,3,4,5,6,7,8", "--guarantee", "3"}, "--guarantee は"},
        {{"wheel", "--numbers", "1,2,3,4,5,6,7,8", "--guarantee", "3/3", "--seconds", "61"},
         "--seconds は"},
        {{"wheel", "--numbers", "1,2,3,4,5,6,7", "--guarantee", "3/3"}, "数字は8個以上"},
        {{"wheel", "--numbers", "1,2,3,4,5,6,7,8"},
         "wheel には --numbers と --guarantee が必要です。"},
    };
    for (const auto& b : bad) {
        const Outcome o2 = RunCli(b.args, db);
        EXPECT_EQ(o2.status, 2) << b.message;
        EXPECT_NE(o2.err.find(b.message), std::string::npos) << o2.err;
    }
}

// A wheel as small as its lower bound says so; one above it does not.
TEST(WheelCommand, AWheelAtItsLowerBoundIsCalledTheSmallest) {
    TempDir dir;
    const std::string db = dir.File("Loto7Kazoria.mdb");
    ImportCsv(BundledCsvPath(), db);
    const Outcome nine =
        RunCli({"wheel", "--numbers", "1-9", "--guarantee", "4/4", "--format", "csv"}, db);
    ASSERT_EQ(nine.status, 0) << nine.err;
    EXPECT_NE(nine.out.find("\n購入枚数,6枚（1800円、1枚300円）\n"), std::string::npos) << nine.out;
    EXPECT_NE(
        nine.out.find(
            "\n下界,6枚（Schönheimの下界）　下界に達したので、これより少ない枚数はありません\n"),
        std::string::npos)
        << nine.out;
    const Outcome twelve = RunCli(
        {"wheel", "--numbers", "1-12", "--guarantee", "4/4", "--seconds", "0.5", "--format", "csv"},
        db);
    ASSERT_EQ(twelve.status, 0) << twelve.err;
    EXPECT_NE(twelve.out.find("\n下界,19枚（Schönheimの下界）\n"), std::string::npos) << twelve.out;
}

// A ticket list as people write it: spaces, tabs, 「、」 or commas between the
// numbers, lines numbered or not.  A file that cannot be read or reads wrong
// is a file problem: status 1 and one line naming the file and the line.
TEST(WheelCommand, VerifyReadsEverySeparatorAndNamesTheWrongLine) {
    TempDir dir;
    const std::string db = dir.File("Loto7Kazoria.mdb");
    ImportCsv(BundledCsvPath(), db);
    const std::string list = dir.File("list.txt");
    WriteFile(list, "2 3 4 5 6 7 8\n1\t3\t4\t5\t6\t7\t8\n3: 1、2、4、5、6、7、8\n");
    const Outcome o = RunCli({"wheel", "--verify", list, "--guarantee", "3/3"}, db);
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("\"holds\": false, \"cases\": 56, \"missedCase\": [1, 2, 3]"),
              std::string::npos);
    const struct {
        const char* text;
        const char* message;
    } wrong[] = {
        {"1 2 3 4 5 6 7\n1 2 3 x 5 6 7\n", "list.txt の2行目：数字でないものがあります。\n"},
        {"1 2 3 4 5 6 7 8\n", "list.txt の1行目：1行に1～37の異なる数字を7個書いてください。\n"},
        {"\n# none\n", "list.txt に購入番号がありません。\n"},
    };
    for (const auto& w : wrong) {
        WriteFile(list, w.text);
        const Outcome bad = RunCli({"wheel", "--verify", list}, db);
        EXPECT_EQ(bad.status, 1) << w.text;
        EXPECT_TRUE(bad.err.ends_with(w.message)) << bad.err;
        EXPECT_EQ(std::count(bad.err.begin(), bad.err.end(), '\n'), 1) << bad.err;
    }
    const Outcome missing = RunCli({"wheel", "--verify", dir.File("missing.csv")}, db);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("missing.csv"), std::string::npos) << missing.err;
    EXPECT_EQ(missing.err.find("使い方"), std::string::npos) << missing.err;
}

}  // namespace
