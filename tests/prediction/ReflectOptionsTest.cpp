#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QStringEncoder>
#include <filesystem>

#include "core/Errors.h"
#include "prediction/ReflectOptions.h"
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
                                            "出現回数分析Opt=True\r\nバラツキ分析Opt=nan\r\n"
                                            "引っ張り分析Opt=1.5\r\n")));
    options.SetFlag(0, true);
    options.SetFlag(4, true);
    const auto notes = options.ReadInitFile(path);
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_NE(notes[0].find("1行目"), std::string::npos);
    EXPECT_NE(notes[1].find("2行目"), std::string::npos);
    EXPECT_NE(notes[2].find("4行目"), std::string::npos);
    EXPECT_NE(notes[3].find("5行目"), std::string::npos);
    EXPECT_TRUE(options.Flag(0));
    EXPECT_FALSE(options.Flag(1));
    EXPECT_TRUE(options.Flag(2));
    EXPECT_FALSE(options.Flag(3));
    EXPECT_TRUE(options.Flag(4));
    options.WriteInitFile(path);  // a file read with skipped lines is rewritten
    EXPECT_NE(ReadFile(path).find("=True\r\n"), std::string::npos);
}

// A file that cannot be read as the options file at all changes no flag and
// is left exactly as it was at shut-down, with a message saying so.
TEST_F(OptionsFile, UnreadableFilesAreNeverReplaced) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 131 + 7) % 256);
    const std::string withNul = ShiftJis(QStringLiteral("頻度分析Opt=True\r\n")) + '\0';
    const std::string notShiftJis = "\x81\x20\xFF\xFE=True\r\n";
    const std::string tooLarge =
        ShiftJis(QStringLiteral("頻度分析Opt=True\r\n")) + std::string(70000, ' ');
    for (const std::string& content : {binary, withNul, notShiftJis, tooLarge}) {
        WriteFile(path, content);
        ReflectOptions read;
        EXPECT_EQ(read.ReadInitFile(path).size(), 1u);
        EXPECT_FALSE(read.Flag(0));
        try {
            read.WriteInitFile(path);
            ADD_FAILURE() << "the unreadable file was replaced";
        } catch (const UserError& e) {
            EXPECT_NE(std::string(e.what()).find("そのままにしました"), std::string::npos);
        }
        EXPECT_EQ(ReadFile(path), content);
    }
    std::filesystem::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);  // would hang a plain open
    EXPECT_NE(options.ReadInitFile(path).at(0).find("通常のファイルではありません"),
              std::string::npos);
    // Said once at start-up; shut-down leaves it alone without a second word.
    EXPECT_NO_THROW(options.WriteInitFile(path));
    EXPECT_TRUE(std::filesystem::is_fifo(path));
}

// A link, or a file of another user, is neither read nor written: the flags
// stay False, one note names the file and why, and the target keeps its bytes.
TEST_F(OptionsFile, ALinkOrAnotherUsersFileIsNeitherReadNorWritten) {
    const std::string victim = dir.File("victim.txt");
    const std::string settings = ShiftJis(QStringLiteral("頻度分析Opt=True\r\n"));
    WriteFile(victim, settings);
    std::filesystem::create_symlink(victim, path);
    const std::string foreign = dir.File("foreign.ini");
    WriteFile(foreign, settings);
    // Unprivileged, a file of root stands for another user's; root gives one away.
    const std::string othersFile = ::geteuid() == 0 ? foreign : "/etc/passwd";
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(foreign.c_str(), 65534, 65534), 0);
    }
    const struct {
        std::string file, why;
    } cases[] = {{path, "はシンボリックリンクです。"},
                 {othersFile, "はほかのユーザー(ユーザー番号 "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string before = ReadFile(c.file);
        ReflectOptions read;
        read.SetFlag(3, true);
        const std::vector<std::string> notes = read.ReadInitFile(c.file);
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_EQ(notes[0].rfind("設定ファイル「" + c.file + "」" + c.why, 0), 0u) << notes[0];
        EXPECT_NE(notes[0].find("すべて「反映しない」で始めます。"), std::string::npos);
        EXPECT_EQ(read.Flags(), (std::array<bool, ReflectOptions::kCount>{}));
        read.SetFlag(5, true);
        EXPECT_NO_THROW(read.WriteInitFile(c.file));
        EXPECT_EQ(ReadFile(c.file), before);
    }
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    // A link planted after start-up is refused at shut-down, with a message.
    std::filesystem::remove(path);
    ReflectOptions late;
    late.ReadInitFile(path);
    std::filesystem::create_symlink(victim, path);
    try {
        late.WriteInitFile(path);
        ADD_FAILURE() << "written through a link";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("シンボリックリンクです。"), std::string::npos);
    }
    EXPECT_EQ(ReadFile(victim), settings);
}

TEST_F(OptionsFile, AFileHoldingTheSettingsAlreadyIsLeftAsItIs) {
    const auto inode = [&] {
        struct stat file {};
        EXPECT_EQ(::stat(path.c_str(), &file), 0);
        return file.st_ino;
    };
    options.SetFlag(3, true);
    options.WriteInitFile(path);
    const auto written = inode();
    options.WriteInitFile(path);  // a replacement would be a new file
    EXPECT_EQ(inode(), written);

    options.SetFlag(3, false);
    options.WriteInitFile(path);
    EXPECT_NE(inode(), written);
    ReflectOptions back;
    EXPECT_TRUE(back.ReadInitFile(path).empty());
    EXPECT_EQ(back.Flags(), options.Flags());

    // Unwritable stays an error even when nothing would change.
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_THROW(options.WriteInitFile(path), UserError);
}

TEST_F(OptionsFile, UnwritableFileGivesAMessageAndKeepsTheOldFile) {
    options.WriteInitFile(path);
    const std::string before = ReadFile(path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    options.SetFlag(5, true);
    // Read-only by its mode bits is the owner's wish, for root too.
    try {
        options.WriteInitFile(path);
        ADD_FAILURE() << "a read-only file was replaced";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("読み取り専用のファイルです。"), std::string::npos);
    }
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read);
    const std::string inMissingDir = dir.File("無い/ロト7カゾリア.ini");
    try {
        options.WriteInitFile(inMissingDir);
        FAIL();
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("書き込めません"), std::string::npos);
    }
}

}  // namespace
