#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "support/TestSupport.h"

namespace {

struct Outcome {
    int status = 0;
    std::string out, err;
};

Outcome RunCli(const std::vector<std::string>& args, const std::string& db) {
    std::ostringstream out, err;
    Outcome o;
    o.status = RunHeadlessCommand(ParseArguments(args, db), out, err);
    o.out = out.str();
    o.err = err.str();
    return o;
}

class CommandLine : public ::testing::Test {
protected:
    TempDir dir;
    std::string db = dir.File("Loto7Kazoria.mdb");
};

TEST_F(CommandLine, ImportThenDumpPrintsTheCountClassWindowAsJson) {
    ASSERT_EQ(RunCli({"import", BundledCsvPath()}, db).status, 0);
    const Outcome dump = RunCli({"dump", "回数別出現分析", "--format", "json"}, db);
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(dump.out.rfind("{\"window\": \"回数別出現分析\", \"caption\": \"回数別頻度分析\"", 0),
              0u);
    EXPECT_NE(dump.out.find("\"name\": \"fpSpread1\", \"columns\": 2"), std::string::npos);
    EXPECT_NE(dump.out.find("{\"col\": 1, \"row\": 1, \"text\": \"出 現\", \"fore\": \"#000000\", "
                            "\"back\": \"#ffc8c8\"}"),
              std::string::npos);
    const Outcome csv = RunCli({"dump", "回数別出現分析", "--db", db, "--format", "csv"}, "unused");
    EXPECT_EQ(csv.out.rfind("# fpSpread1\n出 現,数 字\n", 0), 0u) << csv.out;
}

TEST_F(CommandLine, ErrorsGoToStandardErrorWithNonZeroStatus) {
    const Outcome missing = RunCli({"dump", "回数別出現分析"}, db);
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.err.find("見つかりません"), std::string::npos);
    EXPECT_TRUE(missing.out.empty());
    RunCli({"import", BundledCsvPath()}, db);
    EXPECT_NE(RunCli({"dump", "無いウィンドウ"}, db).status, 0);
    EXPECT_NE(RunCli({"dump", "回数別出現分析", "--format", "xml"}, db).status, 0);
    EXPECT_NE(RunCli({"frobnicate"}, db).status, 0);
    EXPECT_THROW(ParseArguments({"dump", "--db"}, db), UserError);
    EXPECT_THROW(ParseArguments({"--bogus"}, db), UserError);
}

TEST_F(CommandLine, ListNamesEveryDumpableWindow) {
    const Outcome list = RunCli({"list"}, db);
    EXPECT_EQ(list.status, 0);
    std::istringstream lines(list.out);
    std::string name;
    while (std::getline(lines, name)) {
        RunCli({"import", BundledCsvPath()}, db);
        const Outcome dump = RunCli({"dump", name}, db);
        EXPECT_EQ(dump.status, 0) << name << ": " << dump.err;
        EXPECT_NE(dump.out.find("\"window\": \"" + name + "\""), std::string::npos);
    }
}

TEST(GridDumpJson, EscapesTextAndListsOnlyCellsThatShowSomething) {
    TempDir dir;
    const std::string db = dir.File("x.mdb");
    WriteFile(dir.File("x.csv"),
              "回数,抽せん日,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,"
              "ボーナス数字1,ボーナス数字2\n");
    ASSERT_EQ(RunCli({"import", dir.File("x.csv")}, db).status, 0);
    const Outcome dump = RunCli({"dump", "回数別出現分析"}, db);
    EXPECT_EQ(dump.status, 0) << dump.err;
    EXPECT_NE(dump.out.find("\"rows\": 1"), std::string::npos) << dump.out;
}

}  // namespace
