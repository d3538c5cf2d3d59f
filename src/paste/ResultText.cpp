#include "paste/ResultText.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <map>
#include <optional>

#include "core/YenText.h"
#include "paste/TableText.h"

namespace {

constexpr int kHighestDrawNumber = 5000;
constexpr qsizetype kShownSource = 300;  // characters of a draw's text kept for the preview
constexpr int kMostDaysFromExpected = 45;

using RE = QRegularExpression;

// Full-width digits, letters, brackets and spaces become ASCII (NFKC); 【】,
// which NFKC keeps, become []; every line break becomes \n.
QString Normalized(const QString& text) {
    QString plain = text.normalized(QString::NormalizationForm_KC);
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(u'\r', u'\n');
    plain.replace(u'【', u'[');
    plain.replace(u'】', u']');
    plain.replace(u'〔', u'[');
    plain.replace(u'〕', u']');
    return plain;
}

// The text HTML markup shows: scripts and styles dropped, rows and blocks
// on lines of their own, table cells apart by tabs, entities decoded.
QString TextOfMarkup(QString text) {
    static const RE looksLikeMarkup(
        QStringLiteral("<\\s*/?\\s*(html|body|table|tr|td|th|div|p|br|span|li|h[1-6])\\b"),
        RE::CaseInsensitiveOption);
    if (!looksLikeMarkup.match(text).hasMatch()) return text;
    static const RE hidden(QStringLiteral("<(script|style)\\b.*?</\\1\\s*>"),
                           RE::CaseInsensitiveOption | RE::DotMatchesEverythingOption);
    static const RE lineTags(
        QStringLiteral("<\\s*/?\\s*(tr|br|p|div|li|ul|ol|table|h[1-6]|dt|dd|dl)\\b[^>]*>"),
        RE::CaseInsensitiveOption);
    static const RE cellTags(QStringLiteral("<\\s*/?\\s*t[dh]\\b[^>]*>"),
                             RE::CaseInsensitiveOption);
    static const RE otherTags(QStringLiteral("<[^>]*>"));
    text.remove(hidden);
    text.replace(QStringLiteral("\n"), QStringLiteral(" "));
    text.replace(lineTags, QStringLiteral("\n"));
    text.replace(cellTags, QStringLiteral("\t"));
    text.replace(otherTags, QStringLiteral(" "));
    static const RE numeric(QStringLiteral("&#([0-9]{1,7});"));
    QString decoded;
    qsizetype last = 0;
    for (auto it = numeric.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        decoded += text.sliced(last, m.capturedStart() - last);
        const uint code = m.captured(1).toUInt();
        decoded += code > 0 && code <= 0x10FFFF
                       ? QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1)
                       : QStringLiteral(" ");
        last = m.capturedEnd();
    }
    decoded += text.sliced(last);
    for (const auto& [entity, shown] :
         {std::pair{"&nbsp;", " "}, std::pair{"&lt;", "<"}, std::pair{"&gt;", ">"},
          std::pair{"&quot;", "\""}, std::pair{"&yen;", "円"}, std::pair{"&amp;", "&"}}) {
        decoded.replace(QString::fromUtf8(entity), QString::fromUtf8(shown));
    }
    return decoded;
}

QString Shown(const QString& text) {
    const QString trimmed = text.trimmed();
    return trimmed.size() <= kShownSource ? trimmed : trimmed.first(kShownSource) + u'…';
}

// A date found in a draw's text; a date without its year keeps month and day.
struct FoundDate {
    QDate date;
    int month = 0;
    int day = 0;
    QString text;
};

