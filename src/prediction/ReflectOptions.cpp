#include "prediction/ReflectOptions.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <optional>

#include "core/Errors.h"
#include "core/FileAccess.h"
#include "core/PrintableText.h"
#include "core/QtConversions.h"
#include "core/SystemErrorText.h"
#include "core/WholeFile.h"

namespace {

// Reads "True"/"False" in any letter case, or a whole number (non-zero is
// True).  Anything else, such as "1.5", "nan" or "Truely", does not convert:
// none.
std::optional<bool> ConvertToBool(const QString& raw) {
    const QString text = raw.trimmed();
    if (text.compare(u"True", Qt::CaseInsensitive) == 0) return true;
    if (text.compare(u"False", Qt::CaseInsensitive) == 0) return false;
    const QStringView digits =
        text.startsWith(u'-') || text.startsWith(u'+') ? QStringView(text).mid(1) : text;
    if (digits.isEmpty()) return std::nullopt;
    bool nonZero = false;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') return std::nullopt;
        nonZero = nonZero || c != u'0';
    }
    return nonZero;
}

std::string FileLabel(const std::string& path) {
    return "設定ファイル「" + PrintableText(path) + "」";
}

std::string LineNote(const std::string& path, int lineNo, const QString& line, const char* why) {
    return FileLabel(path) + "の" + std::to_string(lineNo) + "行目「" +
           PrintableText(line.toStdString(), 80) + "」は" + why + "ため読み飛ばしました。";
}

// The file's text, or nullopt (with a note) when it cannot be read as the
// Shift-JIS text it should be: not a regular file, too large, unreadable,
// binary or in another encoding.
std::optional<QString> ReadText(const std::string& path, std::vector<std::string>& notes) {
    std::string bytes;
    try {
        bytes = ReadBoundedFile(path, kMaxOptionsFileBytes, "設定ファイル");
    } catch (const UserError& e) {
        notes.push_back(e.what());
        return std::nullopt;
    }
    QStringDecoder decode("Shift_JIS");
    const QString text = decode(QByteArray::fromStdString(bytes));
    if (decode.hasError() || bytes.find('\0') != std::string::npos) {
        notes.push_back(FileLabel(path) + "はShift-JISのテキストではないため読めません。");
        return std::nullopt;
    }
    return text;
}

// Why the file at path is not to be read or written at all, or the empty
// text.  A link may point anywhere (a file of another user, a file the user
// never meant), and a file of another owner is not this user's settings;
// writing through either would replace a file that is not ours.
std::string WhyNotOurs(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return DescribeSystemError(errno);
    if (S_ISLNK(info.st_mode)) return "シンボリックリンクです。";
    if (S_ISDIR(info.st_mode)) return "フォルダーです。";
    if (!S_ISREG(info.st_mode)) return "通常のファイルではありません。";
    if (info.st_uid != ::geteuid()) {
        return "ほかのユーザー(ユーザー番号 " + std::to_string(info.st_uid) + ")のファイルです。";
    }
    return {};
}

}  // namespace

const std::array<std::string_view, ReflectOptions::kCount>& ReflectOptions::Keys() {
    static const std::array<std::string_view, kCount> keys = {
        "頻度分析Opt",       "間隔分析Opt",           "出現回数分析Opt",
        "バラツキ分析Opt",   "引っ張り分析Opt",       "連番飛び石分析Opt",
        "数字合計分析Opt",   "組合せパターン分析Opt", "5分割傾向分析Opt",
        "分割データ分析Opt", "下一桁出現傾向分析Opt", "下一桁連続出現回数分析Opt"};
    return keys;
}

std::vector<std::string> ReflectOptions::ReadInitFile(const std::string& path) {
    std::vector<std::string> notes;
    keep_ = Keep::No;
    if (KindOf(path) == FileKind::Missing) return notes;
    if (const std::string why = WhyNotOurs(path); !why.empty()) {
        keep_ = Keep::Silently;
        flags_.fill(false);
        notes.push_back(FileLabel(path) + "は" + why +
                        "\nこのファイルは読み込みも書き込みもしません。"
                        "予想の反映設定はすべて「反映しない」で始めます。");
        return notes;
    }
    const std::optional<QString> text = ReadText(path, notes);
    if (!text) {
        // What could not be read is not ours to overwrite at the end.
        keep_ = Keep::Saying;
        return notes;
    }
    const QStringList lines = text->split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r')) line.chop(1);
        const QStringList pieces = line.split(u'=');
        const std::string key = pieces.front().toStdString();
        for (int k = 0; k < kCount; ++k) {
            if (key != Keys()[k]) continue;
            const std::optional<bool> value =
                pieces.size() < 2 ? std::nullopt : ConvertToBool(pieces[1]);
            if (pieces.size() < 2) {
                notes.push_back(LineNote(path, i + 1, line, "「=」がない"));
            } else if (!value) {
                notes.push_back(LineNote(path, i + 1, line, "値がTrueでもFalseでも数値でもない"));
            } else {
                flags_[k] = *value;
            }
            break;
        }
    }
    return notes;
}

std::string ReflectOptions::Serialise() const {
    QString text;
    for (int k = 0; k < kCount; ++k) {
        text += FromView(Keys()[k]);
        text += flags_[k] ? u"=True\r\n" : u"=False\r\n";
    }
    QStringEncoder encode("Shift_JIS");
    const QByteArray bytes = encode(text);
    return bytes.toStdString();
}

void ReflectOptions::WriteInitFile(const std::string& path) const {
    if (keep_ == Keep::Silently) return;  // the user was told at start-up
    if (keep_ == Keep::Saying) {
        throw UserError(FileLabel(path) +
                        "は起動時に読めなかったため、書き換えずにそのままにしました。\n"
                        "予想の反映設定は保存されませんでした。");
    }
    const WholeFileTarget target{path, "設定ファイル", true};
    const std::string bytes = Serialise();
    // A file that already holds these settings and could be replaced is
    // left as it is: quitting then costs no write and no wait for the disk.
    if (FileHolds(path, bytes) && WhyNotReplaceable(target).empty()) return;
    try {
        WriteWholeFile(target, bytes);
    } catch (const UserError& e) {
        throw UserError(std::string(e.what()) + "\n予想の反映設定は保存されませんでした。");
    }
}
