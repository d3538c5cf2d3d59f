#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>

#include "AppTestSupport.h"

namespace {

class FilterCommand : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(RunCli({"import", BundledCsvPath()}, db).status, 0); }

    QJsonObject Json(const std::vector<std::string>& args) {
        std::vector<std::string> all = {"filter"};
        all.insert(all.end(), args.begin(), args.end());
        const Outcome o = RunCli(all, db);
        EXPECT_EQ(o.status, 0) << o.err;
        return QJsonDocument::fromJson(QByteArray::fromStdString(o.out)).object();
    }

    TempDir dir;
    std::string db = dir.File("Loto7Kazoria.mdb");
};

// The combinations of seven numbers from 1 … 37 with a main sum in
// [100, 160] and three or four odd numbers, counted number by number over
// (numbers taken, sum, odd numbers) rather than combination by combination.
std::uint64_t CountBySumAndOdd() {
    // ways[k][s][o]
    static std::array<std::array<std::array<std::uint64_t, 8>, 239>, 8> ways{};
    ways[0][0][0] = 1;
    for (int n = 1; n <= 37; ++n) {
        for (int k = 6; k >= 0; --k) {
            for (int s = 0; s + n <= 238; ++s) {
                for (int o = 0; o + (n % 2) <= 7; ++o)
                    ways[k + 1][s + n][o + n % 2] += ways[k][s][o];
            }
        }
    }
    std::uint64_t count = 0;
    for (int s = 100; s <= 160; ++s) count += ways[7][s][3] + ways[7][s][4];
    return count;
}

TEST_F(FilterCommand, SumAndOddCountsMatchAnIndependentCountAndThePastDraws) {
    const QJsonObject o = Json({"--sum", "100-160", "--odd", "3,4"});
    for (const char* key : {"total", "passing", "share", "latestDraw", "pastDraws", "pastPassing",
                            "pastShare", "filters"}) {
        EXPECT_TRUE(o.contains(key)) << key;
    }
    EXPECT_FALSE(o.contains("tickets"));
    EXPECT_EQ(o["total"].toInteger(), 10'295'472);
    EXPECT_EQ(o["passing"].toInteger(), static_cast<qint64>(CountBySumAndOdd()));
    int past = 0, draws = 0;
    for (const DrawRecord& d : RealHistory().Draws.Rows()) {
        int sum = 0, odd = 0;
        for (int k = 0; k < 7; ++k) sum += d.Main(k), odd += d.Main(k) % 2;
        past += sum >= 100 && sum <= 160 && (odd == 3 || odd == 4);
        ++draws;
    }
    EXPECT_EQ(o["pastDraws"].toInt(), draws);
    EXPECT_EQ(o["pastPassing"].toInt(), past);
    EXPECT_EQ(o["latestDraw"].toInt(), 689);

    const QJsonArray filters = o["filters"].toArray();
    ASSERT_EQ(filters.size(), 2);
    const QJsonObject sum = filters[0].toObject();
    EXPECT_EQ(sum["key"].toString(), "sum");
    EXPECT_EQ(sum["label"].toString(), QStringLiteral("本数字合計"));
    EXPECT_EQ(sum["window"].toString(), QStringLiteral("数字合計分析"));
    EXPECT_EQ(sum["condition"].toString(), QStringLiteral("100～160"));
    for (const char* key : {"note", "passing", "share", "pastPassing", "pastShare"}) {
        EXPECT_TRUE(sum.contains(key)) << key;
    }
    EXPECT_EQ(filters[1].toObject()["key"].toString(), "odd");
}

TEST_F(FilterCommand, TheSameSeedPrintsTheSameTickets) {
    const std::vector<std::string> args = {"--consecutive", "0", "--include", "7", "--not-won",
                                           "--generate",    "4", "--seed",    "99"};
    const QJsonObject first = Json(args);
    const QJsonObject tickets = first["tickets"].toObject();
    EXPECT_EQ(tickets["method"].toString(), "random");
    EXPECT_EQ(tickets["seed"].toInteger(), 99);
    EXPECT_EQ(tickets["requested"].toInt(), 4);
    const QJsonArray numbers = tickets["numbers"].toArray();
    ASSERT_EQ(numbers.size(), 4);
    for (const QJsonValue& ticket : numbers) {
        const QJsonArray t = ticket.toArray();
        ASSERT_EQ(t.size(), 7);
        EXPECT_TRUE(t.contains(7));
        for (int k = 1; k < 7; ++k) EXPECT_GT(t[k].toInt(), t[k - 1].toInt() + 1);
    }
    EXPECT_EQ(Json(args)["tickets"], first["tickets"]);

    const Outcome csv =
        RunCli({"filter", "--odd", "7", "--generate", "2", "--seed", "3", "--format", "csv"}, db);
    EXPECT_EQ(csv.out.rfind("# 絞り込みの条件\n条件,指定,もとにした分析,残る組合せ,", 0), 0u)
        << csv.out;
    EXPECT_NE(csv.out.find("# 作成した組合せ（乱数の種 3）\nNo.,数字1,"), std::string::npos);
}

TEST_F(FilterCommand, BadConditionsEndWithAUsageErrorInJapanese) {
    const std::vector<std::vector<std::string>> bad = {
        {"--sum", "160-100"}, {"--sum", "abc"},    {"--odd", "8"},           {"--low", "3,,4"},
        {"--range4", "1/2"},  {"--include", "38"}, {"--at-least", "9:1,2"},  {"--generate", "0"},
        {"--seed", "5"},      {"--spread"},        {"--same-digit-max", "0"}};
    for (const auto& args : bad) {
        std::vector<std::string> all = {"filter"};
        all.insert(all.end(), args.begin(), args.end());
        const Outcome o = RunCli(all, db);
        EXPECT_EQ(o.status, 2) << args[0];
        EXPECT_TRUE(o.out.empty()) << args[0];
        EXPECT_EQ(o.err.rfind(args[0] + " ", 0), 0u) << o.err;
        EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err;  // one line
    }
    EXPECT_THROW(ParseArguments({"filter", "--sum"}, db), UserError);
    EXPECT_THROW(ParseArguments({"filter", "--bogus", "1"}, db), UserError);
    EXPECT_THROW(ParseArguments({"dump", "数字合計分析", "--odd", "3"}, db), UserError);
}

}  // namespace
