#include "paste/PastePreview.h"

#include <sqlite3.h>

#include <QStringList>
#include <functional>
#include <map>
#include <set>
#include <span>

#include "core/FileAccess.h"
#include "core/JsonText.h"
#include "core/YenText.h"
#include "data/Database.h"
#include "data/DrawDates.h"
#include "data/PrizeStore.h"
#include "data/Schema.h"

namespace {

// What the database holds of the draws: numbers, dates, prize lines.
struct StoredDraws {
    std::map<int, CsvDraw> draws;
    std::map<int, DrawPrizes> prizes;
};

StoredDraws ReadStored(const std::string& databasePath) {
    StoredDraws stored;
    if (KindOf(databasePath) == FileKind::Missing) return stored;
    const Database db = Database::Open(databasePath, Database::Mode::ReadOnly);
    if (!HasSchema(db)) return stored;
    Statement query(db,
                    "SELECT 回数, 第1数字, 第2数字, 第3数字, 第4数字, 第5数字, 第6数字, 第7数字, "
                    "ボーナス数字1, ボーナス数字2 FROM 全データ選択クエリ");
    while (query.Step()) {
        sqlite3_stmt* s = query.Handle();
        CsvDraw draw;
        draw.drawNumber = sqlite3_column_int(s, 0);
        for (int f = 0; f < kFieldCount; ++f) {
            if (sqlite3_column_type(s, 1 + f) == SQLITE_NULL) continue;
            draw.numbers[f] = sqlite3_column_int(s, 1 + f);
            draw.present |= 1u << f;
        }
        stored.draws[draw.drawNumber] = draw;
    }
    // The draw date is the program's own column; a file made elsewhere may
    // not have it, and then no stored date helps.
    for (const auto& [number, date] : ReadDrawDates(db)) {
        const auto found = stored.draws.find(number);
        if (found != stored.draws.end())
            found->second.date = date.toString(Qt::ISODate).toStdString();
    }
    stored.prizes = ReadAllPrizes(db);
    return stored;
}

CsvDraw AsCsvDraw(const PastedDraw& pasted) {
    CsvDraw draw;
    draw.drawNumber = pasted.drawNumber;
    if (pasted.date.isValid()) draw.date = pasted.date.toString(Qt::ISODate).toStdString();
    if (pasted.hasNumbers) {
        std::copy(pasted.numbers.begin(), pasted.numbers.end(), draw.numbers);
        draw.present = (1u << kFieldCount) - 1;
    }
    draw.prizes = pasted.prizes;
    return draw;
}

PreviewRow Compare(const PastedDraw& pasted, const StoredDraws& stored) {
    PreviewRow row;
    row.pasted = pasted;
    if (!pasted.problem.isEmpty()) return row;
    const auto found = stored.draws.find(pasted.drawNumber);
    row.stored = found != stored.draws.end();
    if (!row.stored) {
        if (!pasted.hasNumbers) {
            row.pasted.problem =
                QStringLiteral("第%1回は登録されていないため、当選金額だけでは登録できません。")
                    .arg(pasted.drawNumber);
            return row;
        }
        row.status = PasteStatus::New;
        row.addsPrizes = !pasted.prizes.Empty();
        row.tickedAtFirst = true;
        return row;
    }
    row.storedDraw = found->second;
    if (const auto p = stored.prizes.find(pasted.drawNumber); p != stored.prizes.end()) {
        row.storedPrizes = p->second;
    }
    const bool sameNumbers = !pasted.hasNumbers || SameNumbers(row.storedDraw, AsCsvDraw(pasted));
    const DrawPrizes merged = MergedPrizes(row.storedPrizes, pasted.prizes);
    const bool prizesDiffer = merged != MergedPrizes(pasted.prizes, row.storedPrizes);
    row.addsPrizes = merged != row.storedPrizes;
    if (sameNumbers && !prizesDiffer) {
        row.status = PasteStatus::Same;
        row.tickedAtFirst = row.addsPrizes;
    } else {
        row.status = PasteStatus::Changed;
    }
    return row;
}

const char* StatusKey(PasteStatus status) {
    switch (status) {
        case PasteStatus::New:
            return "new";
        case PasteStatus::Same:
            return "same";
        case PasteStatus::Changed:
            return "changed";
        case PasteStatus::Unreadable:
            break;
    }
    return "unreadable";
}

std::string Utf8(const QString& text) { return text.toStdString(); }

std::string JsonOptional(const std::optional<std::int64_t>& value) {
    return value ? std::to_string(*value) : "null";
}

std::string PrizesJson(const DrawPrizes& prizes) {
    std::string json = "[";
    bool first = true;
    for (int t = 0; t < kPrizeTierCount; ++t) {
        if (!prizes.tiers[t]) continue;
        json += (first ? "" : ", ") + std::string("{\"tier\": ") + std::to_string(t + 1) +
                ", \"winners\": " + std::to_string(prizes.tiers[t]->winners) +
                ", \"amount\": " + std::to_string(prizes.tiers[t]->amount) + "}";
        first = false;
    }
    return json + "], \"carryOver\": " + JsonOptional(prizes.carryOver) +
           ", \"sales\": " + JsonOptional(prizes.sales);
}

std::string NumbersJson(const std::array<int, kFieldCount>& numbers) {
    return "\"numbers\": " + JsonIntegers(std::span(numbers).first(kMainCount)) +
           ", \"bonus\": " + JsonIntegers(std::span(numbers).subspan(kBonus1));
}

}  // namespace

