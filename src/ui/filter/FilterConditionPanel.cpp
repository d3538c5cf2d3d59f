#include "ui/filter/FilterConditionPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <bit>
#include <utility>
#include <vector>

#include "core/Errors.h"
#include "core/QtConversions.h"
#include "filter/FilterReport.h"
#include "grid/Twips.h"

namespace {

constexpr int kSplitEditWidthTwips = 600;

const QString kResultOff = QStringLiteral("（条件なし）");

// The example typed into an empty input.
QString Example(FilterKind kind) {
    switch (kind) {
        case FilterKind::Sum:
            return QStringLiteral("例 100-160");
        case FilterKind::Odd:
        case FilterKind::Low:
            return QStringLiteral("例 3,4");
        case FilterKind::Consecutive:
            return QStringLiteral("例 0,1");
        case FilterKind::SkipOne:
            return QStringLiteral("例 0-2");
        case FilterKind::LastDigits:
            return QStringLiteral("例 5-7");
        case FilterKind::SameDigit:
            return QStringLiteral("例 2");
        case FilterKind::Include:
        case FilterKind::Exclude:
            return QStringLiteral("例 3,7,21");
        case FilterKind::CarryOver:
            return QStringLiteral("例 0-2");
        default:
            return {};
    }
}

// The largest count a filter's input may name.
int MaxCount(FilterKind kind) {
    return kind == FilterKind::Consecutive || kind == FilterKind::SkipOne ? 6 : 7;
}

// The condition of a filter typed as one set of counts; null for the others.
std::optional<CountSet>* CountSetOf(FilterConditions& conditions, FilterKind kind) {
    switch (kind) {
        case FilterKind::Odd:
            return &conditions.odd;
        case FilterKind::Low:
            return &conditions.low;
        case FilterKind::Consecutive:
            return &conditions.consecutive;
        case FilterKind::SkipOne:
            return &conditions.skipOne;
        case FilterKind::LastDigits:
            return &conditions.lastDigits;
        case FilterKind::CarryOver:
            return &conditions.carryOver;
        default:
            return nullptr;
    }
}

// "2" (or "1-2") keeps combinations with at most two numbers sharing a last digit.
void ReadSameDigit(const std::string& text, const std::string& label,
                   FilterConditions& conditions) {
    if (const std::optional<CountSet> set = ParseCountSet(text, label, 7)) {
        conditions.sameDigitMax = 15 - std::countl_zero(*set);
    }
}

// One set of counts per group of a split; a group left empty allows any count.
void ReadSplit(const std::vector<QLineEdit*>& inputs, FilterKind kind, const std::string& label,
               FilterConditions& conditions) {
    const int split = SplitIndex(kind);
    std::vector<CountSet> sets;
    bool any = false;
    for (std::size_t group = 0; group < inputs.size(); ++group) {
        const std::optional<CountSet> set = ParseCountSet(
            inputs[group]->text().toStdString(),
            label + "（" + GroupName(split, static_cast<int>(group)) + "）", kMainCount);
        any = any || set.has_value();
        sets.push_back(set.value_or(kAnyCount));
    }
    if (any) conditions.splits[split] = sets;
}

// "at least i of these numbers": both parts or neither, and one count only.
void ReadAtLeast(const std::string& count, const std::string& numbers, const std::string& label,
                 FilterConditions& conditions) {
    const std::optional<CountSet> least = ParseCountSet(count, label + "の個数", kMainCount);
    const NumberMask of = ParseNumbers(numbers, label + "の数字");
    if (least.has_value() != (of != 0)) {
        throw UserError(label + "は、個数と数字の両方を指定してください。");
    }
    if (!least) return;
    if (std::popcount(*least) != 1) throw UserError(label + "の個数は1つだけ指定してください。");
    conditions.atLeast = {{std::countr_zero(*least), of}};
}

// "組合せ 75.4 %　過去の当選 508 回(73.7 %)": short enough for the column
// beside the notes (the line at the top says it in full).
QString KeptText(std::uint64_t combinations, std::uint64_t total, int past, int draws) {
    const QString kept =
        QStringLiteral("組合せ %1 %").arg(FromView(PercentText(combinations, total)));
    if (draws == 0) return kept;
    return kept + QStringLiteral("　過去の当選 %1 回(%2 %)")
                      .arg(past)
                      .arg(FromView(PercentText(static_cast<std::uint64_t>(past),
                                                static_cast<std::uint64_t>(draws))));
}

// The texts of the first column (labels and notes), each as one line.
std::vector<QLabel*> FirstColumnLabels(const QGridLayout* grid) {
    std::vector<QLabel*> labels;
    for (int line = 0; line < grid->rowCount(); ++line) {
        const QLayoutItem* item = grid->itemAtPosition(line, 0);
        if (auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr) {
            labels.push_back(label);
        }
    }
    return labels;
}

// A long text in lines no wider than width, broken only between its
// phrases: after 「。」 and before 「（」.
QString PhraseLines(const QString& text, const QFontMetrics& metrics, int width) {
    QStringList phrases;
    QString phrase;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QChar(u'（') && !phrase.isEmpty()) phrases << std::exchange(phrase, {});
        phrase += text[i];
        if (text[i] == QChar(u'。')) phrases << std::exchange(phrase, {});
    }
    if (!phrase.isEmpty()) phrases << phrase;
    QStringList lines;
    for (const QString& next : phrases) {
        if (!lines.isEmpty() && metrics.horizontalAdvance(lines.back() + next) <= width) {
            lines.back() += next;
        } else {
            lines << next;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

// The first column is as wide as its widest one-sentence text, whatever the
// counts beside it say, so nothing moves when a count appears; a longer note
// goes on more lines, broken between its phrases.
void FixFirstColumn(QGridLayout* grid) {
    const std::vector<QLabel*> labels = FirstColumnLabels(grid);
    int widest = 0;
    for (const QLabel* label : labels) {
        const QString text = label->text();
        if (text.indexOf(QChar(u'。')) < 0 || text.indexOf(QChar(u'。')) == text.size() - 1) {
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(text));
        }
    }
    for (QLabel* label : labels) {
        if (label->fontMetrics().horizontalAdvance(label->text()) > widest) {
            label->setText(PhraseLines(label->text(), label->fontMetrics(), widest));
        }
    }
    grid->setColumnMinimumWidth(0, widest + 4);
}

}  // namespace