// Finds every date of the text and blanks it out, so its digits are not
// read as numbers; a date the calendar does not have is a problem.
std::vector<FoundDate> TakeDates(QString& text, QString& problem) {
    static const RE western(QStringLiteral(
        "(?<![0-9])([0-9]{4})(?:\\s*[/\\-.]\\s*([0-9]{1,2})\\s*[/\\-.]\\s*([0-9]{1,2})(?![0-9])|"
        "\\s*年\\s*([0-9]{1,2})\\s*月\\s*([0-9]{1,2})\\s*日)"));
    static const RE era(
        QStringLiteral("(令和|平成|(?<![A-Za-z])[RH])\\s*([0-9]{1,2}|元)\\s*(?:年\\s*([0-9]{1,2})"
                       "\\s*月\\s*([0-9]{1,2})"
                       "\\s*日|\\.\\s*([0-9]{1,2})\\s*\\.\\s*([0-9]{1,2})(?![0-9]))"));
    static const RE monthDay(QStringLiteral("(?<![0-9])([0-9]{1,2})\\s*月\\s*([0-9]{1,2})\\s*日"));
    std::vector<FoundDate> dates;
    const auto take = [&](const RE& pattern, const auto& read) {
        QString kept;
        qsizetype last = 0;
        for (auto it = pattern.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            FoundDate found = read(m);
            found.text = m.captured(0);
            if (found.month == 0 && !found.date.isValid() && problem.isEmpty()) {
                problem = QStringLiteral("「%1」は暦にない日付です。").arg(found.text);
            }
            dates.push_back(found);
            kept += text.sliced(last, m.capturedStart() - last) + u' ';
            last = m.capturedEnd();
        }
        text = kept + text.sliced(last);
    };
    const auto pick = [](const QRegularExpressionMatch& m, int a, int b) {
        return m.captured(a).isEmpty() ? m.captured(b).toInt() : m.captured(a).toInt();
    };
    take(western, [&](const QRegularExpressionMatch& m) {
        return FoundDate{QDate(m.captured(1).toInt(), pick(m, 2, 4), pick(m, 3, 5)), 0, 0, {}};
    });
    take(era, [&](const QRegularExpressionMatch& m) {
        const QString name = m.captured(1);
        const int offset = name == u"令和" || name == u"R" ? 2018 : 1988;
        const int year = m.captured(2) == u"元" ? 1 : m.captured(2).toInt();
        return FoundDate{QDate(offset + year, pick(m, 3, 5), pick(m, 4, 6)), 0, 0, {}};
    });
    take(monthDay, [&](const QRegularExpressionMatch& m) {
        const int month = m.captured(1).toInt();
        const int day = m.captured(2).toInt();
        // A day no year has (2月30日) is refused at once; 2月29日 waits for its year.
        FoundDate found{QDate(), month, day, {}};
        if (!QDate(2024, month, day).isValid()) found.month = 0;
        return found;
    });
    return dates;
}

// Lines about other dates than the draw's (payment and sales periods) are
// dropped whole.
void DropPeriodLines(QString& text) {
    static const RE periods(
        QStringLiteral("^.*(支払期間|支払期限|支払開始|発売期間|販売期間|発売日|締切|受付).*$"),
        RE::MultilineOption);
    text.replace(periods, QString());
}

// The name of another lottery the text names, or empty; every lottery name
// (Loto 7's too) is blanked out, so 「ロト7」 gives no number 7.
QString TakeLotteryNames(QString& text) {
    static const RE others(QStringLiteral("ロト\\s*6|LOTO\\s*6|ミニロト|MINI\\s*LOTO|ビンゴ\\s*5|"
                                          "BINGO\\s*5|ナンバーズ\\s*[34]?|NUMBERS\\s*[34]?"),
                           RE::CaseInsensitiveOption);
    static const RE own(QStringLiteral("ロト\\s*7|LOTO\\s*7"), RE::CaseInsensitiveOption);
    QString other;
    const auto m = others.match(text);
    if (m.hasMatch()) other = m.captured(0);
    text.replace(others, QStringLiteral(" "));
    text.replace(own, QStringLiteral(" "));
    static const RE weekdays(QStringLiteral("[(\\[]\\s*[月火水木金土日](?:曜日?)?\\s*[)\\]]"));
    text.replace(weekdays, QStringLiteral(" "));
    return other;
}

// "12口", "該当なし": the winners of a prize segment.
std::optional<std::int64_t> ReadWinners(QString& segment) {
    static const RE units(QStringLiteral("([0-9][0-9,]*)\\s*口"));
    const auto m = units.match(segment);
    if (!m.hasMatch()) return std::nullopt;
    const auto winners = ReadWinnerCount(m.captured(1));
    segment.replace(m.capturedStart(), m.capturedLength(), QStringLiteral(" "));
    return winners;
}

