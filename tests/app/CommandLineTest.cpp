#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringEncoder>
#include <QStringList>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "AppTestSupport.h"
#include "app/CommandLine.h"
#include "data/DrawStoreLoader.h"
#include "support/TestSupport.h"

namespace {

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
    // The menu's option makes no sense for a command, whose paths it would move.
    EXPECT_THROW(ParseArguments({"--data-folder", "import", "draws.csv"}, db), UserError);
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

// Excel on Japanese Windows writes Shift-JIS with other header names and
// CR LF: the same draws must give every window exactly as the bundled file.
TEST_F(CommandLine, ShiftJisExportOfTheHistoryGivesTheSameWindowsAsTheBundledFile) {
    QStringList lines = QString::fromStdString(ReadFile(BundledCsvPath())).split(u'\n');
    lines[0] = QStringLiteral(
        "開催回,日付,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,BONUS数字1,"
        "BONUS数字2");
    QStringEncoder cp932("Shift_JIS");
    WriteFile(dir.File("sj.csv"),
              QByteArray(cp932(lines.join(QStringLiteral("\r\n")))).toStdString());
    const std::string bundled = dir.File("bundled.mdb");
    ASSERT_EQ(RunCli({"import", dir.File("sj.csv")}, db).status, 0);
    ASSERT_EQ(RunCli({"import", BundledCsvPath()}, bundled).status, 0);
    std::istringstream names(RunCli({"list"}, db).out);
    std::string name;
    int windows = 0;
    while (std::getline(names, name)) {
        EXPECT_EQ(RunCli({"dump", name}, db).out, RunCli({"dump", name}, bundled).out) << name;
        ++windows;
    }
    EXPECT_EQ(windows, 18);
}

// A stored draw the file contradicts is kept and listed with status 3, or
// replaced by the file's numbers with --replace.
TEST_F(CommandLine, ConflictingDrawsAreKeptWithStatusThreeOrReplacedOnRequest) {
    const std::string header =
        "回数,抽せん日,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,"
        "ボーナス数字2\n";
    WriteFile(dir.File("first.csv"), header + "1,,1,2,3,4,5,6,7,,\n2,,1,2,3,4,5,6,7,8,9\n");
    WriteFile(dir.File("fixed.csv"), header + "1,,1,2,3,4,5,6,7,10,11\n3,,3,4,5,6,7,8,9,1,2\n");
    ASSERT_EQ(RunCli({"import", dir.File("first.csv")}, db).status, 0);

    const Outcome kept = RunCli({"import", dir.File("fixed.csv")}, db);
    EXPECT_EQ(kept.status, 3);
    EXPECT_NE(kept.err.find("第1回(2行目)は登録済みの数字「1,2,3,4,5,6,7／,」とファイルの数字"
                            "「1,2,3,4,5,6,7／10,11」が違うため、登録済みのままにしました。"),
              std::string::npos)
        << kept.err;
    EXPECT_NE(kept.out.find("1回分を追加しました。(数字が違うため登録済みのまま 1回分)"),
              std::string::npos)
        << kept.out;
    GlobalBas g;
    OpenDrawStore(g, db);
    EXPECT_FALSE(g.Draws.Rows()[0].IsComplete());

    const Outcome replaced = RunCli({"import", dir.File("fixed.csv"), "--replace"}, db);
    EXPECT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_NE(replaced.out.find("第1回(2行目)を登録済みの数字「1,2,3,4,5,6,7／,」からファイルの数字"
                                "「1,2,3,4,5,6,7／10,11」に置き換えました。"),
              std::string::npos)
        << replaced.out;
    OpenDrawStore(g, db);
    EXPECT_TRUE(g.Draws.Rows()[0].IsComplete());
    EXPECT_EQ(g.Draws.Rows()[0].Bonus2(), 11);
    EXPECT_EQ(g.LatestDrawNumber, 3);
}

QStringList KeysOf(const QJsonObject& object) {
    QStringList keys = object.keys();
    keys.sort();
    return keys;
}

TEST_F(CommandLine, BacktestPrintsTheJsonKeysAndRefusesABadRange) {
    // Draws 1 … 60; with no options file every method can predict from draw 19.
    const QStringList lines = QString::fromStdString(ReadFile(BundledCsvPath())).split(u'\n');
    WriteFile(dir.File("h60.csv"), lines.mid(0, 61).join(u'\n').toStdString() + "\n");
    ASSERT_EQ(RunCli({"import", dir.File("h60.csv")}, db).status, 0);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const Outcome json = RunCli({"backtest", "--format", "json"}, db);
    const Outcome csv = RunCli({"backtest", "--from", "20", "--format", "csv"}, db);
    const Outcome late = RunCli({"backtest", "--from", "61"}, db);
    const Outcome text = RunCli({"backtest", "--from", "2O"}, db);
    std::filesystem::current_path(previous);

    ASSERT_EQ(json.status, 0) << json.err;
    const QJsonObject top = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_EQ(KeysOf(top), QStringList({"draws", "familyMethod", "from", "maxSimulations",
                                        "methods", "seed", "simulations", "summary", "to"}));
    EXPECT_EQ(top["familyMethod"].toString(), QStringLiteral("max-|z| over simulated fair draws"));
    EXPECT_EQ(top["seed"].toInteger(), 20260701);
    EXPECT_EQ(top["maxSimulations"].toInt(), 100000);
    EXPECT_GE(top["simulations"].toInt(), 1000);
    EXPECT_LE(top["simulations"].toInt(), 100000);
    EXPECT_EQ(top["from"].toInt(), 19);
    EXPECT_EQ(top["to"].toInt(), 60);
    EXPECT_EQ(top["draws"].toInt(), 42);
    const QJsonArray methods = top["methods"].toArray();
    ASSERT_EQ(methods.size(), 7);
    EXPECT_EQ(methods[0].toObject()["name"].toString(), QStringLiteral("7回周期法"));
    EXPECT_EQ(methods[4].toObject()["name"].toString(), QStringLiteral("消去法"));
    EXPECT_EQ(methods[6].toObject()["name"].toString(), QStringLiteral("１発予想"));
    const QStringList tiers = {"1等", "2等", "3等", "4等", "5等", "6等"};
    for (const QJsonValue& value : methods) {
        const QJsonObject m = value.toObject();
        SCOPED_TRACE(m["name"].toString().toStdString());
        EXPECT_EQ(KeysOf(m),
                  QStringList({"exactPValue", "expectedMatchShares", "expectedMeanMatches",
                               "expectedTiers", "familyPError", "familyPValue", "matchCounts",
                               "meanMatches", "name", "pValue", "tickets", "tiers", "verdict"}));
        // The adjustment for seven methods never lowers a p-value.
        EXPECT_GE(m["familyPValue"].toDouble(), m["exactPValue"].toDouble());
        const int tickets = m["tickets"].toInt();
        EXPECT_GE(tickets, 42);
        int counted = 0;
        for (const QJsonValue& count : m["matchCounts"].toArray()) counted += count.toInt();
        EXPECT_EQ(counted, tickets);
        EXPECT_EQ(m["expectedMatchShares"].toArray().size(), 8);
        // Rows hold one to seven numbers: chance gives 7/37 to 49/37 matches a row.
        const double expected = m["expectedMeanMatches"].toDouble();
        EXPECT_GE(expected, 7.0 / 37 - 1e-9);
        EXPECT_LE(expected, 49.0 / 37 + 1e-9);
        EXPECT_NEAR(m["meanMatches"].toDouble(), expected, 0.6);
        EXPECT_EQ(KeysOf(m["tiers"].toObject()), tiers);
        // Only rows of seven can win a tier: at most one 5等 in 72.45 tickets.
        const double fifth = m["expectedTiers"].toObject()["5等"].toDouble();
        EXPECT_GE(fifth, 0.0);
        EXPECT_LE(fifth, tickets * 142100.0 / 10295472 + 1e-9);
        EXPECT_GT(m["pValue"].toDouble(), 0.0);
        EXPECT_LE(m["pValue"].toDouble(), 1.0);
        EXPECT_TRUE(m["verdict"].toString().endsWith(QStringLiteral("。")));
    }
    EXPECT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.out.rfind("# 予想の検証\n検証した回,第20回～第60回の41回を検証", 0), 0u)
        << csv.out;
    EXPECT_EQ(late.status, 2);
    EXPECT_EQ(late.err.rfind("--from には19～60の回数を指定してください", 0), 0u) << late.err;
    EXPECT_TRUE(late.out.empty());
    EXPECT_EQ(text.status, 2);
    EXPECT_EQ(text.err.rfind("--from には回数を整数で指定してください。", 0), 0u) << text.err;
}