namespace {

PastePreview PreviewOf(const std::function<PasteReading(const KnownDrawDate&)>& read,
                       const std::string& databasePath) {
    const StoredDraws stored = ReadStored(databasePath);
    const auto knownDate = [&stored](int n) {
        const auto found = stored.draws.find(n);
        return found == stored.draws.end()
                   ? QDate()
                   : QDate::fromString(QString::fromStdString(found->second.date), Qt::ISODate);
    };
    const PasteReading reading = read(knownDate);
    PastePreview preview;
    preview.refusal = reading.refusal;
    for (const PastedDraw& draw : reading.draws) preview.rows.push_back(Compare(draw, stored));
    std::set<long long> numbers;
    for (const auto& [n, draw] : stored.draws) numbers.insert(n);
    for (const PreviewRow& row : preview.rows) {
        if (row.tickedAtFirst) numbers.insert(row.pasted.drawNumber);
    }
    for (auto it = numbers.begin(); it != numbers.end() && std::next(it) != numbers.end(); ++it) {
        const long long next = *std::next(it);
        if (next > *it + 1) preview.gaps.push_back({*it + 1, next - 1});
    }
    return preview;
}

}  // namespace

PastePreview PreviewPaste(const QString& text, const std::string& databasePath) {
    return PreviewOf([&](const KnownDrawDate& known) { return ReadPastedResults(text, known); },
                     databasePath);
}

PastePreview PreviewPasteBytes(const std::string& bytes, const std::string& databasePath) {
    return PreviewOf(
        [&](const KnownDrawDate& known) { return ReadPastedResultBytes(bytes, known); },
        databasePath);
}

QString StatusText(PasteStatus status) {
    switch (status) {
        case PasteStatus::New:
            return QStringLiteral("新規");
        case PasteStatus::Same:
            return QStringLiteral("登録済みと同じ");
        case PasteStatus::Changed:
            return QStringLiteral("登録済みと違う");
        case PasteStatus::Unreadable:
            break;
    }
    return QStringLiteral("読めません");
}

QString PrizeLinesFound(const DrawPrizes& prizes) {
    QStringList parts;
    int first = 0;
    int last = 0;
    for (int t = 1; t <= kPrizeTierCount; ++t) {
        if (!prizes.tiers[t - 1]) continue;
        if (first == 0) first = t;
        last = t;
    }
    if (first > 0) {
        int count = 0;
        for (const auto& line : prizes.tiers) count += line ? 1 : 0;
        if (count == last - first + 1 && last > first) {
            parts.append(QStringLiteral("%1等～%2等").arg(first).arg(last));
        } else {
            for (int t = 1; t <= kPrizeTierCount; ++t)
                if (prizes.tiers[t - 1]) parts.append(QStringLiteral("%1等").arg(t));
        }
    }
    if (prizes.carryOver) parts.append(QStringLiteral("キャリーオーバー"));
    if (prizes.sales) parts.append(QStringLiteral("販売実績額"));
    return parts.join(QStringLiteral("、"));
}

QString PrizeLinesText(const DrawPrizes& prizes) {
    QStringList lines;
    for (int t = 0; t < kPrizeTierCount; ++t) {
        const auto& line = prizes.tiers[t];
        if (!line) continue;
        lines.append(line->winners == 0
                         ? QStringLiteral("%1等 該当なし").arg(t + 1)
                         : QStringLiteral("%1等 %2口 %3")
                               .arg(t + 1)
                               .arg(QString::fromStdString(GroupedDigits(line->winners)))
                               .arg(QString::fromStdString(YenText(line->amount))));
    }
    if (prizes.carryOver) {
        lines.append(QStringLiteral("キャリーオーバー ") +
                     QString::fromStdString(YenText(*prizes.carryOver)));
    }
    if (prizes.sales) {
        lines.append(QStringLiteral("販売実績額 ") +
                     QString::fromStdString(YenText(*prizes.sales)));
    }
    return lines.join(u'\n');
}

