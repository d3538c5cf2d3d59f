#include <gtest/gtest.h>

#include <QStringEncoder>

#include "core/Errors.h"
#include "data/DrawStoreLoader.h"
#include "data/TicketCsv.h"
#include "data/TicketStore.h"
#include "support/DrawDatabase.h"

namespace {

const std::vector<std::string> kTwoDraws = {"1, 7,10,12,17,23,28,34,3,15",
                                            "2, 20,24,29,31,33,34,35,12,32"};

PurchasedTicket MakeTicket(int first, int last, std::array<int, kTicketNumberCount> numbers,
                           int units, std::string memo) {
    PurchasedTicket t;
    t.firstDraw = first;
    t.lastDraw = last;
    t.numbers = numbers;
    t.units = units;
    t.memo = std::move(memo);
    return t;
}

TEST(TicketStoreTest, ADatabaseFromBeforeTheTicketBookOpensAsBeforeAndGainsTheTableOnFirstUse) {
    TempDir dir;
    const std::string db = CreateDrawDatabase(dir, kTwoDraws);
    EXPECT_TRUE(ReadTickets(db).empty());
    EXPECT_EQ(SchemaVersion(Database::Open(db, Database::Mode::ReadOnly)), 0);
    { TicketBook book(db); }
    EXPECT_EQ(SchemaVersion(Database::Open(db, Database::Mode::ReadOnly)), kTicketSchemaVersion);
    // The draws and their stored query are untouched.
    EXPECT_EQ(StoredRows(db), (std::vector<std::string>{"1:7,10,12,17,23,28,34,3,15",
                                                        "2:20,24,29,31,33,34,35,12,32"}));
    GlobalBas g;
    OpenDrawStore(g, db);
    EXPECT_EQ(g.LatestDrawNumber, 2);
}

TEST(TicketStoreTest, TicketsRoundTripThroughAddChangeDeleteAndRestore) {
    TempDir dir;
    const std::string db = CreateDrawDatabase(dir, kTwoDraws);
    std::vector<PurchasedTicket> added = {
        MakeTicket(3, 3, {1, 2, 3, 4, 5, 6, 7}, 1, ""),
        MakeTicket(3, 7, {5, 9, 13, 21, 30, 36, 37}, 2, "誕生日, \"家族\"")};
    TicketBook book(db);
    book.Add(added);
    EXPECT_EQ(added[0].id, 1);
    EXPECT_EQ(added[1].id, 2);
    EXPECT_EQ(added[0].added.size(), 19u);  // YYYY-MM-DD HH:MM:SS
    EXPECT_EQ(ReadTickets(db), added);

    PurchasedTicket changed = added[1];
    changed.units = 5;
    changed.lastDraw = 4;
    book.Update(changed);
    book.Delete(added[0].id);
    EXPECT_EQ(ReadTickets(db), std::vector<PurchasedTicket>{changed});
    book.Restore(added[0]);
    EXPECT_EQ(TicketBook(db).List(), (std::vector<PurchasedTicket>{added[0], changed}));

    // An id deleted is never handed out again.
    book.Delete(std::vector<std::int64_t>{1, 2});
    std::vector<PurchasedTicket> more = {MakeTicket(5, 5, {1, 2, 3, 4, 5, 6, 8}, 1, "")};
    book.Add(more);
    EXPECT_EQ(more[0].id, 3);
    EXPECT_THROW(book.Delete(1), UserError);
    EXPECT_THROW(book.Update(added[0]), UserError);
}

TEST(TicketStoreTest, AWriteATriggerStopsSaysSoWithTheTriggersReason) {
    TempDir dir;
    const std::string db = CreateDrawDatabase(dir, kTwoDraws);
    { TicketBook book(db); }
    Database::Open(db, Database::Mode::ReadWrite)
        .Exec(
            "CREATE TRIGGER no_more BEFORE INSERT ON 購入番号 "
            "BEGIN SELECT RAISE(ABORT, 'book closed'); END");
    std::vector<PurchasedTicket> one = {MakeTicket(3, 3, {1, 2, 3, 4, 5, 6, 7}, 1, "")};
    try {
        TicketBook(db).Add(one);
        ADD_FAILURE() << "the trigger's abort was not reported";
    } catch (const UserError& e) {
        const std::string said = e.what();
        EXPECT_NE(said.find("組み込まれた処理(トリガー)が書き込みを止めました(「book closed」)。"),
                  std::string::npos)
            << said;
        EXPECT_EQ(said.find("回数の重複"), std::string::npos) << said;
    }
    EXPECT_TRUE(ReadTickets(db).empty());
}

TEST(TicketStoreTest, CsvTicketsAreReadWithHeaderFullWidthDigitsQuotesAndShiftJis) {
    const std::string text =
        "回,数字1,数字2,数字3,数字4,数字5,数字6,数字7,口数,メモ\r\n"
        "690,１,2,3,4,5,6,7,2,\"a,b\"\r\n"
        "第691回-695,37,36,35,34,33,32,31,,\r\n"
        "692,1,2,3,4,5,6,8\r\n";
    QStringEncoder sjis("Shift_JIS");
    const QByteArray bytes = sjis(QString::fromStdString(text));
    for (const std::string& file : {text, bytes.toStdString()}) {
        const std::vector<PurchasedTicket> t = ParseTicketCsv(file, "t.csv");
        ASSERT_EQ(t.size(), 3u);
        EXPECT_EQ(t[0].numbers, (std::array<int, 7>{1, 2, 3, 4, 5, 6, 7}));
        EXPECT_EQ(t[0].units, 2);
        EXPECT_EQ(t[0].memo, "a,b");
        EXPECT_EQ(t[1].firstDraw, 691);
        EXPECT_EQ(t[1].lastDraw, 695);
        EXPECT_EQ(t[1].numbers, (std::array<int, 7>{31, 32, 33, 34, 35, 36, 37}));
        EXPECT_EQ(t[1].units, 1);
        EXPECT_EQ(t[2].memo, "");
    }
}

struct Refusal {
    const char* line;
    const char* says;
};

TEST(TicketStoreTest, ABadLineRefusesTheWholeFileNamingItAndStoresNothing) {
    const Refusal refusals[] = {
        {"690,1,2,3,4,5,6,38,1,", "「38」は保存されません"},
        {"690,1,2,3,4,5,6,6,1,", "「6」は「第6数字」に既にあります"},
        {"690,1,2,3,4,5,6,,1,", "6個しかありません"},
        {"0,1,2,3,4,5,6,7,1,", "購入する回は1から5000まで"},
        {"694-690,1,2,3,4,5,6,7,1,", "最初の回が最後の回より後"},
        {"690,1,2,3,4,5,6,7,0,", "口数は1から9999まで"},
        {"690,1,2,3,4,5,6,7,1,memo,extra", "項目の数が11です"},
        {"690,1,2,3,4,5,6", "項目の数が7です"},
        {"690,1,2,3,4,5,6,1.5,1,", "「1.5」は保存されません"},
    };
    TempDir dir;
    const std::string db = CreateDrawDatabase(dir, kTwoDraws);
    const std::string csv = dir.File("tickets.csv");
    for (const Refusal& r : refusals) {
        WriteFile(csv, "690,1,2,3,4,5,6,7,1,ok\n" + std::string(r.line) + "\n");
        try {
            ImportTicketCsv(csv, db);
            ADD_FAILURE() << r.line << " was taken";
        } catch (const UserError& e) {
            const std::string what = e.what();
            EXPECT_NE(what.find("の2行目: "), std::string::npos) << what;
            EXPECT_NE(what.find(r.says), std::string::npos) << what;
            EXPECT_NE(what.find("何も登録していません"), std::string::npos) << what;
        }
        EXPECT_TRUE(ReadTickets(db).empty()) << r.line;
    }
}

}  // namespace
