#include "paste/TableText.h"

#include <QRegularExpression>
#include <QStringList>
#include <array>
#include <vector>

namespace {

using RE = QRegularExpression;

enum class Role { None, Draw, Date, Main, Bonus, Winners, Amount, CarryOver, Sales };

struct Column {
    Role role = Role::None;
    int tier = 0;  // 1–6 for winners and amounts
};

// Cells split at sep; with commas, a quoted cell may hold commas.
QStringList SplitCells(const QString& line, QChar sep) {
    QStringList cells;
    QString cell;
    bool quoted = false;
    for (QChar c : line) {
        if (sep == u',' && c == u'"') {
            quoted = !quoted;
        } else if (c == sep && !quoted) {
            cells.append(cell);
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells.append(cell);
    return cells;
}

Column ColumnOf(QString name) {
    name.remove(u' ');
    name.remove(u'\u3000');
    static const std::array<std::pair<RE, Role>, 6> plain = {{
        {RE(QStringLiteral("^(第?回(数|号|別)?|開催回|抽せん回|抽選回)$")), Role::Draw},
        {RE(QStringLiteral("^(抽せん日|抽選日|日付|抽せん日付|抽選日付)$")), Role::Date},
        {RE(QStringLiteral("^(本数字[1-7]?|第?[1-7]数字|数字[1-7]|当せん番号|当選番号|当選数字|"
                           "当せん数字)$")),
         Role::Main},
        {RE(QStringLiteral("^(ボーナス数字[12]?|ボーナス[12]?|BONUS数字[12]?|BONUS[12]?|B[12]?|"
                           "BN[12]?)$"),
            RE::CaseInsensitiveOption),
         Role::Bonus},
        {RE(QStringLiteral("^(キャリーオーバー額?|繰越金)$")), Role::CarryOver},
        {RE(QStringLiteral("^(販売実績額?|売上金?額?)$")), Role::Sales},
    }};
    for (const auto& [pattern, role] : plain) {
        if (pattern.match(name).hasMatch()) return {role, 0};
    }
    static const RE winners(QStringLiteral("^([1-6])等(当選|当せん)?口数$"));
    static const RE amount(
        QStringLiteral("^([1-6])等(当選金額|当せん金額|当せん金|当選金|賞金|金額)$"));
    if (const auto m = winners.match(name); m.hasMatch())
        return {Role::Winners, m.captured(1).toInt()};
    if (const auto m = amount.match(name); m.hasMatch())
        return {Role::Amount, m.captured(1).toInt()};
    return {};
}

// The columns of a heading row, or none when the row is no heading of draws.
std::vector<Column> HeadingColumns(const QStringList& cells) {
    std::vector<Column> columns;
    bool draw = false;
    bool numbers = false;
    for (const QString& cell : cells) {
        Column column = ColumnOf(cell.trimmed());
        if (cell.trimmed().isEmpty() && !columns.empty() &&
            (columns.back().role == Role::Main || columns.back().role == Role::Bonus)) {
            column = columns.back();
        }
        draw = draw || column.role == Role::Draw;
        numbers = numbers || column.role == Role::Main;
        columns.push_back(column);
    }
    if (!draw || !numbers) columns.clear();
    return columns;
}

QString WithUnit(QString value, QChar unit) {
    value = value.trimmed();
    static const RE digits(QStringLiteral("^[0-9][0-9,]*$"));
    return digits.match(value).hasMatch() ? value + unit : value;
}

// One row as labelled lines, or an empty text when its draw cell holds no number.
QString LabelledRow(const QStringList& cells, const std::vector<Column>& columns) {
    QString draw, date, main, bonus;
    std::array<QString, 7> tiers;
    QString carry, sales;
    static const RE number(QStringLiteral("[0-9]+"));
    static const RE brackets(QStringLiteral("[()\\[\\]]"));
    for (qsizetype i = 0; i < cells.size() && i < static_cast<qsizetype>(columns.size()); ++i) {
        QString cell = cells[i].trimmed();
        if (cell.isEmpty()) continue;
        const Column& c = columns[static_cast<std::size_t>(i)];
        switch (c.role) {
            case Role::Draw:
                if (const auto m = number.match(cell); m.hasMatch()) draw = m.captured(0);
                break;
            case Role::Date:
                date += u' ' + cell;
                break;
            case Role::Main:
                main += u' ' + cell.replace(brackets, QStringLiteral(" "));
                break;
            case Role::Bonus:
                bonus += u' ' + cell.replace(brackets, QStringLiteral(" "));
                break;
            case Role::Winners:
                tiers[c.tier] = WithUnit(cell, u'口') + u' ' + tiers[c.tier];
                break;
            case Role::Amount:
                tiers[c.tier] += u' ' + WithUnit(cell, u'円');
                break;
            case Role::CarryOver:
                carry = WithUnit(cell, u'円');
                break;
            case Role::Sales:
                sales = WithUnit(cell, u'円');
                break;
            case Role::None:
                break;
        }
    }
    if (draw.isEmpty()) return {};
    QString text = QStringLiteral("第%1回%2").arg(draw, date);
    if (!main.isEmpty()) text += QStringLiteral(" 本数字") + main;
    if (!bonus.isEmpty()) text += QStringLiteral(" ボーナス数字") + bonus;
    for (int t = 1; t <= 6; ++t) {
        if (!tiers[t].isEmpty()) text += QStringLiteral("\n%1等 ").arg(t) + tiers[t];
    }
    if (!carry.isEmpty()) text += QStringLiteral("\nキャリーオーバー ") + carry;
    if (!sales.isEmpty()) text += QStringLiteral("\n販売実績額 ") + sales;
    return text;
}

}  // namespace

QString TablesAsLabelledText(const QString& text) {
    const QStringList lines = text.split(u'\n');
    QStringList out;
    std::vector<Column> columns;
    QChar sep;
    for (const QString& line : lines) {
        if (!columns.empty()) {
            if (line.trimmed().isEmpty() || !line.contains(sep)) {
                columns.clear();
            } else {
                const QString row = LabelledRow(SplitCells(line, sep), columns);
                out.append(row.isEmpty() ? line : row);
                continue;
            }
        }
        for (QChar candidate : {QChar(u'\t'), QChar(u',')}) {
            if (!line.contains(candidate)) continue;
            columns = HeadingColumns(SplitCells(line, candidate));
            if (!columns.empty()) sep = candidate;
            break;
        }
        // A heading row names columns and holds no draw; it is dropped.
        if (columns.empty()) out.append(line);
    }
    return out.join(u'\n');
}
