#include "data/CsvText.h"

#include <QStringDecoder>

#include "core/Errors.h"
#include "core/PrintableText.h"

void RefuseCsvLine(const std::string& file, int line, const std::string& why) {
    throw UserError("CSVファイル「" + PrintableText(file) + "」の" + std::to_string(line) +
                    "行目: " + why + kCsvNothingStored);
}

bool IsCsvBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\u3000'; }

// The text of the file: UTF-8 when the bytes are valid UTF-8, else Shift-JIS
// in Windows' code page 932 flavour (what Excel saves on Japanese Windows).
QString DecodeCsvText(std::string_view bytes, const std::string& file) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    if (IsValidUtf8(bytes))
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    // "windows-31j" is code page 932's registered name; some Qt builds know
    // it only as "cp932" or under the plain "Shift_JIS".
    for (const char* name : {"windows-31j", "cp932", "Shift_JIS"}) {
        QStringDecoder decoder(name, QStringConverter::Flag::Stateless);
        if (!decoder.isValid()) continue;
        QString text = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        if (decoder.hasError()) break;
        return text;
    }
    throw UserError("CSVファイル「" + PrintableText(file) +
                    "」: 文字コードがUTF-8でもShift-JISでもないため読めません。" +
                    kCsvNothingStored);
}