const RE& YenPattern() {
    static const RE yen(QStringLiteral(
        "((?:[0-9][0-9,]*\\s*億\\s*)?(?:[0-9][0-9,]*\\s*万\\s*)?(?:[0-9][0-9,]*)?)\\s*円"));
    return yen;
}

// The first amount of yen of the segment, blanked out; nullopt when there
// is none or it cannot be read.
std::optional<std::int64_t> TakeYen(QString& segment) {
    for (auto it = YenPattern().globalMatch(segment); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(1).trimmed().isEmpty()) continue;
        QString amount = m.captured(1);
        amount.remove(u' ');
        const auto yen = ReadYen(amount);
        segment.replace(m.capturedStart(), m.capturedLength(), QStringLiteral(" "));
        return yen;
    }
    return std::nullopt;
}

bool HasDigit(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

constexpr const char16_t* kNobody = u"該当なし";

// "2口 700,000,000円", "該当なし": one tier's line, or a problem.
std::optional<PrizeLine> ReadPrizeSegment(QString segment, int tier, QString& problem) {
    const QString shown = segment.simplified();
    const bool nobody = segment.contains(QStringView(kNobody)) || segment.contains(u"なし");
    auto winners = ReadWinners(segment);
    auto amount = TakeYen(segment);
    if (nobody) {
        if (!winners) winners = 0;
        if (!amount && *winners == 0) amount = 0;
    }
    if (!winners || !amount || HasDigit(segment)) {
        problem =
            QStringLiteral("%1等の「%2」を口数と当選金額として読めません。").arg(tier).arg(shown);
        return std::nullopt;
    }
    return PrizeLine{*winners, *amount};
}

// Reads and blanks out the prize lines: each 「1等」…「6等」 up to the next
// tier or the end of its line, キャリーオーバー and 販売実績額 to the end of
// their line.
DrawPrizes TakePrizeLines(QString& text, QString& problem) {
    DrawPrizes prizes;
    static const RE tier(QStringLiteral("(?<![0-9])([1-6])\\s*等(?!級)"));
    static const RE money(
        QStringLiteral("(キャリーオーバー|繰越金|販売実績額|販売実績|売上金額|売上)"));
    const auto readTier = [&](int index, QString segment) {
        const auto line = ReadPrizeSegment(std::move(segment), index + 1, problem);
        if (!line) return;
        if (prizes.tiers[index] && *prizes.tiers[index] != *line && problem.isEmpty()) {
            problem = QStringLiteral("%1等が2か所に違う値で書かれています。").arg(index + 1);
        }
        prizes.tiers[index] = line;
    };
    const auto readMoney = [&](const QString& name, QString segment) {
        const QString shown = segment.simplified();
        auto yen = TakeYen(segment);
        if (!yen && !HasDigit(segment) && segment.contains(u"なし")) yen = 0;
        if (!yen || HasDigit(segment)) {
            if (problem.isEmpty()) {
                problem = QStringLiteral("%1の「%2」を金額として読めません。").arg(name, shown);
            }
        } else if (name.startsWith(u"キャリー") || name == u"繰越金") {
            prizes.carryOver = yen;
        } else {
            prizes.sales = yen;
        }
    };
    // Line by line, each line scanned once: a tier's segment runs to the
    // next tier or the end of the line, an amount's to the end of the line.
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        const auto firstMoney = money.match(line);
        const qsizetype moneyAt = firstMoney.hasMatch() ? firstMoney.capturedStart() : line.size();
        // One pass of the tiers (a match from an offset would check the
        // whole line again each time).
        std::vector<QRegularExpressionMatch> tiers;
        for (auto it = tier.globalMatch(QStringView(line).first(moneyAt)); it.hasNext();) {
            tiers.push_back(it.next());
        }
        QString kept;
        qsizetype pos = 0;
        for (std::size_t i = 0; i < tiers.size(); ++i) {
            const auto& current = tiers[i];
            const qsizetype end = i + 1 < tiers.size() ? tiers[i + 1].capturedStart() : moneyAt;
            kept += line.sliced(pos, current.capturedStart() - pos) + u' ';
            readTier(current.captured(1).toInt() - 1,
                     line.sliced(current.capturedEnd(), end - current.capturedEnd()));
            pos = end;
        }
        if (firstMoney.hasMatch()) {
            kept += line.sliced(pos, moneyAt - pos) + u' ';
            readMoney(firstMoney.captured(1), line.sliced(firstMoney.capturedEnd()));
            pos = line.size();
        }
        if (pos > 0) line = kept + line.sliced(pos);
    }
    text = lines.join(u'\n');
    return prizes;
}

