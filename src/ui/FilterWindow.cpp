#include "ui/FilterWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPromise>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <bit>
#include <memory>

#include "core/GlobalBas.h"
#include "core/QtConversions.h"
#include "grid/ProgramLook.h"
#include "grid/Twips.h"
#include "ui/ChildHost.h"
#include "ui/GridOutput.h"
#include "ui/WindowDocuments.h"

namespace {

constexpr int kWidthTwips = 18600;
constexpr int kHeightTwips = 12600;
constexpr int kMarginTwips = 120;
constexpr int kButtonWidthTwips = 1500;
constexpr int kButtonHeightTwips = 375;
constexpr int kRestartMilliseconds = 250;  // after the last edit
constexpr int kSplitEditWidthTwips = 600;

const QString kResultOff = QStringLiteral("（条件なし）");

QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setMinimumSize(TwipsToPixels(kButtonWidthTwips, parent) * 2 / 3,
                           TwipsToPixels(kButtonHeightTwips, parent));
    return button;
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

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

// "組合せ 75.4 %　過去の当選番号のうち 508 回(73.7 %)が残ります"
QString KeptText(std::uint64_t combinations, std::uint64_t total, int past, int draws) {
    return QStringLiteral("組合せ %1 %　").arg(Text(PercentText(combinations, total))) +
           Text(PastShareSentence(past, draws));
}

}  // namespace

FilterWindow::FilterWindow(ChildHost& host, QWidget* parent)
    : ChildWindow(host,
                  {.name = QString::fromUtf8(kFilterWindowName),
                   .caption = QString::fromUtf8(kFilterWindowName),
                   .widthTwips = kWidthTwips,
                   .heightTwips = kHeightTwips},
                  parent),
      restart_(new QTimer(this)) {
    Label1 = new QLabel(
        QStringLiteral("37個から7個のすべての組合せ（10,295,472通り）を、分析ウィンドウと同じ"
                       "数え方の条件で絞り込みます。条件ごとに、残る組合せの割合と、過去の当選"
                       "番号のうち何回が残るかを表示します（条件は本数字7個で数えます）"),
        this);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true);
    LabelAll = new QLabel(this);
    LabelAll->setObjectName("LabelAll");
    LabelAll->setWordWrap(true);
    QFont bold = LabelAll->font();
    bold.setBold(true);
    LabelAll->setFont(bold);
    LabelProblem = new QLabel(this);
    LabelProblem->setObjectName("LabelProblem");
    LabelProblem->setWordWrap(true);
    LabelProblem->setStyleSheet(QStringLiteral("color: #c00000;"));
    LabelProblem->hide();
    Command2 = MakeButton(QStringLiteral("印刷"), "Command2", this);
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    Command1 = MakeButton(QStringLiteral("閉じる"), "Command1", this);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    auto* top = new QHBoxLayout();
    top->addWidget(Label1, 1);
    top->addWidget(Command2, 0, Qt::AlignTop);
    top->addWidget(Command1, 0, Qt::AlignTop);
    auto* panels = new QHBoxLayout();
    panels->addWidget(BuildFilterPanel(), 5);
    panels->addWidget(BuildTicketPanel(), 2);
    auto* layout = new QVBoxLayout(this);
    const int margin = TwipsToPixels(kMarginTwips, this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addLayout(top);
    layout->addWidget(LabelAll);
    layout->addWidget(LabelProblem);
    layout->addLayout(panels, 1);

    restart_->setSingleShot(true);
    restart_->setInterval(kRestartMilliseconds);
    connect(restart_, &QTimer::timeout, this, [this] { StartCount(); });
    connect(&counting_, &QFutureWatcher<CombinationCounts>::finished, this,
            [this] { CountFinished(); });
    connect(&generating_, &QFutureWatcher<std::vector<Combination>>::finished, this,
            [this] { GenerateFinished(); });
}

// A worker still running is told to stop; it holds only its own copies.
FilterWindow::~FilterWindow() {
    counting_.cancel();
    generating_.cancel();
}