QString StoredNumbersText(const PreviewRow& row) {
    return QString::fromStdString(DrawNumbersText(row.storedDraw));
}

QString ReplaceQuestion(const PreviewRow& row) {
    const QString draw = QStringLiteral("第%1回").arg(row.pasted.drawNumber);
    if (row.pasted.hasNumbers && !SameNumbers(row.storedDraw, AsCsvDraw(row.pasted))) {
        return QStringLiteral("%1を %2 から %3 に変えますか？")
            .arg(draw, StoredNumbersText(row), PastedNumbersText(row.pasted.numbers));
    }
    return QStringLiteral("%1の当選金額を\n%2\nから\n%3\nに変えますか？")
        .arg(draw, PrizeLinesText(row.storedPrizes),
             PrizeLinesText(MergedPrizes(row.storedPrizes, row.pasted.prizes)));
}

std::vector<CsvDraw> DrawsToStore(const PastePreview& preview, const std::vector<bool>& ticked) {
    std::vector<CsvDraw> draws;
    for (std::size_t i = 0; i < preview.rows.size() && i < ticked.size(); ++i) {
        const PreviewRow& row = preview.rows[i];
        if (ticked[i] && row.status != PasteStatus::Unreadable)
            draws.push_back(AsCsvDraw(row.pasted));
    }
    return draws;
}

std::vector<bool> FirstTicks(const PastePreview& preview) {
    std::vector<bool> ticks;
    for (const PreviewRow& row : preview.rows) ticks.push_back(row.tickedAtFirst);
    return ticks;
}

std::string PreviewText(const PastePreview& preview) {
    if (!preview.refusal.isEmpty()) return Utf8(preview.refusal) + "\n";
    std::string text;
    for (const PreviewRow& row : preview.rows) {
        const PastedDraw& p = row.pasted;
        QString line =
            StatusText(row.status) + u'\t' +
            (p.drawNumber > 0 ? QStringLiteral("第%1回").arg(p.drawNumber)
                              : QStringLiteral("回不明")) +
            u'\t' + (p.date.isValid() ? p.date.toString(Qt::ISODate) : QStringLiteral("日付なし"));
        if (row.status == PasteStatus::Unreadable) {
            line += u'\t' + p.problem + QStringLiteral("\n\t「") +
                    QString(p.source).replace(u'\n', u' ') + QStringLiteral("」");
        } else {
            line += u'\t' + (p.hasNumbers ? PastedNumbersText(p.numbers)
                                          : QStringLiteral("（当選金額のみ）"));
            if (row.status == PasteStatus::Changed) {
                line += QStringLiteral("\t（登録済み %1）").arg(StoredNumbersText(row));
            }
            const QString prizes = PrizeLinesText(p.prizes);
            if (!prizes.isEmpty())
                line +=
                    QStringLiteral("\n\t") + QString(prizes).replace(u'\n', QStringLiteral("\n\t"));
        }
        text += Utf8(line) + "\n";
    }
    if (!preview.gaps.empty()) text += MissingDrawsWarning(preview.gaps) + "\n";
    return text;
}

std::string PreviewJson(const PastePreview& preview) {
    std::string json =
        "{\"refusal\": " +
        (preview.refusal.isEmpty() ? std::string("null") : JsonString(Utf8(preview.refusal))) +
        ", \"rows\": [";
    bool first = true;
    for (const PreviewRow& row : preview.rows) {
        const PastedDraw& p = row.pasted;
        json += (first ? "\n  {" : ",\n  {") + std::string("\"draw\": ") +
                (p.drawNumber > 0 ? std::to_string(p.drawNumber) : "null") + ", \"date\": " +
                (p.date.isValid() ? JsonString(Utf8(p.date.toString(Qt::ISODate))) : "null") +
                ", \"status\": " + JsonString(StatusKey(row.status)) +
                ", \"statusText\": " + JsonString(Utf8(StatusText(row.status)));
        if (p.hasNumbers && row.status != PasteStatus::Unreadable) {
            json += ", " + NumbersJson(p.numbers);
        } else {
            json += ", \"numbers\": null, \"bonus\": null";
        }
        json += ", \"stored\": " +
                (row.stored ? JsonString(Utf8(StoredNumbersText(row))) : std::string("null"));
        json += ", \"prizes\": " + PrizesJson(p.prizes);
        json += ", \"problem\": " +
                (p.problem.isEmpty() ? std::string("null") : JsonString(Utf8(p.problem)));
        json += ", \"source\": " + JsonString(Utf8(p.source)) + "}";
        first = false;
    }
    json += std::string(first ? "" : "\n") + "], \"missing\": " +
            (preview.gaps.empty() ? std::string("null")
                                  : JsonString(MissingDrawsWarning(preview.gaps))) +
            "}\n";
    return json;
}