FilterConditionPanel::FilterConditionPanel(std::function<void()> edited, QWidget* parent)
    : QScrollArea(parent), edited_(std::move(edited)) {
    auto* inner = new QWidget();
    auto* grid = new QGridLayout(inner);
    grid->setColumnStretch(2, 1);
    int line = 0;
    for (const FilterInfo& info : FilterCatalog()) AddRow(grid, line, info.kind);
    grid->setRowStretch(line, 1);
    FixFirstColumn(grid);
    setObjectName("ScrollFilters");
    setWidget(inner);
    setWidgetResizable(true);
}

QLineEdit* FilterConditionPanel::AddEdit(FilterRow& row, const FilterInfo& info,
                                         const QString& placeholder, int widthTwips,
                                         QWidget* parent, const QString& part) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("Text%1%2").arg(FromView(info.key)).arg(row.inputs.size()));
    edit->setPlaceholderText(placeholder);
    // The filter's label names its field; a field of several says which.
    QString name = FromView(info.label);
    if (!part.isEmpty()) name += QLatin1Char(' ') + part;
    edit->setAccessibleName(name);
    if (widthTwips > 0) edit->setFixedWidth(TwipsToPixels(widthTwips, parent));
    connect(edit, &QLineEdit::textChanged, this, [this] { edited_(); });
    row.inputs.push_back(edit);
    return edit;
}