QWidget* FilterWindow::BuildFilterPanel() {
    auto* inner = new QWidget();
    auto* grid = new QGridLayout(inner);
    grid->setColumnStretch(2, 1);
    int line = 0;
    for (const FilterInfo& info : FilterCatalog()) AddFilterRow(grid, line, info.kind);
    grid->setRowStretch(line, 1);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("ScrollFilters");
    scroll->setWidget(inner);
    scroll->setWidgetResizable(true);
    return scroll;
}

void FilterWindow::AddFilterRow(QGridLayout* grid, int& line, FilterKind kind) {
    const FilterInfo& info = InfoOf(kind);
    FilterRow& row = Rows[static_cast<int>(kind)];
    QWidget* parent = grid->parentWidget();
    QString title = FromView(info.label);
    if (!info.window.empty()) title += QStringLiteral("（%1）").arg(FromView(info.window));
    auto* label = new QLabel(title, parent);
    grid->addWidget(label, line, 0, Qt::AlignLeft | Qt::AlignVCenter);

    auto* inputs = new QHBoxLayout();
    const auto edited = [this] { FiltersEdited(); };
    const auto addEdit = [&](const QString& placeholder, int widthTwips) {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(
            QStringLiteral("Text%1%2").arg(FromView(info.key)).arg(row.inputs.size()));
        edit->setPlaceholderText(placeholder);
        if (widthTwips > 0) edit->setFixedWidth(TwipsToPixels(widthTwips, parent));
        connect(edit, &QLineEdit::textChanged, this, edited);
        row.inputs.push_back(edit);
        return edit;
    };
    const int split = SplitIndex(kind);
    if (kind == FilterKind::NotWon) {
        row.check = new QCheckBox(QStringLiteral("除く"), parent);
        row.check->setObjectName("ChkNotWon");
        connect(row.check, &QCheckBox::toggled, this, edited);
        inputs->addWidget(row.check);
    } else if (split >= 0) {
        for (int group = 0; group < GroupCountOf(split); ++group) {
            auto* box = new QVBoxLayout();
            auto* name = new QLabel(Text(GroupName(split, group)), parent);
            name->setAlignment(Qt::AlignCenter);
            box->addWidget(name);
            box->addWidget(addEdit(QString(), kSplitEditWidthTwips));
            inputs->addLayout(box);
        }
    } else if (kind == FilterKind::AtLeast) {
        addEdit(QStringLiteral("個数"), kSplitEditWidthTwips);
        inputs->addWidget(row.inputs.back());
        inputs->addWidget(new QLabel(QStringLiteral("個以上、次の数字から："), parent));
        inputs->addWidget(addEdit(QStringLiteral("例 1,5,9,12"), 0), 1);
    } else {
        inputs->addWidget(addEdit(Example(kind), 0), 1);
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

QWidget* FilterWindow::BuildTicketPanel() {
    auto* panel = new QWidget(this);
    Spin口数 = new QSpinBox(panel);
    Spin口数->setObjectName("Spin口数");
    Spin口数->setRange(1, kMaxTickets);
    Spin口数->setValue(5);
    Text乱数 = new QLineEdit(panel);
    Text乱数->setObjectName("Text乱数");
    Text乱数->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]{1,18}"), Text乱数));
    Text乱数->setText(QString::number(QRandomGenerator::global()->bounded(1, 1000000)));
    Cmd乱数 = MakeButton(QStringLiteral("種を変える"), "Cmd乱数", panel);
    connect(Cmd乱数, &QPushButton::clicked, this, [this] { Cmd乱数_Click(); });
    Opt無作為 = new QRadioButton(QStringLiteral("無作為に選ぶ"), panel);
    Opt無作為->setObjectName("Opt無作為");
    Opt無作為->setChecked(true);
    Opt散らす = new QRadioButton(QStringLiteral("なるべく多くの数字を使う"), panel);
    Opt散らす->setObjectName("Opt散らす");
    Cmd作成 = MakeButton(QStringLiteral("作成"), "Cmd作成", panel);
    connect(Cmd作成, &QPushButton::clicked, this, [this] { Cmd作成_Click(); });
    LabelTickets = new QLabel(panel);
    LabelTickets->setObjectName("LabelTickets");
    LabelTickets->setWordWrap(true);
    fpSpread1 = new GridView(panel);
    fpSpread1->setObjectName("fpSpread1");
    output_ = new GridOutput(this, [this] { return Document(); });
    output_->AddMenuTo(fpSpread1);
    Cmd追加 = MakeButton(QStringLiteral("購入番号に追加"), "Cmd追加", panel);
    connect(Cmd追加, &QPushButton::clicked, this, [this] { Cmd追加_Click(); });

    auto* count = new QHBoxLayout();
    count->addWidget(new QLabel(QStringLiteral("残る組合せから"), panel));
    count->addWidget(Spin口数);
    count->addWidget(new QLabel(QStringLiteral("口"), panel));
    count->addStretch();
    auto* seed = new QHBoxLayout();
    seed->addWidget(new QLabel(QStringLiteral("乱数の種"), panel));
    seed->addWidget(Text乱数, 1);
    seed->addWidget(Cmd乱数);
    auto* method = new QHBoxLayout();
    method->addWidget(Opt無作為);
    method->addWidget(Opt散らす);
    method->addStretch();
    auto* actions = new QHBoxLayout();
    actions->addWidget(Cmd作成);
    actions->addWidget(Cmd追加);
    actions->addStretch();
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(count);
    layout->addLayout(seed);
    layout->addLayout(method);
    layout->addLayout(actions);
    layout->addWidget(LabelTickets);
    layout->addWidget(fpSpread1, 1);
    return panel;
}

void FilterWindow::Compute() {
    history_ = ReadFilterHistory(Host().Snapshot().Draws);
    past_ = RatePastDraws(Host().Snapshot().Draws, conditions_);
}

void FilterWindow::Present() {
    Rows[static_cast<int>(FilterKind::CarryOver)].inputs.front()->setToolTip(
        history_.latestDraw > 0 ? QStringLiteral("第%1回の本数字 %2 と比べます")
                                      .arg(history_.latestDraw)
                                      .arg(Text(NumbersText(history_.latest)))
                                : QStringLiteral("当選データがありません"));
    WriteTicketGrid({}, ticketGrid_);
    fpSpread1->SetGrid(&ticketGrid_);
    // Room for all eight columns of tickets beside a vertical scroll bar.
    fpSpread1->setMinimumWidth(fpSpread1->sizeHint().width() +
                               fpSpread1->verticalScrollBar()->sizeHint().width());
    UpdateTicketButtons();
    StartCount();
}

std::optional<FilterConditions> FilterWindow::ReadFilters() {
    FilterConditions conditions;
    std::string problem;
    bool ok = true;
    for (const FilterInfo& info : FilterCatalog()) {
        const FilterRow& row = Rows[static_cast<int>(info.kind)];
        if (!ok) break;
        const auto text = [&](int i) { return row.inputs[i]->text().toStdString(); };
        const std::string label(info.label);
        switch (info.kind) {
            case FilterKind::Sum:
                ok = ParseSumRange(text(0), label, conditions.sum, problem);
                break;
            case FilterKind::Odd:
                ok = ParseCountSet(text(0), label, MaxCount(info.kind), conditions.odd, problem);
                break;
            case FilterKind::Low:
                ok = ParseCountSet(text(0), label, MaxCount(info.kind), conditions.low, problem);
                break;
            case FilterKind::Consecutive:
                ok = ParseCountSet(text(0), label, MaxCount(info.kind), conditions.consecutive,
                                   problem);
                break;
            case FilterKind::SkipOne:
                ok =
                    ParseCountSet(text(0), label, MaxCount(info.kind), conditions.skipOne, problem);
                break;
            case FilterKind::LastDigits:
                ok = ParseCountSet(text(0), label, MaxCount(info.kind), conditions.lastDigits,
                                   problem);
                break;
            case FilterKind::CarryOver:
                ok = ParseCountSet(text(0), label, MaxCount(info.kind), conditions.carryOver,
                                   problem);
                break;
            case FilterKind::SameDigit: {
                std::optional<CountSet> set;
                ok = ParseCountSet(text(0), label, 7, set, problem);
                // "2" (or "1-2") keeps combinations with at most two numbers
                // sharing a last digit.
                if (ok && set) conditions.sameDigitMax = 15 - std::countl_zero(*set);
                break;
            }
            case FilterKind::Range4:
            case FilterKind::Group6:
            case FilterKind::Group7:
            case FilterKind::Group9: {
                std::vector<CountSet> sets;
                bool any = false;
                for (std::size_t group = 0; ok && group < row.inputs.size(); ++group) {
                    std::optional<CountSet> set;
                    ok = ParseCountSet(
                        text(static_cast<int>(group)),
                        label + "（" + GroupName(SplitIndex(info.kind), static_cast<int>(group)) +
                            "）",
                        kMainCount, set, problem);
                    any = any || set.has_value();
                    sets.push_back(set.value_or(kAnyCount));
                }
                if (ok && any) conditions.splits[SplitIndex(info.kind)] = sets;
                break;
            }
            case FilterKind::Include:
                ok = ParseNumbers(text(0), label, conditions.include, problem);
                break;
            case FilterKind::Exclude:
                ok = ParseNumbers(text(0), label, conditions.exclude, problem);
                break;
            case FilterKind::AtLeast: {
                std::optional<CountSet> least;
                ok = ParseCountSet(text(0), label + "の個数", kMainCount, least, problem) &&
                     ParseNumbers(text(1), label + "の数字", conditions.atLeastOf, problem);
                if (ok && least.has_value() != (conditions.atLeastOf != 0)) {
                    problem = label + "は、個数と数字の両方を指定してください。";
                    ok = false;
                } else if (ok && least) {
                    if (std::popcount(*least) != 1) {
                        problem = label + "の個数は1つだけ指定してください。";
                        ok = false;
                    }
                    conditions.atLeast = std::countr_zero(*least);
                }
                break;
            }
            case FilterKind::NotWon:
                conditions.notWon = row.check->isChecked();
                break;
        }
    }
    LabelProblem->setText(Text(problem));
    LabelProblem->setVisible(!ok);
    if (!ok) return std::nullopt;
    return conditions;
}

void FilterWindow::FiltersEdited() {
    const std::optional<FilterConditions> conditions = ReadFilters();
    if (!conditions) {
        restart_->stop();
        return;
    }
    // A count of the filters as they were is of no use any more.
    counting_.cancel();
    conditions_ = *conditions;
    past_ = RatePastDraws(Host().Snapshot().Draws, conditions_);
    outcome_.reset();
    ShowCounts();
    restart_->start();
}

void FilterWindow::StartCount() {
    // The worker gets copies: the window may change or close meanwhile.
    counting_.cancel();
    const FilterConditions conditions = conditions_;
    const FilterHistory history = history_;
    counting_.setFuture(
        QtConcurrent::run([conditions, history](QPromise<CombinationCounts>& promise) {
            CombinationCounts counts =
                CountCombinations(conditions, history.Context(), 2, kHighestNumber,
                                  [&promise] { return promise.isCanceled(); });
            if (counts.completed) promise.addResult(counts);
        }));
    ShowCounts();
}

void FilterWindow::CountFinished() {
    const QFuture<CombinationCounts> future = counting_.future();
    if (future.isCanceled() || future.resultCount() == 0) return;
    outcome_ = FilterOutcome{.conditions = conditions_,
                             .combinations = future.result(),
                             .past = past_.value_or(PastPassCounts{}),
                             .latestDraw = history_.latestDraw};
    ShowCounts();
    UpdateTicketButtons();
}

void FilterWindow::ShowCounts() {
    const PastPassCounts past = past_.value_or(PastPassCounts{});
    const bool counted = outcome_.has_value();
    const std::uint64_t total = counted ? outcome_->combinations.total : 0;
    QString all = QStringLiteral("すべての条件で残る組合せ：");
    all += counted ? Text(CombinationShareText(outcome_->combinations.passing, total))
                   : QStringLiteral("数えています…");
    all += QStringLiteral("　　") + Text(PastShareSentence(past.passing, past.draws));
    LabelAll->setText(all);
    for (const FilterInfo& info : FilterCatalog()) {
        const int k = static_cast<int>(info.kind);
        QLabel* result = Rows[k].result;
        if (!conditions_.IsOn(info.kind)) {
            result->setText(kResultOff);
        } else if (counted) {
            result->setText(
                KeptText(outcome_->combinations.alone[k], total, past.alone[k], past.draws));
        } else {
            result->setText(QStringLiteral("組合せ 数えています…　") +
                            Text(PastShareSentence(past.alone[k], past.draws)));
        }
    }
}

void FilterWindow::Cmd乱数_Click() {
    Text乱数->setText(QString::number(QRandomGenerator::global()->bounded(1, 1000000)));
}

void FilterWindow::Cmd作成_Click() {
    if (generating_.isRunning() || !ReadFilters()) return;
    TicketRequest request{
        .count = Spin口数->value(),
        .seed = Text乱数->text().toULongLong(),
        .method = Opt散らす->isChecked() ? TicketMethod::Spread : TicketMethod::Random};
    ticketRequest_ = request;
    const FilterConditions conditions = conditions_;
    const FilterHistory history = history_;
    generating_.setFuture(QtConcurrent::run(
        [conditions, history, request](QPromise<std::vector<Combination>>& promise) {
            const StopAsked stop = [&promise] { return promise.isCanceled(); };
            const CombinationCounts counts =
                CountCombinations(conditions, history.Context(), 2, kHighestNumber, stop);
            if (!counts.completed) return;
            promise.addResult(GenerateTickets(conditions, history.Context(), counts.passing,
                                              request, kHighestNumber, stop));
        }));
    LabelTickets->setText(QStringLiteral("作成しています…"));
    UpdateTicketButtons();
}

void FilterWindow::GenerateFinished() {
    const QFuture<std::vector<Combination>> future = generating_.future();
    if (future.isCanceled() || future.resultCount() == 0) return;
    tickets_ = future.result();
    WriteTicketGrid(tickets_, ticketGrid_);
    fpSpread1->SetGrid(&ticketGrid_);
    if (tickets_.empty()) {
        LabelTickets->setText(QStringLiteral("条件を満たす組合せがありません。"));
    } else {
        NumberMask used = 0;
        for (const Combination& t : tickets_) {
            for (int n : t) used |= Bit(n);
        }
        LabelTickets->setText(QStringLiteral("%1口を作りました（乱数の種 %2、%3、使った数字 %4個）")
                                  .arg(tickets_.size())
                                  .arg(ticketRequest_->seed)
                                  .arg(ticketRequest_->method == TicketMethod::Random
                                           ? QStringLiteral("無作為")
                                           : QStringLiteral("なるべく多くの数字を使う"))
                                  .arg(std::popcount(used)));
    }
    UpdateTicketButtons();
}

void FilterWindow::UpdateTicketButtons() {
    Cmd作成->setEnabled(!generating_.isRunning());
    Cmd追加->setEnabled(Host().CanAddTickets() && !tickets_.empty());
}

void FilterWindow::Cmd追加_Click() {
    if (!Host().CanAddTickets() || tickets_.empty()) return;
    std::vector<std::vector<int>> rows;
    for (const Combination& t : tickets_) rows.emplace_back(t.begin(), t.end());
    Host().AddTickets(this, rows);
}

void FilterWindow::Command1_Click() { CloseChildWindow(this); }

void FilterWindow::Command2_Click() { output_->Print(); }

// The filters with what they keep, then the tickets; the CSV file holds both.
GridDocument FilterWindow::Document() const {
    GridDocument document;
    document.caption = QString::fromUtf8(kFilterWindowName);
    document.drawRange = DrawRangeText(Host().Snapshot().Draws);
    const QFont font = ProgramFont();
    const double dpi = ScreenDpi();
    auto filters = std::make_unique<ResultGrid>();
    FilterOutcome outcome;
    if (outcome_) {
        outcome = *outcome_;
    } else {
        outcome.conditions = conditions_;
    }
    outcome.past = past_.value_or(PastPassCounts{});
    WriteFilterGrid(outcome, *filters);
    document.parts.push_back(
        {QString::fromUtf8(kFilterGridName), filters.get(), GridGeometry(*filters, font, dpi)});
    document.csv.push_back({kFilterGridName, filters.get()});
    document.ownGrids.push_back(std::move(filters));
    QString label = QString::fromUtf8(kTicketGridName);
    if (ticketRequest_ && !tickets_.empty()) {
        label += QStringLiteral("（乱数の種 %1）").arg(ticketRequest_->seed);
    }
    document.parts.push_back({label, &ticketGrid_, fpSpread1->Geometry()});
    document.csv.push_back({label.toStdString(), &ticketGrid_});
    return document;
}
