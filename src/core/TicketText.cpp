#include "core/TicketText.h"

#include <algorithm>

#include "core/Errors.h"
#include "core/HalfWidth.h"

namespace {

// Full-width digits and signs become their plain forms; blanks around go.
QString Plain(const QString& text) { return HalfWidth(text).trimmed(); }

// A whole number from ASCII digits only, or -1; values past high read as high + 1.
long long Whole(QStringView digits, long long high) {
    if (digits.isEmpty()) return -1;
    long long value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') return -1;
        value = std::min(value * 10 + (c.unicode() - u'0'), high + 1);
    }
    return value;
}

[[noreturn]] void Refuse(const QString& text) { throw UserError(text.toStdString()); }

QString Shown(const QString& text) { return text.trimmed().left(24); }

int ReadDraw(QStringView text, const QString& whole) {
    QStringView digits = text.trimmed();
    if (digits.startsWith(u'第')) digits = digits.sliced(1);
    if (digits.endsWith(u'回')) digits.chop(1);
    const long long n = Whole(digits.trimmed(), kHighestTicketDraw);
    if (n < 1 || n > kHighestTicketDraw) {
        Refuse(QStringLiteral(
                   "購入する回は1から%1までの回数で入力してください。「%2」は保存されません。")
                   .arg(kHighestTicketDraw)
                   .arg(Shown(whole)));
    }
    return static_cast<int>(n);
}

}  // namespace

int ReadTicketNumber(const QString& text) {
    const long long n = Whole(Plain(text), kHighestNumber);
    if (n < kLowestNumber || n > kHighestNumber) {
        Refuse(QStringLiteral(
                   "購入番号の数字は1から37までの整数で入力してください。「%1」は保存されません。")
                   .arg(Shown(text)));
    }
    return static_cast<int>(n);
}

std::array<int, kTicketNumberCount> ReadTicketNumbers(const std::vector<QString>& texts) {
    std::array<int, kTicketNumberCount> numbers{};
    std::array<int, kHighestNumber + 1> holder;
    holder.fill(-1);
    int count = 0;
    for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
        if (Plain(texts[i]).isEmpty()) continue;
        const int n = ReadTicketNumber(texts[i]);
        if (holder[n] >= 0) {
            Refuse(QStringLiteral("「%1」は「%2」に既にあります。")
                       .arg(n)
                       .arg(TicketFieldName(holder[n])));
        }
        if (count == kTicketNumberCount) {
            Refuse(
                QStringLiteral("購入番号の数字は7個です。8個目の「%1」は保存されません。").arg(n));
        }
        holder[n] = i;
        numbers[count++] = n;
    }
    if (count < kTicketNumberCount) {
        Refuse(QStringLiteral("購入番号の数字が%1個しかありません。7個の数字を入力してください。")
                   .arg(count));
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::pair<int, int> ReadTicketDraws(const QString& text) {
    const QString plain = Plain(text);
    // "-", "~" and "～" (NFKC keeps the wave dash apart) separate a run.
    qsizetype dash = -1;
    for (QChar separator : {QChar(u'-'), QChar(u'~'), QChar(u'～'), QChar(u'〜')}) {
        dash = plain.indexOf(separator);
        if (dash >= 0) break;
    }
    if (dash < 0) {
        const int draw = ReadDraw(plain, text);
        return {draw, draw};
    }
    const int first = ReadDraw(QStringView(plain).first(dash), text);
    const int last = ReadDraw(QStringView(plain).sliced(dash + 1), text);
    if (first > last) {
        Refuse(QStringLiteral("購入する回「%1」は、最初の回が最後の回より後になっています。")
                   .arg(Shown(text)));
    }
    if (last - first + 1 > kMostTicketDraws) {
        Refuse(QStringLiteral("継続購入は%1回分までです。「%2」は保存されません。")
                   .arg(kMostTicketDraws)
                   .arg(Shown(text)));
    }
    return {first, last};
}

int ReadTicketUnits(const QString& text) {
    const long long n = Whole(Plain(text), kMostTicketUnits);
    if (n < 1 || n > kMostTicketUnits) {
        Refuse(QStringLiteral("口数は1から%1までの整数で入力してください。「%2」は保存されません。")
                   .arg(kMostTicketUnits)
                   .arg(Shown(text)));
    }
    return static_cast<int>(n);
}

std::string ReadTicketMemo(const QString& text) {
    const QString memo = text.trimmed();
    for (QChar c : memo) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator) {
            Refuse(QStringLiteral("メモに改行や制御文字は使えません。"));
        }
        // Marks that turn the text around where it is shown, and what bytes
        // that are no text become when read.
        const char16_t u = c.unicode();
        if ((u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069) || u == 0xFFFD) {
            Refuse(
                QStringLiteral("メモに使えない文字（文字の向きを変える記号か、文字として読めないデ"
                               "ータ）があります。"));
        }
    }
    // Characters, not UTF-16 units: an emoji is one.
    qsizetype characters = 0;
    for (qsizetype i = 0; i < memo.size(); ++i) {
        if (!memo[i].isLowSurrogate()) ++characters;
    }
    if (characters > kMostMemoCharacters) {
        Refuse(QStringLiteral("メモは%1文字までです。").arg(kMostMemoCharacters));
    }
    return memo.toStdString();
}

QString TicketFieldName(int index) { return QStringLiteral("第%1数字").arg(index + 1); }

std::string TicketDrawText(const PurchasedTicket& ticket) {
    if (ticket.firstDraw == ticket.lastDraw) return std::to_string(ticket.firstDraw);
    return std::to_string(ticket.firstDraw) + "～" + std::to_string(ticket.lastDraw);
}
