#include "prediction/ReflectOptions.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include "core/GlobalBas.h"
#include "core/QtConversions.h"

namespace {

// Reads "True"/"False" in any letter case, or a number (non-zero is True).
bool ConvertToBool(const QString& raw, bool& value) {
    const QString text = raw.trimmed();
    if (text.compare(u"True", Qt::CaseInsensitive) == 0) {
        value = true;
        return true;
    }
    if (text.compare(u"False", Qt::CaseInsensitive) == 0) {
        value = false;
        return true;
    }
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (ok) value = number != 0.0;
    return ok;
}

std::string LineNote(const std::string& path, int lineNo, const QString& line, const char* why) {
    return "設定ファイル「" + path + "」の" + std::to_string(lineNo) + "行目「" +
           line.toStdString() + "」は" + why + "ため読み飛ばしました。";
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
    QFile file(QString::fromStdString(path));
    if (!file.exists()) return notes;
    if (!file.open(QIODevice::ReadOnly)) {
        notes.push_back("設定ファイル「" + path + "」を読めません。(" +
                        file.errorString().toStdString() + ")");
        return notes;
    }
    QStringDecoder decode("Shift_JIS");
    const QString text = decode(file.readAll());
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r')) line.chop(1);
        const QStringList pieces = line.split(u'=');
        const std::string key = pieces.front().toStdString();
        for (int k = 0; k < kCount; ++k) {
            if (key != Keys()[k]) continue;
            bool value = false;
            if (pieces.size() < 2) {
                notes.push_back(LineNote(path, i + 1, line, "「=」がない"));
            } else if (!ConvertToBool(pieces[1], value)) {
                notes.push_back(LineNote(path, i + 1, line, "値がTrueでもFalseでも数値でもない"));
            } else {
                flags_[k] = value;
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
    QSaveFile file(QString::fromStdString(path));
    const std::string bytes = Serialise();
    const QFileInfo existing(QString::fromStdString(path));
    // A read-only options file is the user's wish: it is not replaced.
    if ((existing.exists() && !existing.isWritable()) || !file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        throw UserError("設定ファイル「" + path + "」に書き込めません。(" +
                        file.errorString().toStdString() +
                        ")\n予想の反映設定は保存されませんでした。");
    }
}