// The numbers of a draw's text: bonus numbers are those after a bonus label
// (ボーナス数字, ボーナス, BONUS, B) up to a 本数字 label, and those in
// brackets; every other number is a main number.
struct FoundNumbers {
    std::vector<int> main;
    std::vector<int> bonus;
    QString outside;  // the first number outside 1–37, as written
};

FoundNumbers TakeNumbers(const QString& text) {
    static const RE token(
        QStringLiteral(
            "(ボーナス数字|ボーナス|BONUS|(?<![A-Za-z])B(?![A-Za-z]))|(本数字)|([(\\[])|([)\\]])|"
            "([0-9]+)"),
        RE::CaseInsensitiveOption);
    FoundNumbers found;
    bool inBonus = false;
    int depth = 0;
    for (auto it = token.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        if (m.hasCaptured(1)) {
            inBonus = true;
        } else if (m.hasCaptured(2)) {
            inBonus = false;
        } else if (m.hasCaptured(3)) {
            ++depth;
        } else if (m.hasCaptured(4)) {
            depth = std::max(0, depth - 1);
        } else {
            const QString digits = m.captured(5);
            const int value = digits.size() <= 2 ? digits.toInt() : 0;
            if ((value < kLowestNumber || value > kHighestNumber) && found.outside.isEmpty()) {
                found.outside = digits;
            }
            (inBonus || depth > 0 ? found.bonus : found.main).push_back(value);
        }
    }
    return found;
}

// Why these numbers are not a Loto 7 draw, or empty when they are.
QString NumbersProblem(const FoundNumbers& n, const QString& otherLottery) {
    const auto count = [](std::size_t c) { return QString::number(static_cast<qulonglong>(c)); };
    if (!n.outside.isEmpty()) {
        return QStringLiteral("「%1」は1～37の数字ではありません。").arg(n.outside);
    }
    if ((n.main.size() == 6 && n.bonus.size() == 1) || otherLottery.contains(u'6')) {
        return QStringLiteral("ロト6の結果のようです（本数字6個とボーナス数字1個）。");
    }
    if ((n.main.size() == 5 && n.bonus.size() == 1) ||
        otherLottery.contains(QStringLiteral("ミニ")) ||
        otherLottery.contains(QStringLiteral("MINI"), Qt::CaseInsensitive)) {
        return QStringLiteral("ミニロトの結果のようです（本数字5個とボーナス数字1個）。");
    }
    if (!otherLottery.isEmpty()) {
        return QStringLiteral("「%1」の結果のようです。ロト7の結果ではありません。")
            .arg(otherLottery);
    }
    if (n.bonus.empty() && n.main.size() == kFieldCount) {
        return QStringLiteral(
            "9個の数字のどれがボーナス数字か分かりません"
            "（「ボーナス数字」の見出しか（）がありません）。");
    }
    if (n.main.size() != kMainCount) {
        return QStringLiteral("本数字が7個ではなく%1個あります。").arg(count(n.main.size()));
    }
    if (n.bonus.size() != 2) {
        return QStringLiteral("ボーナス数字が2個ではなく%1個あります。").arg(count(n.bonus.size()));
    }
    std::array<int, kHighestNumber + 1> seen{};
    for (int value : n.main) {
        if (seen[value]++) return QStringLiteral("本数字に%1が2回あります。").arg(value);
    }
    for (int value : n.bonus) {
        if (seen[value] && std::count(n.main.begin(), n.main.end(), value)) {
            return QStringLiteral("ボーナス数字の%1が本数字にもあります。").arg(value);
        }
        if (seen[value]++) return QStringLiteral("ボーナス数字に%1が2回あります。").arg(value);
    }
    return {};
}

// A draw's text read as far as one block goes; month and day wait for
// their year when the text gives none.
struct BlockDraw {
    PastedDraw draw;
    int month = 0;
    int day = 0;
    bool empty = true;     // neither numbers nor prize lines nor a problem
    bool numbers = false;  // numbers or prize lines found, readable or not
};

