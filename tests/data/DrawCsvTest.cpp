#include <gtest/gtest.h>

#include <QStringEncoder>

#include "core/GlobalBas.h"
#include "data/DrawCsv.h"

namespace {

const std::string kHeader =
    "回数,抽せん日,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,"
    "ボーナス数字2\n";
// The same with a column the reader does not know.
const std::string kNoteHeader = kHeader.substr(0, kHeader.size() - 1) + ",備考\n";

std::string ShiftJis(const std::string& text) {
    QStringEncoder encoder("Shift_JIS");
    const QByteArray bytes = encoder(QString::fromStdString(text));
    return bytes.toStdString();
}

std::string Repeat(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += line;
    return text;
}

// "line:draw:date:n1,…,n9", a missing number left empty.
std::string Describe(const CsvDraw& draw) {
    std::string out =
        std::to_string(draw.line) + ":" + std::to_string(draw.drawNumber) + ":" + draw.date + ":";
    for (int f = 0; f < 9; ++f) {
        if (f > 0) out += ",";
        if (draw.present >> f & 1u) out += std::to_string(draw.numbers[f]);
    }
    return out;
}

struct Case {
    const char* what;
    std::string bytes;
    std::vector<std::string> draws;  // when read
    int line = 0;                    // when refused: the line named (0: none) …
    std::string message = {};        // … and a part of the message
};

TEST(DrawCsv, ReadsWhatUsersHaveAndRefusesWhatIsWrong) {
    const Case cases[] = {
        {"blank lines skipped, empty values kept as missing",
         kHeader + "1,2013-04-05,7,10,12,17,23,28,34,3,15\n\n , ,\n2,,1,2,,4,5,6,7,8,\n",
         {"2:1:2013-04-05:7,10,12,17,23,28,34,3,15", "5:2::1,2,,4,5,6,7,8,"}},
        {"quoted comma",
         kNoteHeader + "690,\"2024/1/5\",1,2,3,4,5,6,7,8,9,\"Jan 5, 2024\"\n",
         {"2:690:2024/1/5:1,2,3,4,5,6,7,8,9"}},
        {"doubled quote and line break inside quotes",
         kNoteHeader + "690,2024/01/05,1,2,3,4,5,6,7,8,9,\"\"\"金\"\"\n(祝)\" \n"
                       "691,,11,12,13,14,15,16,17,18,19,\n",
         {"2:690:2024/01/05:1,2,3,4,5,6,7,8,9", "4:691::11,12,13,14,15,16,17,18,19"}},
        {"BOM", "\xEF\xBB\xBF" + kHeader + "1,,1,2,3,4,5,6,7,8,9\n", {"2:1::1,2,3,4,5,6,7,8,9"}},
        {"CR LF, last line without a break",
         "\r\n" + kHeader.substr(0, kHeader.size() - 1) +
             "\r\n1,,1,2,3,4,5,6,7,8,9\r\n2,,11,12,13,14,15,16,17,18,19",
         {"3:1::1,2,3,4,5,6,7,8,9", "4:2::11,12,13,14,15,16,17,18,19"}},
        {"cp932 header and date",
         ShiftJis("開催回,日付,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,"
                  "BONUS数字1,BONUS数字2\r\n690,2024年1月5日,1,2,3,4,5,6,7,8,9\r\n"),
         {"2:690:2024年1月5日:1,2,3,4,5,6,7,8,9"}},
        {"full-width and half-width header and values",
         "　回号　,抽選日,第１数字,第２数字,第３数字,第４数字,第５数字,第６数字,第７数字,"
         "ﾎﾞｰﾅｽ数字1,ｂｏｎｕｓ数字２\n"
         "６９０,２０２４／０１／０５,１,２,３,４,５,６,３７, ８ ,\t９\n",
         {"2:690:２０２４／０１／０５:1,2,3,4,5,6,37,8,9"}},
        {"第N回, leading zeros, other columns and order",
         "本数字1,本数字2,本数字3,本数字4,本数字5,本数字6,本数字7,ボーナス1,ボーナス2,"
         "販売実績額,回別\n"
         "01,02,03,04,05,06,07,08,09,\"1,234,567\",第690回\n"
         "11,12,13,14,15,16,17,18,19,,0691回\n",
         {"2:690::1,2,3,4,5,6,7,8,9", "3:691::11,12,13,14,15,16,17,18,19"}},
        {"same draw twice with the same numbers",
         kHeader + "1,,1,2,3,4,5,6,7,8,9\n1,2013/4/5,1,2,3,4,5,6,7,8,9\n",
         {"2:1::1,2,3,4,5,6,7,8,9"}},
        {"same draw twice with other numbers",
         kHeader + "1,,1,2,3,4,5,6,7,8,9\n\n1,,1,2,3,4,5,6,7,8,10\n",
         {},
         4,
         "第1回が2行目と違う数字で重複しています。"},
        {"short row",
         kHeader + "1,,1,2,3,4,5,6,7,8,9\n2,,1,2,3,4,5\n",
         {},
         3,
         "項目の数が11ではなく7です。"},
        {"long row",
         kHeader + "1,2024,01,05,1,2,3,4,5,6,7,8,9\n",
         {},
         2,
         "項目の数が11ではなく13です。"},
        {"repeated main number",
         kHeader + "1,,5,5,3,4,6,7,8,9,10\n",
         {},
         2,
         "「第1数字」と「第2数字」がどちらも5です。"},
        {"bonus repeating a main number",
         kHeader + "1,,1,2,3,4,5,6,7,8,7\n",
         {},
         2,
         "「第7数字」と「ボーナス数字2」がどちらも7です。"},
        {"number above 37",
         kHeader + "1,,1,2,3,4,5,6,7,38,9\n",
         {},
         2,
         "「ボーナス数字1」の値「38」は1～37の整数ではありません。"},
        {"number with a sign",
         kHeader + "1,,+5,2,3,4,5,6,7,8,9\n",
         {},
         2,
         "「第1数字」の値「+5」は"},
        {"draw number above 5000",
         kHeader + "第5001回,,1,2,3,4,5,6,7,8,9\n",
         {},
         2,
         "「回数」の値「第5001回」は1～5000の整数ではありません。"},
        {"NUL shown escaped",
         kHeader + "1,,1,2,3,4,5,6,7" + std::string("\0", 1) + ",8,9\n",
         {},
         2,
         "「第7数字」の値「7\\x00」は1～37の整数ではありません。"},
        {"long value cut",
         kHeader + "1,," + std::string(500, '9') + ",2,3,4,5,6,7,8,9\n",
         {},
         2,
         "「" + std::string(24, '9') + "…」は"},
        {"neither UTF-8 nor Shift-JIS",
         kHeader + "1,,1,2,3,4,5,6,7,8,\x81\x20\xFF\n",
         {},
         0,
         "文字コードがUTF-8でもShift-JISでもない"},
        {"missing columns",
         "回数,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,ボーナス数字1\n",
         {},
         1,
         "見出し行に「第7数字」「ボーナス数字2」がありません。"},
        {"one column named twice",
         "回数,第1数字,開催回,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,ボーナス数字1,"
         "ボーナス数字2\n",
         {},
         1,
         "見出し行に同じ項目が2つあります: 1列目「回数」と3列目「開催回」。"},
        {"unclosed quote",
         kHeader + "1,\"2024/01/05,1,2,3,4,5,6,7,8,9\n2,,1,2,3,4,5,6,7,8,9\n",
         {},
         2,
         "「\"」で始まる項目が閉じられていません。"},
        {"text after a closing quote",
         kHeader + "1,\"2024\"/01,1,2,3,4,5,6,7,8,9\n",
         {},
         2,
         "「\"」で囲んだ項目の後に余計な文字があります。"},
        {"no header", "\n , \n", {}, 1, "見出し行がありません。"},
        {"dates in every accepted form, kept as written",
         kHeader + "1,2024/01/05,1,2,3,4,5,6,7,8,9\n2,2024-1-5,1,2,3,4,5,6,7,8,9\n"
                   "3,2024年1月5日,1,2,3,4,5,6,7,8,9\n4,２０２４年２月２９日,1,2,3,4,5,6,7,8,9\n",
         {"2:1:2024/01/05:1,2,3,4,5,6,7,8,9", "3:2:2024-1-5:1,2,3,4,5,6,7,8,9",
          "4:3:2024年1月5日:1,2,3,4,5,6,7,8,9", "5:4:２０２４年２月２９日:1,2,3,4,5,6,7,8,9"}},
        {"a day the calendar lacks",
         kHeader + "1,2026-02-30,1,2,3,4,5,6,7,8,9\n",
         {},
         2,
         "「抽せん日」の値「2026-02-30」は2024/01/05、2024-01-05、2024年1月5日のどれかの形の、"
         "暦にある日付ではありません。"},
        {"a day the calendar lacks, Japanese form",
         kHeader + "1,2025年2月29日,1,2,3,4,5,6,7,8,9\n",
         {},
         2,
         "「2025年2月29日」は"},
        {"not a date", kHeader + "1,not a date,1,2,3,4,5,6,7,8,9\n", {}, 2, "「not a date」は"},
        {"a date cut by a NUL",
         kHeader + "1,2024/01/05" + std::string("\0", 1) + "x,1,2,3,4,5,6,7,8,9\n",
         {},
         2,
         "「2024/01/05\\x00x」は"},
        {"a control character in a date",
         kHeader + "1,2024/01/05\x1b,1,2,3,4,5,6,7,8,9\n",
         {},
         2,
         "「2024/01/05\\x1B」は"},
        {"a megabyte of date",
         kHeader + "1,2024/01/05" + std::string(1 << 20, '0') + ",1,2,3,4,5,6,7,8,9\n",
         {},
         2,
         "2列目の項目が長すぎます(65536バイトまで)。"},
        {"a header of more than 1000 columns",
         kHeader.substr(0, kHeader.size() - 1) + std::string(990, ',') + "\n",
         {},
         1,
         "見出し行の項目が1000を超えています。"},
        {"a row of thousands of fields is read no further than needed",
         kHeader + "1" + std::string(5000, ',') + "\n",
         {},
         2,
         "項目の数が11ではなく1001以上です。"},
        {"a blank row of many commas is still blank",
         kHeader + std::string(5000, ',') + "\n1,,1,2,3,4,5,6,7,8,9\n",
         {"3:1::1,2,3,4,5,6,7,8,9"}},
        {"more than 100000 data rows",
         kHeader + Repeat("1,,1,2,3,4,5,6,7,8,9\n", 100001),
         {},
         100002,
         "データの行が100000を超えています。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> got;
        std::string error;
        try {
            for (const CsvDraw& draw : ParseDrawCsv(c.bytes, "test.csv"))
                got.push_back(Describe(draw));
        } catch (const UserError& e) {
            error = e.what();
        }
        if (c.message.empty()) {
            EXPECT_EQ(error, "");
            EXPECT_EQ(got, c.draws);
            continue;
        }
        EXPECT_TRUE(got.empty());
        const std::string where =
            c.line > 0 ? "CSVファイル「test.csv」の" + std::to_string(c.line) + "行目: "
                       : "CSVファイル「test.csv」: ";
        EXPECT_EQ(error.rfind(where, 0), 0u) << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_NE(error.find("このファイルのデータは何も登録していません。"), std::string::npos);
    }
}

}  // namespace
