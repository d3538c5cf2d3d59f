#include <gtest/gtest.h>

#include <QString>
#include <string>

#include "core/YenText.h"
#include "paste/ResultText.h"

namespace {

using Nine = std::array<int, kFieldCount>;
const Nine kNine = {1, 5, 12, 18, 23, 30, 35, 8, 21};

PasteReading Read(const std::string& text, const KnownDrawDate& known = {}) {
    return ReadPastedResults(QString::fromStdString(text), known);
}

// One draw read with certainty: its number, date and numbers.
struct ReadForm {
    const char* name;
    std::string text;
    int draw;
    const char* date;  // yyyy-MM-dd
};

// The forms pages, tables, newspapers and spreadsheets write one result in.
const ReadForm kReadForms[] = {
    {"newspaper line", "第707回 2026/12/04 01 05 12 18 23 30 35 (08)(21)", 707, "2026-12-04"},
    {"labels on lines",
     "ロト7 第707回\n抽せん日 2026年12月4日(金)\n本数字\n01 05 12 18 23 30 35\nボーナス数字\n(08) "
     "(21)",
     707, "2026-12-04"},
    {"full-width digits, 、 and 【】",
     "第７０７回 ２０２６－１２－０４ 本数字：１、５、１２、１８、２３、３０、３５ "
     "ボーナス数字：【８】【２１】",
     707, "2026-12-04"},
    {"era date with weekday, ・ and B",
     "707回 令和8年12月4日(金) 01・05・12・18・23・30・35 B 08 21", 707, "2026-12-04"},
    {"short era date, BONUS, tabs and full-width spaces",
     "第707回\tR8.12.4\t01\t05\t12　18　23　30　35\tBONUS\t08,21", 707, "2026-12-04"},
    {"[] brackets, line breaks between numbers",
     "第707回 2026/12/4\n1\n5\n12\n18\n23\n30\n35\n[8]\n[21]", 707, "2026-12-04"},
    {"spreadsheet with a heading row",
     "回\t日付\t第1数字\t第2数字\t第3数字\t第4数字\t第5数字\t第6数字\t第7数字\tB1\tB2\n"
     "707\t2026/12/04\t1\t5\t12\t18\t23\t30\t35\t8\t21",
     707, "2026-12-04"},
    {"results table with merged headings",
     "回号\t抽せん日\t本数字\t\t\t\t\t\t\tボーナス数字\t\n"
     "第707回\t2026年12月4日\t01\t05\t12\t18\t23\t30\t35\t(08)\t(21)",
     707, "2026-12-04"},
    {"HTML table",
     "<table><tr><th>回別</th><th>抽せん日</th><th>本数字</th><th>ボーナス数字</th></tr>"
     "<tr><td>第707回</td><td>2026/12/04</td><td>01 05 12 18 23 30 35</td><td>(08) (21)</td></tr>"
     "</table>",
     707, "2026-12-04"},
    {"payment period dates are not the draw's",
     "第707回 2026/12/04 01 05 12 18 23 30 35 (08)(21)\n支払期間 2026年12月7日～2027年12月7日", 707,
     "2026-12-04"},
    {"the first era year", "第283回 令和元年5月1日 01 05 12 18 23 30 35 (08)(21)", 283,
     "2019-05-01"},
    {"the era before, short", "第1回 H25.4.5 01 05 12 18 23 30 35 (08)(21)", 1, "2013-04-05"},
    {"several tiers on one line, then the numbers",
     "第707回 2026-12-04\n1等 該当なし 2等 3口 12,345,600円\n本数字 1 5 12 18 23 30 35 B 8 21", 707,
     "2026-12-04"},
    {"the first era year as 1", "第283回 令和1年5月1日 01 05 12 18 23 30 35 (08)(21)", 283,
     "2019-05-01"},
};

TEST(PastedResults, ReadsEveryFormOfOneResult) {
    for (const ReadForm& form : kReadForms) {
        SCOPED_TRACE(form.name);
        const PasteReading reading = Read(form.text);
        ASSERT_TRUE(reading.refusal.isEmpty()) << reading.refusal.toStdString();
        ASSERT_EQ(reading.draws.size(), 1u);
        const PastedDraw& d = reading.draws[0];
        EXPECT_EQ(d.problem.toStdString(), "");
        EXPECT_EQ(d.drawNumber, form.draw);
        EXPECT_EQ(d.date.toString(Qt::ISODate).toStdString(), form.date);
        EXPECT_TRUE(d.hasNumbers);
        EXPECT_EQ(d.numbers, kNine);
    }
}

// Texts that must not be read as a draw, and the words of the reason shown.
struct Refused {
    const char* name;
    std::string text;
    const char* reason;
};

const Refused kRefused[] = {
    {"eight main numbers", "第707回 2026/12/04 01 05 12 18 23 30 35 36 (08)(21)", "8個"},
    {"a number past 37", "第707回 2026/12/04 01 05 12 18 23 30 38 (08)(21)", "「38」"},
    {"a zero", "第707回 2026/12/04 00 05 12 18 23 30 35 (08)(21)", "「00」"},
    {"a main number twice", "第707回 2026/12/04 01 05 12 18 23 30 30 (08)(21)", "30が2回"},
    {"a bonus number among the main ones", "第707回 2026/12/04 01 05 12 18 23 30 35 (05)(21)",
     "ボーナス数字の5が本数字にも"},
    {"two dates", "第707回 2026/12/04 2026/12/11 01 05 12 18 23 30 35 (08)(21)", "日付が2つ"},
    {"a day the calendar lacks", "第707回 2026/02/30 01 05 12 18 23 30 35 (08)(21)", "暦にない"},
    {"nine numbers without a bonus mark", "第707回 2026/12/04 01 05 12 18 23 30 35 08 21",
     "どれがボーナス数字か"},
    {"one bonus number", "第707回 2026/12/04 01 05 12 18 23 30 35 (08)", "2個ではなく1個"},
    {"Loto 6 by its shape", "第2060回 2026/12/03 01 05 12 18 23 30 (08)", "ロト6の結果のようです"},
    {"Loto 6 by its name", "ロト6 第2060回 本数字 01 05 12 18 23 30 35 ボーナス 08 21",
     "ロト6の結果のようです"},
    {"Mini Loto by its shape", "第1300回 2026/12/01 01 05 12 18 23 (08)",
     "ミニロトの結果のようです"},
    {"a spreadsheet row without headings", "707\t2026/12/04\t1\t5\t12\t18\t23\t30\t35\t(8)\t(21)",
     "何回の結果か分かりません"},
    {"one draw written twice with other numbers",
     "第707回 2026/12/04 01 05 12 18 23 30 35 (08)(21)\n第707回 01 05 12 18 23 30 36 (08)(21)",
     "違う数字"},
    {"a tier without its winners", "第707回 2026/12/04 01 05 12 18 23 30 35 (08)(21)\n1等 7億円",
     "1等の「7億円」"},
    {"an amount where nobody won",
     "第707回 2026/12/04 01 05 12 18 23 30 35 (08)(21)\n1等 0口 700,000,000円", "該当なし（0口）"},
    {"a year-less date with no dated draw near", "第707回 12月4日 01 05 12 18 23 30 35 (08)(21)",
     "年が分かりません"},
};

TEST(PastedResults, NeverGuessesAndSaysWhyWithTheTextItCameFrom) {
    for (const Refused& r : kRefused) {
        SCOPED_TRACE(r.name);
        const PasteReading reading = Read(r.text);
        ASSERT_TRUE(reading.refusal.isEmpty()) << reading.refusal.toStdString();
        ASSERT_FALSE(reading.draws.empty());
        const PastedDraw& d = reading.draws.back();
        EXPECT_NE(d.problem.toStdString().find(r.reason), std::string::npos)
            << d.problem.toStdString();
        EXPECT_FALSE(d.source.isEmpty());
    }
}

TEST(PastedResults, ReadsThePrizeLinesOfAResultPage) {
    const PasteReading reading = Read(
        "第707回 ロト7\n抽せん日 2026年12月4日(金)\n本数字 01 05 12 18 23 30 35\n"
        "ボーナス数字 (08) (21)\n"
        "等級\t口数\t当せん金額\n"
        "1等\t該当なし\t該当なし\n"
        "2等\t12口\t1億2,345万6,700円\n"
        "3等\t173口\t571,800円\n"
        "4等\t8,765口\t6,500円\n"
        "5等\t143,210口\t1,400円\n"
        "6等\t245,678口\t1,000円\n"
        "キャリーオーバー\t1,234,567,890円\n"
        "販売実績額\t3,003,258,600円\n");
    ASSERT_EQ(reading.draws.size(), 1u);
    const PastedDraw& d = reading.draws[0];
    ASSERT_EQ(d.problem.toStdString(), "");
    EXPECT_EQ(d.numbers, kNine);
    const PrizeLine expected[] = {{0, 0},         {12, 123'456'700}, {173, 571'800},
                                  {8'765, 6'500}, {143'210, 1'400},  {245'678, 1'000}};
    for (int t = 0; t < kPrizeTierCount; ++t) {
        ASSERT_TRUE(d.prizes.tiers[t]) << t + 1;
        EXPECT_EQ(*d.prizes.tiers[t], expected[t]) << t + 1;
    }
    EXPECT_EQ(d.prizes.carryOver, 1'234'567'890);
    EXPECT_EQ(d.prizes.sales, 3'003'258'600);
}

TEST(PastedResults, ManyDrawsComeInDrawOrderAndYearlessDatesTakeTheirNeighboursYear) {
    // A list across the new year: 12月31日 belongs to 2026, 1月8日 to 2027.
    const PasteReading reading = Read(
        "第711回 1月8日 01 05 12 18 23 30 35 (08)(21)\n"
        "第709回 2026/12/25 02 05 12 18 23 30 35 (08)(21)\n"
        "第710回 12月31日 03 05 12 18 23 30 35 (08)(21)\n");
    ASSERT_EQ(reading.draws.size(), 3u);
    EXPECT_EQ(reading.draws[0].drawNumber, 709);
    EXPECT_EQ(reading.draws[1].date, QDate(2026, 12, 31));
    EXPECT_EQ(reading.draws[2].date, QDate(2027, 1, 8));
    for (const PastedDraw& d : reading.draws) EXPECT_EQ(d.problem.toStdString(), "");

    // With none pasted, the stored draws' dates give the year.
    const auto stored = [](int n) { return n == 706 ? QDate(2026, 11, 13) : QDate(); };
    const PasteReading alone = Read("第707回 11月20日 01 05 12 18 23 30 35 (08)(21)", stored);
    ASSERT_EQ(alone.draws.size(), 1u);
    EXPECT_EQ(alone.draws[0].date, QDate(2026, 11, 20));
}

TEST(PastedResults, RefusesWholeTextsThatAreNoResults) {
    EXPECT_EQ(Read("").refusal.toStdString(), "貼り付けた文字がありません。");
    EXPECT_EQ(Read(" \n\t　\n").refusal.toStdString(), "貼り付けた文字がありません。");
    EXPECT_NE(Read("今週の天気は晴れです。").refusal.toStdString().find("見つかりませんでした"),
              std::string::npos);
    // Navigation links to other draws hold no result.
    EXPECT_FALSE(Read("第705回 第706回 第707回").refusal.isEmpty());
    // 10,000 lines are read (the last one ending in a line break), 10,001 are not.
    std::string lines = "第707回 2026/12/04 01 05 12 18 23 30 35 (08)(21)";
    lines += std::string(static_cast<std::size_t>(kMostPastedLines) - 1, '\n');
    EXPECT_TRUE(Read(lines + "\n").refusal.isEmpty());
    EXPECT_NE(Read(lines + "\nx").refusal.toStdString().find("多すぎます"), std::string::npos);
    const std::string big(static_cast<std::size_t>(kMostPastedBytes) + 1, 'x');
    EXPECT_NE(Read(big).refusal.toStdString().find("多すぎます"), std::string::npos);
    std::string png = "\x89PNG\r\n\x1a\n";
    png += std::string("\0\0\0\rIHDR", 8);
    EXPECT_NE(ReadPastedResultBytes(png).refusal.toStdString().find("文字のデータではありません"),
              std::string::npos);
}

TEST(PastedResults, ShiftJisBytesAreReadLikeUtf8) {
    // "第707回 2026/12/04 本数字 01 05 12 18 23 30 35 ボーナス数字 08 21" in code page 932.
    const std::string sjis =
        "\x91\xe6"
        "707\x89\xf1 2026/12/04 \x96\x7b\x90\x94\x8e\x9a 01 05 12 18 23 30 35 "
        "\x83\x7b\x81\x5b\x83\x69\x83\x58\x90\x94\x8e\x9a 08 21";
    const PasteReading reading = ReadPastedResultBytes(sjis);
    ASSERT_EQ(reading.draws.size(), 1u);
    EXPECT_EQ(reading.draws[0].problem.toStdString(), "");
    EXPECT_EQ(reading.draws[0].numbers, kNine);
}

TEST(YenAmounts, ReadAsPagesWriteThemAndNothingElse) {
    const std::pair<const char*, std::int64_t> read[] = {{"700,000,000円", 700'000'000},
                                                         {"7億円", 700'000'000},
                                                         {"1億2,345万6,700円", 123'456'700},
                                                         {"6,500円", 6'500},
                                                         {"0円", 0},
                                                         {"12万円", 120'000},
                                                         {"3億4万", 300'040'000},
                                                         {"1234", 1'234}};
    for (const auto& [text, yen] : read) {
        EXPECT_EQ(ReadYen(QString::fromUtf8(text)), std::optional<std::int64_t>(yen)) << text;
    }
    for (const char* bad : {"", "円", "1万2億", "1万10000", ",100円", "1,00,0円", "-5円", "5.5円",
                            "1兆円", "10000億円"}) {
        EXPECT_EQ(ReadYen(QString::fromUtf8(bad)), std::nullopt) << bad;
    }
    EXPECT_EQ(YenText(1'234'567'890), "1,234,567,890円");
    EXPECT_EQ(YenText(0), "0円");
}

}  // namespace