void SetProblem(PastedDraw& draw, const QString& problem) {
    if (draw.problem.isEmpty()) draw.problem = problem;
}

// prefix: the text before the marker on its line; marker: 「第707回」.
BlockDraw ReadBlock(int drawNumber, const QString& prefix, const QString& marker,
                    const QString& body) {
    BlockDraw block;
    PastedDraw& draw = block.draw;
    draw.drawNumber = drawNumber;
    draw.source = Shown(prefix + marker + body);
    QString text = prefix + u' ' + body;
    DropPeriodLines(text);
    const QString other = TakeLotteryNames(text);
    QString problem;
    const std::vector<FoundDate> dates = TakeDates(text, problem);
    draw.prizes = TakePrizeLines(text, problem);
    const FoundNumbers numbers = TakeNumbers(text);
    block.numbers = !numbers.main.empty() || !numbers.bonus.empty() || !draw.prizes.Empty();
    block.empty = numbers.main.empty() && numbers.bonus.empty() && draw.prizes.Empty() &&
                  problem.isEmpty() && other.isEmpty();
    if (!problem.isEmpty()) SetProblem(draw, problem);
    for (const FoundDate& date : dates) {
        if (date.date.isValid()) {
            if (draw.date.isValid() && draw.date != date.date) {
                SetProblem(draw, QStringLiteral("日付が2つあります（%1と%2）。")
                                     .arg(draw.date.toString(Qt::ISODate),
                                          date.date.toString(Qt::ISODate)));
            }
            draw.date = date.date;
        }
    }
    for (const FoundDate& date : dates) {
        if (date.month == 0) continue;
        const bool agrees = !draw.date.isValid() ||
                            (draw.date.month() == date.month && draw.date.day() == date.day);
        const bool another =
            block.month != 0 && (block.month != date.month || block.day != date.day);
        if (!agrees || another) {
            SetProblem(draw, QStringLiteral("日付が2つあります（「%1」ほか）。").arg(date.text));
        }
        block.month = date.month;
        block.day = date.day;
    }
    if (draw.date.isValid()) block.month = 0;
    if (!numbers.main.empty() || !numbers.bonus.empty() || !other.isEmpty()) {
        const QString why = NumbersProblem(numbers, other);
        if (why.isEmpty()) {
            std::copy(numbers.main.begin(), numbers.main.end(), draw.numbers.begin());
            std::copy(numbers.bonus.begin(), numbers.bonus.end(), draw.numbers.begin() + kBonus1);
            draw.hasNumbers = true;
        } else {
            SetProblem(draw, why);
        }
    }
    const std::string prizeProblem = PrizeLinesProblem(draw.prizes);
    if (!prizeProblem.empty()) SetProblem(draw, QString::fromStdString(prizeProblem));
    if (drawNumber > kHighestDrawNumber) {
        SetProblem(draw, QStringLiteral("第%1回は1～5000回の範囲にありません。").arg(drawNumber));
    }
    return block;
}

// Two texts of one draw (a heading and a prize table further down, say)
// become one; a difference between them is a problem.
void MergeInto(BlockDraw& into, const BlockDraw& from) {
    PastedDraw& a = into.draw;
    const PastedDraw& b = from.draw;
    a.source = Shown(a.source + u'\n' + b.source);
    if (!b.problem.isEmpty()) SetProblem(a, b.problem);
    if (a.hasNumbers && b.hasNumbers && a.numbers != b.numbers) {
        SetProblem(a,
                   QStringLiteral("第%1回が2か所に違う数字で書かれています。").arg(a.drawNumber));
    }
    if (!a.hasNumbers && b.hasNumbers) {
        a.numbers = b.numbers;
        a.hasNumbers = true;
    }
    if (a.date.isValid() && b.date.isValid() && a.date != b.date) {
        SetProblem(a, QStringLiteral("第%1回の日付が2つあります（%2と%3）。")
                          .arg(a.drawNumber)
                          .arg(a.date.toString(Qt::ISODate), b.date.toString(Qt::ISODate)));
    }
    if (!a.date.isValid()) a.date = b.date;
    if (into.month == 0) {
        into.month = from.month;
        into.day = from.day;
    }
    if (a.date.isValid()) into.month = 0;
    for (int t = 0; t < kPrizeTierCount; ++t) {
        if (a.prizes.tiers[t] && b.prizes.tiers[t] && a.prizes.tiers[t] != b.prizes.tiers[t]) {
            SetProblem(
                a, QStringLiteral("第%1回の%2等が2か所で違います。").arg(a.drawNumber).arg(t + 1));
        }
    }
    if ((a.prizes.carryOver && b.prizes.carryOver && a.prizes.carryOver != b.prizes.carryOver) ||
        (a.prizes.sales && b.prizes.sales && a.prizes.sales != b.prizes.sales)) {
        SetProblem(a, QStringLiteral("第%1回の金額が2か所で違います。").arg(a.drawNumber));
    }
    a.prizes = MergedPrizes(a.prizes, b.prizes);
    into.empty = into.empty && from.empty;
}