// A label, the inputs beside it (or, for a split, on a line of their own)
// and under them the line that says what the filter keeps, with its note.
void FilterConditionPanel::AddRow(QGridLayout* grid, int& line, FilterKind kind) {
    const FilterInfo& info = InfoOf(kind);
    FilterRow& row = Rows[static_cast<int>(kind)];
    QWidget* parent = grid->parentWidget();
    QString title = FromView(info.label);
    if (!info.window.empty()) title += QStringLiteral("（%1）").arg(FromView(info.window));
    auto* label = new QLabel(title, parent);
    grid->addWidget(label, line, 0, Qt::AlignLeft | Qt::AlignVCenter);

    auto* inputs = new QHBoxLayout();
    const int split = SplitIndex(kind);
    if (kind == FilterKind::NotWon) {
        row.check = new QCheckBox(QStringLiteral("除く"), parent);
        row.check->setObjectName("ChkNotWon");
        connect(row.check, &QCheckBox::toggled, this, [this] { edited_(); });
        inputs->addWidget(row.check);
    } else if (split >= 0) {
        for (int group = 0; group < GroupCountOf(split); ++group) {
            auto* box = new QVBoxLayout();
            auto* name = new QLabel(FromView(GroupName(split, group)), parent);
            name->setAlignment(Qt::AlignCenter);
            box->addWidget(name);
            box->addWidget(AddEdit(row, info, QString(), kSplitEditWidthTwips, parent,
                                   FromView(GroupName(split, group))));
            inputs->addLayout(box);
        }
    } else if (kind == FilterKind::AtLeast) {
        inputs->addWidget(AddEdit(row, info, QStringLiteral("個数"), kSplitEditWidthTwips, parent,
                                  QStringLiteral("個数")));
        inputs->addWidget(new QLabel(QStringLiteral("個以上、次の数字から："), parent));
        inputs->addWidget(
            AddEdit(row, info, QStringLiteral("例 1,5,9,12"), 0, parent, QStringLiteral("数字")),
            1);
    } else {
        inputs->addWidget(AddEdit(row, info, Example(kind), 0, parent), 1);
    }
    if (split >= 0) {
        // A row of groups is wide: it gets a line of its own under the label.
        inputs->addStretch();
        ++line;
        grid->addLayout(inputs, line, 0, 1, 3);
    } else {
        grid->addLayout(inputs, line, 1, 1, 2);
    }
    ++line;
    row.result = new QLabel(kResultOff, parent);
    row.result->setObjectName(QStringLiteral("Label%1").arg(FromView(info.key)));
    grid->addWidget(row.result, line, 1, 1, 2);
    if (!info.note.empty()) {
        auto* note = new QLabel(FromView(info.note), parent);
        note->setWordWrap(true);
        note->setStyleSheet(QStringLiteral("color: #555555;"));
        grid->addWidget(note, line, 0);
    }
    ++line;
}

FilterConditions FilterConditionPanel::Read() const {
    FilterConditions conditions;
    for (const FilterInfo& info : FilterCatalog()) {
        const FilterRow& row = Rows[static_cast<int>(info.kind)];
        const auto text = [&](int i) { return row.inputs[i]->text().toStdString(); };
        const std::string label(info.label);
        if (std::optional<CountSet>* set = CountSetOf(conditions, info.kind)) {
            *set = ParseCountSet(text(0), label, MaxCount(info.kind));
        } else if (SplitIndex(info.kind) >= 0) {
            ReadSplit(row.inputs, info.kind, label, conditions);
        } else {
            switch (info.kind) {
                case FilterKind::Sum:
                    conditions.sum = ParseSumRange(text(0), label);
                    break;
                case FilterKind::SameDigit:
                    ReadSameDigit(text(0), label, conditions);
                    break;
                case FilterKind::Include:
                    conditions.include = ParseNumbers(text(0), label);
                    break;
                case FilterKind::Exclude:
                    conditions.exclude = ParseNumbers(text(0), label);
                    break;
                case FilterKind::AtLeast:
                    ReadAtLeast(text(0), text(1), label, conditions);
                    break;
                case FilterKind::NotWon:
                    conditions.notWon = row.check->isChecked();
                    break;
                default:
                    break;
            }
        }
    }
    return conditions;
}

void FilterConditionPanel::ShowKept(const FilterConditions& conditions,
                                    const CombinationCounts* counts, const PastPassCounts& past) {
    for (const FilterInfo& info : FilterCatalog()) {
        const int k = static_cast<int>(info.kind);
        QLabel* result = Rows[k].result;
        if (!conditions.IsOn(info.kind)) {
            result->setText(kResultOff);
        } else if (counts) {
            result->setText(KeptText(counts->alone[k], counts->total, past.alone[k], past.draws));
        } else {
            result->setText(QStringLiteral("組合せ 数えています…　") +
                            FromView(PastShareSentence(past.alone[k], past.draws)));
        }
    }
}

void FilterConditionPanel::ShowLatestDraw(const FilterHistory& history) {
    Rows[static_cast<int>(FilterKind::CarryOver)].inputs.front()->setToolTip(
        history.latestDraw > 0 ? QStringLiteral("第%1回の本数字 %2 と比べます")
                                     .arg(history.latestDraw)
                                     .arg(FromView(NumbersText(history.latest)))
                               : QStringLiteral("当選データがありません"));
}
