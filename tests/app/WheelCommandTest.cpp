#include <gtest/gtest.h>

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
          "\"lowerBoundName\": \"Schönheimの下界\"", "\"greedyTickets\": ", "\"seed\": 3",
          "\"odds\": {\"1等\": {\"wheel\": ", "\"any\": {", "\"tickets\": [", "\"cost\": "}) {
        EXPECT_NE(o.out.find(key), std::string::npos) << key;
    }
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
        {{"wheel", "--verify", dir.File("missing.csv")}, "missing.csv"},
    };
    for (const auto& b : bad) {
        const Outcome o2 = RunCli(b.args, db);
        EXPECT_EQ(o2.status, 2) << b.message;
        EXPECT_NE(o2.err.find(b.message), std::string::npos) << o2.err;
    }
}

}  // namespace