// A date without a year takes the year that puts it nearest to where the
// weekly draws place it, counted from the nearest draw with a full date
// (pasted, or stored); none near, or none near enough, is a problem.
void GiveYear(BlockDraw& block, const std::map<int, QDate>& pastedDates,
              const KnownDrawDate& knownDate) {
    PastedDraw& draw = block.draw;
    const int n = draw.drawNumber;
    int from = 0;
    QDate reference;
    int bestDistance = 1 << 30;
    for (const auto& [other, date] : pastedDates) {
        if (std::abs(other - n) < bestDistance) {
            bestDistance = std::abs(other - n);
            from = other;
            reference = date;
        }
    }
    if (knownDate) {
        for (int d = 0; d < std::min(bestDistance, 60); ++d) {
            for (int other : {n - d, n + d}) {
                if (other < 1 || (reference.isValid() && std::abs(other - n) >= bestDistance))
                    continue;
                const QDate date = knownDate(other);
                if (!date.isValid()) continue;
                bestDistance = std::abs(other - n);
                from = other;
                reference = date;
            }
            if (reference.isValid() && bestDistance <= d) break;
        }
    }
    const QString shown = QStringLiteral("%1月%2日").arg(block.month).arg(block.day);
    if (!reference.isValid()) {
        SetProblem(
            draw, QStringLiteral("「%1」の年が分かりません（年のある日付の回がそばにありません）。")
                      .arg(shown));
        return;
    }
    const QDate expected = reference.addDays(7LL * (n - from));
    QDate best;
    for (int year = expected.year() - 1; year <= expected.year() + 1; ++year) {
        const QDate date(year, block.month, block.day);
        if (date.isValid() && (!best.isValid() ||
                               std::abs(date.daysTo(expected)) < std::abs(best.daysTo(expected)))) {
            best = date;
        }
    }
    if (!best.isValid() || std::abs(best.daysTo(expected)) > kMostDaysFromExpected) {
        SetProblem(draw,
                   QStringLiteral("「%1」の年が分かりません（第%2回の日付から離れすぎています）。")
                       .arg(shown)
                       .arg(from));
        return;
    }
    draw.date = best;
    block.month = 0;
}

QString TooMuchText() {
    return QStringLiteral(
               "貼り付けた文字が多すぎます（%1 MBか%2行までしか読みません）。"
               "当選結果の部分だけを選んでコピーしてください。")
        .arg(kMostPastedBytes / (1024 * 1024))
        .arg(QString::fromStdString(GroupedDigits(kMostPastedLines)));
}

}  // namespace

bool PastedTextTooLong(const QString& text) {
    if (text.size() > kMostPastedBytes) return true;
    const qsizetype lines = text.count(u'\n') + (text.endsWith(u'\n') ? 0 : 1);
    return lines > kMostPastedLines;
}

