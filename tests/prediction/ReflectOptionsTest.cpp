#include "prediction/ReflectOptions.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "support/TestSupport.h"

namespace {

std::string ShiftJis(const QString& text) {
    QStringEncoder encode("Shift_JIS");
    return QByteArray(encode(text)).toStdString();
}

class OptionsFile : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.File("ロト7カゾリア.ini");
    ReflectOptions options;
};

TEST_F(OptionsFile, WritesTwelveShiftJisLinesInKeyOrderWithCrLf) {
    options.SetFlag(0, true);
    options.SetFlag(11, true);
    options.WriteInitFile(path);
    const std::string bytes = ReadFile(path);
    EXPECT_EQ(bytes, ShiftJis(QStringLiteral(
                         "頻度分析Opt=True\r\n間隔分析Opt=False\r\n出現回数分析Opt=False\r\n"
                         "バラツキ分析Opt=False\r\n引っ張り分析Opt=False\r\n"
                         "連番飛び石分析Opt=False\r\n数字合計分析Opt=False\r\n"
                         "組合せパターン分析Opt=False\r\n5分割傾向分析Opt=False\r\n"
                         "分割データ分析Opt=False\r\n下一桁出現傾向分析Opt=False\r\n"
                         "下一桁連続出現回数分析Opt=True\r\n")));
    ReflectOptions back;
    EXPECT_TRUE(back.ReadInitFile(path).empty());
    EXPECT_EQ(back.Flags(), options.Flags());
}

TEST_F(OptionsFile, MissingFileAndMissingKeysLeaveFlagsFalse) {
    EXPECT_TRUE(options.ReadInitFile(path).empty());
    for (bool flag : options.Flags()) EXPECT_FALSE(flag);
    WriteFile(path, ShiftJis(QStringLiteral("間隔分析Opt=True\r\n")));
    options.ReadInitFile(path);
    EXPECT_TRUE(options.Flag(1));
    EXPECT_FALSE(options.Flag(0));
}

TEST_F(OptionsFile, KeysMatchExactlyLaterLinesWinNumbersConvert) {
    WriteFile(path, ShiftJis(QStringLiteral("頻度分析opt=True\r\n"
                                            "間隔分析Opt =True\r\n"
                                            "知らないキー=True\r\n"
                                            "出現回数分析Opt=True\r\n"
                                            "出現回数分析Opt=False\r\n"
                                            "バラツキ分析Opt=-1\r\n"
                                            "引っ張り分析Opt=0\n"
                                            "数字合計分析Opt=true\r\n")));
    options.SetFlag(4, true);
    EXPECT_TRUE(options.ReadInitFile(path).empty());
    EXPECT_FALSE(options.Flag(0));  // other letter case
    EXPECT_FALSE(options.Flag(1));  // trailing blank in the key
    EXPECT_FALSE(options.Flag(2));  // the later line wins
    EXPECT_TRUE(options.Flag(3));   // non-zero number
    EXPECT_FALSE(options.Flag(4));  // zero
    EXPECT_TRUE(options.Flag(6));
}

TEST_F(OptionsFile, BrokenLinesAreSkippedKeepingTheFlag) {
    WriteFile(path, ShiftJis(QStringLiteral("頻度分析Opt\r\n間隔分析Opt=たぶん\r\n"
                                            "出現回数分析Opt=True\r\n")));
    options.SetFlag(0, true);
    const auto notes = options.ReadInitFile(path);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_NE(notes[0].find("1行目"), std::string::npos);
    EXPECT_NE(notes[1].find("2行目"), std::string::npos);
    EXPECT_TRUE(options.Flag(0));
    EXPECT_FALSE(options.Flag(1));
    EXPECT_TRUE(options.Flag(2));
}

TEST_F(OptionsFile, BinaryGarbageChangesNothing) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 131 + 7) % 256);
    WriteFile(path, garbage);
    options.ReadInitFile(path);
    for (bool flag : options.Flags()) EXPECT_FALSE(flag);
}

TEST_F(OptionsFile, UnwritableFileGivesAMessageAndKeepsTheOldFile) {
    options.WriteInitFile(path);
    const std::string before = ReadFile(path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    options.SetFlag(5, true);
    if (::geteuid() != 0) {
        EXPECT_THROW(options.WriteInitFile(path), UserError);
        EXPECT_EQ(ReadFile(path), before);
    }
    const std::string inMissingDir = dir.File("無い/ロト7カゾリア.ini");
    try {
        options.WriteInitFile(inMissingDir);
        FAIL();
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("書き込めません"), std::string::npos);
    }
}

}  // namespace
