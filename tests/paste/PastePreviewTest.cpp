#include <gtest/gtest.h>

#include "data/CsvImport.h"
#include "data/PrizeStore.h"
#include "paste/PastePreview.h"
#include "support/DrawDatabase.h"

namespace {

// Draws 1 and 2 stored with dates, 1 with its 6等 line.
class Paste : public ::testing::Test {
  protected:
    TempDir dir;
    std::string db =
        CreateDrawDatabase(dir, {"1, 7,10,12,17,23,28,34,3,15", "2, 20,24,29,31,33,34,35,12,32"});

    void SetUp() override {
        const Database file = Database::Open(db, Database::Mode::ReadWrite);
        file.Exec(
            "UPDATE 当選データ SET 抽せん日 = '2013-04-05' WHERE 回数 = 1;"
            "UPDATE 当選データ SET 抽せん日 = '2013-04-12' WHERE 回数 = 2");
        DrawPrizes first;
        first.tiers[5] = PrizeLine{100, 1'000};
        InTransaction(file, [&] { WritePrizes(file, 1, first); });
    }
    PastePreview Preview(const std::string& text) {
        return PreviewPaste(QString::fromStdString(text), db);
    }
};

TEST_F(Paste, EachRowSaysHowItStandsAgainstTheStoredDraws) {
    const PastePreview preview = Preview(
        "第1回 2013/04/05 07 10 12 17 23 28 34 (03)(15)\n6等 100口 1,000円\n"
        "第2回 2013/04/12 20 24 29 31 33 34 36 (12)(32)\n"
        "第3回 4月19日 01 02 03 04 05 06 07 (08)(09)\n5等 50口 1,400円\n"
        "第5回 2013/05/03 01 02 03 04 05 06 08 (09)(10)\n"
        "第6回 2013/05/10 01 02 03 04 05 06 (07)\n");
    ASSERT_TRUE(preview.refusal.isEmpty());
    ASSERT_EQ(preview.rows.size(), 5u);
    const PasteStatus expected[] = {PasteStatus::Same, PasteStatus::Changed, PasteStatus::New,
                                    PasteStatus::New, PasteStatus::Unreadable};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(preview.rows[i].status, expected[i]) << i;
    // The year of 4月19日 comes from the stored draw 2.
    EXPECT_EQ(preview.rows[2].pasted.date, QDate(2013, 4, 19));
    EXPECT_EQ(StoredNumbersText(preview.rows[1]).toStdString(), "20,24,29,31,33,34,35／12,32");
    EXPECT_EQ(
        ReplaceQuestion(preview.rows[1]).toStdString(),
        "第2回を 20,24,29,31,33,34,35／12,32 から 20,24,29,31,33,34,36／12,32 に変えますか？");
    // New draws are ticked, a change never is; draw 4 would be missing.
    EXPECT_EQ(FirstTicks(preview), (std::vector<bool>{false, false, true, true, false}));
    ASSERT_EQ(preview.gaps.size(), 1u);
    EXPECT_EQ(preview.gaps[0], (DrawGap{4, 4}));
}

TEST_F(Paste, PrizeLinesAloneAddToAStoredDrawAndADifferentLineIsAChange) {
    const PastePreview adds = Preview("第1回\n1等 該当なし\n2等 3口 12,345,600円\n");
    ASSERT_EQ(adds.rows.size(), 1u);
    EXPECT_EQ(adds.rows[0].status, PasteStatus::Same);
    EXPECT_TRUE(adds.rows[0].addsPrizes);
    EXPECT_EQ(FirstTicks(adds), std::vector<bool>{true});
    const ImportReport report =
        ImportDraws(DrawsToStore(adds, {true}), db, ImportMode::ReplaceStored);
    EXPECT_EQ(report.prizeDraws, 1);
    const Database file = Database::Open(db, Database::Mode::ReadOnly);
    const DrawPrizes stored = ReadPrizes(file, 1);
    EXPECT_EQ(stored.tiers[0], (PrizeLine{0, 0}));
    EXPECT_EQ(stored.tiers[1], (PrizeLine{3, 12'345'600}));
    EXPECT_EQ(stored.tiers[5], (PrizeLine{100, 1'000}));  // kept

    const PastePreview other = Preview("第1回\n6等 101口 1,000円\n");
    EXPECT_EQ(other.rows[0].status, PasteStatus::Changed);
    EXPECT_EQ(FirstTicks(other), std::vector<bool>{false});
    // Prize lines of a draw not stored have no numbers to go with.
    const PastePreview unknown = Preview("第9回\n6等 101口 1,000円\n");
    EXPECT_EQ(unknown.rows[0].status, PasteStatus::Unreadable);
}

TEST_F(Paste, NothingTickedOrARefusedTextLeavesTheFileByteIdentical) {
    const std::string before = ReadFile(db);
    const PastePreview preview = Preview("第2回 2013/04/12 20 24 29 31 33 34 36 (12)(32)\n");
    EXPECT_TRUE(DrawsToStore(preview, FirstTicks(preview)).empty());
    const PastePreview refused = Preview("第3回 01 02 03 04 05 06 07 08 (09)(10)");
    EXPECT_EQ(refused.rows[0].status, PasteStatus::Unreadable);
    EXPECT_TRUE(DrawsToStore(refused, {true}).empty());
    EXPECT_EQ(ReadFile(db), before);
}

TEST_F(Paste, ThePreviewAsJsonKeepsEveryFigure) {
    const PastePreview preview = Preview(
        "第3回 2013/04/19 01 02 03 04 05 06 07 (08)(09)\n"
        "4等 1,234口 8,200円\nキャリーオーバー 0円\n");
    EXPECT_EQ(PreviewJson(preview),
              "{\"refusal\": null, \"rows\": [\n"
              "  {\"draw\": 3, \"date\": \"2013-04-19\", \"status\": \"new\", \"statusText\": "
              "\"新規\", \"numbers\": [1, 2, 3, 4, 5, 6, 7], \"bonus\": [8, 9], \"stored\": null, "
              "\"prizes\": [{\"tier\": 4, \"winners\": 1234, \"amount\": 8200}], \"carryOver\": 0, "
              "\"sales\": null, \"problem\": null, \"source\": \"第3回 2013/04/19 01 02 03 04 05 "
              "06 07 (08)(09)\\n4等 1,234口 8,200円\\nキャリーオーバー 0円\"}\n"
              "], \"missing\": null}\n");
    EXPECT_EQ(PreviewText(preview),
              "新規\t第3回\t2013-04-19\t1,2,3,4,5,6,7／8,9\n"
              "\t4等 1,234口 8,200円\n\tキャリーオーバー 0円\n");
}

}  // namespace