PasteReading ReadPastedResults(const QString& text, const KnownDrawDate& knownDate) {
    PasteReading reading;
    if (PastedTextTooLong(text) || text.toUtf8().size() > kMostPastedBytes) {
        reading.refusal = TooMuchText();
        return reading;
    }
    if (text.trimmed().isEmpty()) {
        reading.refusal = QStringLiteral("貼り付けた文字がありません。");
        return reading;
    }
    const QString plain = TablesAsLabelledText(Normalized(TextOfMarkup(text)));

    static const RE marker(
        QStringLiteral("(?:第\\s*)?(?<![0-9,.])([0-9]{1,4})\\s*回(?![数目号別])"));
    std::vector<BlockDraw> blocks;
    std::map<int, std::size_t> indexOf;
    BlockDraw preamble;
    qsizetype last = 0;
    int number = 0;
    QString prefix;
    QString markerText;
    const auto close = [&](qsizetype end) {
        const QString body = plain.sliced(last, end - last);
        BlockDraw block = ReadBlock(number, prefix, markerText, body);
        if (number == 0) {
            preamble = block;
            return;
        }
        if (block.empty) return;
        const auto found = indexOf.find(number);
        if (found == indexOf.end()) {
            indexOf.emplace(number, blocks.size());
            blocks.push_back(std::move(block));
        } else {
            MergeInto(blocks[found->second], block);
        }
    };
    for (auto it = marker.globalMatch(plain); it.hasNext();) {
        const auto m = it.next();
        // What stands before the marker on its own line ("ロト6 第2060回")
        // belongs to the draw it names.
        // (Looked for back to the previous marker only: a long text without
        // line breaks is read in one pass.)
        const qsizetype lineBreak =
            QStringView(plain).sliced(last, m.capturedStart() - last).lastIndexOf(u'\n');
        const qsizetype lineStart = lineBreak < 0 ? last : last + lineBreak + 1;
        const qsizetype start = lineBreak >= 0 || number == 0 ? lineStart : m.capturedStart();
        close(start);
        number = m.captured(1).toInt();
        prefix = plain.sliced(start, m.capturedStart() - start);
        markerText = m.captured(0);
        last = m.capturedEnd();
    }
    close(plain.size());

    std::map<int, QDate> pastedDates;
    for (const BlockDraw& block : blocks) {
        if (block.draw.date.isValid() && block.draw.problem.isEmpty()) {
            pastedDates.emplace(block.draw.drawNumber, block.draw.date);
        }
    }
    for (BlockDraw& block : blocks) {
        if (block.month != 0) GiveYear(block, pastedDates, knownDate);
        reading.draws.push_back(std::move(block.draw));
    }
    // Numbers before any 「第○回」 belong to no draw the text names.
    std::stable_sort(
        reading.draws.begin(), reading.draws.end(),
        [](const PastedDraw& a, const PastedDraw& b) { return a.drawNumber < b.drawNumber; });
    if (preamble.numbers) {
        PastedDraw unnamed = preamble.draw;
        unnamed.problem = QStringLiteral("何回の結果か分かりません（「第○回」がありません）。");
        if (!preamble.draw.problem.isEmpty()) unnamed.problem += preamble.draw.problem;
        unnamed.hasNumbers = false;
        reading.draws.push_back(std::move(unnamed));
    }
    if (reading.draws.empty()) {
        reading.refusal =
            QStringLiteral("ロト7の当選結果（「第○回」と当選数字）が見つかりませんでした。");
    }
    return reading;
}

PasteReading ReadPastedResultBytes(const std::string& bytes, const KnownDrawDate& knownDate) {
    if (static_cast<qsizetype>(bytes.size()) > kMostPastedBytes) {
        PasteReading reading;
        reading.refusal = TooMuchText();
        return reading;
    }
    QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (view.startsWith("\xEF\xBB\xBF")) view = view.sliced(3);
    if (!view.contains('\0')) {
        for (const char* name : {"UTF-8", "windows-31j", "cp932", "Shift_JIS"}) {
            QStringDecoder decoder(name, QStringConverter::Flag::Stateless);
            if (!decoder.isValid()) continue;
            const QString text = decoder(view);
            if (!decoder.hasError()) return ReadPastedResults(text, knownDate);
        }
    }
    PasteReading reading;
    reading.refusal = QStringLiteral(
        "文字のデータではありません（画像などは読めません）。当選結果の文字をコピーしてください。");
    return reading;
}

QString PastedNumbersText(const std::array<int, kFieldCount>& numbers) {
    QString text;
    for (int f = 0; f < kFieldCount; ++f) {
        if (f > 0) text += f == kBonus1 ? QStringLiteral("／") : QStringLiteral(",");
        text += QString::number(numbers[f]);
    }
    return text;
}