TEST_F(CommandLine, RandomnessPrintsEveryTestTheFamilyAndTheConclusion) {
    ASSERT_EQ(RunCli({"import", BundledCsvPath()}, db).status, 0);
    const Outcome json = RunCli({"randomness", "--from", "100", "--to", "299", "--seed", "5"}, db);
    const Outcome again = RunCli({"randomness", "--from", "100", "--to", "299", "--seed", "5"}, db);
    const Outcome csv = RunCli({"randomness", "--format", "csv"}, db);
    const Outcome few = RunCli({"randomness", "--simulations", "999"}, db);
    const Outcome seed = RunCli({"randomness", "--seed", "-1"}, db);
    const Outcome late = RunCli({"randomness", "--from", "690"}, db);
    const Outcome one = RunCli({"randomness", "--from", "5", "--to", "5"}, db);

    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out, again.out);  // the seed makes the p-values repeatable
    const QJsonObject top = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_EQ(KeysOf(top), QStringList({"conclusion", "draws", "familyMethod", "from",
                                        "maxSimulations", "seed", "simulations", "tests", "to"}));
    EXPECT_EQ(top["draws"].toInt(), 200);
    EXPECT_EQ(top["seed"].toInt(), 5);
    EXPECT_EQ(top["maxSimulations"].toInt(), 10000);
    const int simulated = top["simulations"].toInt();
    EXPECT_GE(simulated, 1000);
    EXPECT_LE(simulated, 10000);
    EXPECT_EQ(top["familyMethod"].toString(), QStringLiteral("Holm"));
    const QJsonArray tests = top["tests"].toArray();
    ASSERT_EQ(tests.size(), 9);
    EXPECT_EQ(tests[0].toObject()["name"].toString(), QStringLiteral("本数字の出現回数"));
    // Thirty-seven bars of 200 · 7/37 draws each.
    const QJsonArray bars = tests[0].toObject()["bars"].toArray();
    ASSERT_EQ(bars.size(), 37);
    EXPECT_NEAR(bars[0].toObject()["expected"].toDouble(), 1400.0 / 37, 1e-9);
    for (const QJsonValue& test : tests) {
        const QJsonObject t = test.toObject();
        EXPECT_GE(t["holmPValue"].toDouble(), t["pValue"].toDouble());
        // (1 + k) / (1 + simulated), with the error of a share of k
        const double k = t["pValue"].toDouble() * (1 + simulated) - 1;
        EXPECT_NEAR(k, std::round(k), 1e-6);
        const double shrunk = (1 + std::round(k)) / (2.0 + simulated);
        EXPECT_NEAR(t["pError"].toDouble(), std::sqrt(shrunk * (1 - shrunk) / simulated), 1e-12);
    }

    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(
        csv.out.rfind("# 乱数性の検定\n検定した回,第1回～第689回の689回　p値は偶然の抽せん", 0), 0u)
        << csv.out;
    EXPECT_NE(
        csv.out.find("通りのシミュレーション（答えがはっきりした所で終了、最大10000通り、シード "
                     "20260702）"),
        std::string::npos)
        << csv.out;
    EXPECT_NE(csv.out.find("結論,抽せんは公平なものと矛盾しません。"), std::string::npos);
    EXPECT_EQ(few.status, 2);
    EXPECT_EQ(few.err.rfind("--simulations には10000～1000000の整数を指定してください。", 0), 0u);
    EXPECT_EQ(seed.status, 2);
    EXPECT_EQ(seed.err.rfind("--seed には0～18446744073709551615の整数を指定してください。", 0),
              0u);
    EXPECT_EQ(late.status, 2);
    EXPECT_EQ(late.err.rfind("--from には1～689の整数を指定してください。", 0), 0u);
    EXPECT_EQ(one.status, 2);
    EXPECT_TRUE(one.out.empty());
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
