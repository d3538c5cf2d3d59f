#include "ui/filter/FilterWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <bit>
#include <memory>

#include "core/Errors.h"
#include "core/GlobalBas.h"
#include "core/ParallelFor.h"
#include "core/QtConversions.h"
#include "grid/ProgramLook.h"
#include "grid/Twips.h"
#include "lotto/TicketWorth.h"
#include "ui/Buttons.h"
#include "ui/ChildHost.h"
#include "ui/GridOutput.h"
#include "ui/Messages.h"
#include "ui/WindowDocuments.h"
#include "ui/WindowParts.h"

namespace {

constexpr int kWidthTwips = 18600;
constexpr int kHeightTwips = 12600;
constexpr int kRestartMilliseconds = 250;  // after the last edit

// The buttons share the window with the filters: two thirds of the usual width.
QSize ButtonSize(const QWidget* reference) {
    const QSize usual = UsualButtonSize(reference);
    return {usual.width() * 2 / 3, usual.height()};
}

}  // namespace

FilterWindow::FilterWindow(ChildHost& host, QWidget* parent)
    : ChildWindow(host, ToolWindowSetup(kFilterWindowName, kWidthTwips, kHeightTwips), parent),
      restart_(new QTimer(this)),
      counting_(this, [this](auto outcome) { CountFinished(std::move(outcome)); }),
      generating_(this, [this](auto outcome) { GenerateFinished(std::move(outcome)); }) {
    Label1 = MakeLabel(
        QStringLiteral("37個から7個のすべての組合せ（10,295,472通り）を、分析ウィンドウと同じ"
                       "数え方の条件で絞り込みます。条件ごとに、残る組合せの割合と、過去の当選"
                       "番号のうち何回が残るかを表示します（条件は本数字7個で数えます）"),
        "Label1", this);
    LabelAll = MakeLabel({}, "LabelAll", this);
    QFont bold = LabelAll->font();
    bold.setBold(true);
    LabelAll->setFont(bold);
    LabelProblem = MakeLabel({}, "LabelProblem", this);
    LabelProblem->setStyleSheet(QStringLiteral("color: #c00000;"));
    LabelProblem->hide();
    Command2 = MakeButton(QStringLiteral("印刷"), "Command2", this, ButtonSizing::AtLeast,
                          ButtonSize(this));
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    Command1 = MakeButton(QStringLiteral("閉じる"), "Command1", this, ButtonSizing::AtLeast,
                          ButtonSize(this));
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    QHBoxLayout* top = MakeTopRow(Label1, Command2, Command1);
    auto* panels = new QHBoxLayout();
    Conditions = new FilterConditionPanel([this] { FiltersEdited(); }, this);
    panels->addWidget(Conditions, 5);
    panels->addWidget(BuildTicketPanel(), 2);
    QVBoxLayout* layout = MakeWindowLayout(this, false);
    layout->addLayout(top);
    layout->addWidget(LabelAll);
    layout->addWidget(LabelProblem);
    layout->addLayout(panels, 1);

    restart_->setSingleShot(true);
    restart_->setInterval(kRestartMilliseconds);
    connect(restart_, &QTimer::timeout, this, [this] { StartCount(); });
}

// A worker still running is told to stop; it holds only its own copies.
FilterWindow::~FilterWindow() = default;

QWidget* FilterWindow::BuildTicketPanel() {
    auto* panel = new QWidget(this);
    Spin口数 = new QSpinBox(panel);
    Spin口数->setObjectName("Spin口数");
    Spin口数->setRange(1, kMaxTickets);
    Spin口数->setValue(5);
    Spin口数->setAccessibleName(QStringLiteral("残る組合せから作る口数"));
    Text乱数 = new QLineEdit(panel);
    Text乱数->setObjectName("Text乱数");
    Text乱数->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]{1,18}"), Text乱数));
    Text乱数->setText(QString::number(QRandomGenerator::global()->bounded(1, 1000000)));
    Cmd乱数 = MakeButton(QStringLiteral("種を変える"), "Cmd乱数", panel, ButtonSizing::AtLeast,
                         ButtonSize(panel));
    connect(Cmd乱数, &QPushButton::clicked, this, [this] { Cmd乱数_Click(); });
    Opt無作為 = new QRadioButton(QStringLiteral("無作為に選ぶ"), panel);
    Opt無作為->setObjectName("Opt無作為");
    Opt無作為->setChecked(true);
    Opt散らす = new QRadioButton(QStringLiteral("なるべく多くの数字を使う"), panel);
    Opt散らす->setObjectName("Opt散らす");
    Cmd作成 = MakeButton(QStringLiteral("作成"), "Cmd作成", panel, ButtonSizing::AtLeast,
                         ButtonSize(panel));
    connect(Cmd作成, &QPushButton::clicked, this, [this] { Cmd作成_Click(); });
    LabelTickets = MakeLabel({}, "LabelTickets", panel);
    LabelTickets->setWordWrap(true);
    fpSpread1 = new GridView(panel);
    fpSpread1->SetGridName(QString::fromUtf8(kFilterTicketGridName));
    fpSpread1->setObjectName("fpSpread1");
    output_ = new GridOutput(this, [this] { return Document(); });
    output_->AddMenuTo(fpSpread1);
    Cmd追加 = MakeButton(QStringLiteral("購入番号に追加"), "Cmd追加", panel, ButtonSizing::AtLeast,
                         ButtonSize(panel));
    connect(Cmd追加, &QPushButton::clicked, this, [this] { Cmd追加_Click(); });

    auto* count = new QHBoxLayout();
    count->addWidget(new QLabel(QStringLiteral("残る組合せから"), panel));
    count->addWidget(Spin口数);
    count->addWidget(new QLabel(QStringLiteral("口"), panel));
    count->addStretch();
    auto* seed = new QHBoxLayout();
    seed->addWidget(BuddyLabel(QStringLiteral("乱数の種"), Text乱数, panel));
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
    Conditions->ShowLatestDraw(history_);
    WriteTicketGrid({}, ticketGrid_);
    fpSpread1->SetGrid(&ticketGrid_);
    // Room for all eight columns of tickets beside a vertical scroll bar.
    fpSpread1->setMinimumWidth(fpSpread1->sizeHint().width() +
                               fpSpread1->verticalScrollBar()->sizeHint().width());
    UpdateTicketButtons();
    StartCount();
}

std::optional<FilterConditions> FilterWindow::ReadFilters() {
    std::optional<FilterConditions> conditions;
    QString problem;
    try {
        conditions = Conditions->Read();
    } catch (const UserError& e) {
        problem = QString::fromUtf8(e.what());
    }
    LabelProblem->setText(problem);
    LabelProblem->setVisible(!conditions);
    return conditions;
}

void FilterWindow::FiltersEdited() {
    const std::optional<FilterConditions> conditions = ReadFilters();
    if (!conditions) {
        restart_->stop();
        return;
    }
    // A count of the filters as they were is of no use any more.
    counting_.Abandon();
    conditions_ = *conditions;
    past_ = RatePastDraws(Host().Snapshot().Draws, conditions_);
    outcome_.reset();
    ShowCounts();
    restart_->start();
}

void FilterWindow::StartCount() {
    // The worker gets copies: the window may change or close meanwhile.
    const FilterConditions conditions = conditions_;
    const FilterHistory history = history_;
    counting_.Start([conditions, history](const WorkControl& control) {
        return CountCombinations(conditions, history.Context(), kComputeThreads, kHighestNumber,
                                 [&control] { return control.StopAsked(); });
    });
    ShowCounts();
}

void FilterWindow::CountFinished(WorkOutcome<CombinationCounts> outcome) {
    if (!outcome.value) {
        ShowMessage(this, outcome.message);
        return;
    }
    if (!outcome.value->completed) return;
    outcome_ = FilterOutcome{.conditions = conditions_,
                             .combinations = *outcome.value,
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
    all += counted ? FromView(CombinationShareText(outcome_->combinations.passing, total))
                   : QStringLiteral("数えています…");
    all += QStringLiteral("　　") + FromView(PastShareSentence(past.passing, past.draws));
    LabelAll->setText(all);
    Conditions->ShowKept(conditions_, counted ? &outcome_->combinations : nullptr, past);
}

void FilterWindow::Cmd乱数_Click() {
    Text乱数->setText(QString::number(QRandomGenerator::global()->bounded(1, 1000000)));
}

void FilterWindow::Cmd作成_Click() {
    if (generating_.Running() || !ReadFilters()) return;
    TicketRequest request{
        .count = Spin口数->value(),
        .seed = Text乱数->text().toULongLong(),
        .method = Opt散らす->isChecked() ? TicketMethod::Spread : TicketMethod::Random};
    ticketRequest_ = request;
    const FilterConditions conditions = conditions_;
    const FilterHistory history = history_;
    generating_.Start([conditions, history,
                       request](const WorkControl& control) -> std::optional<TicketList> {
        const StopAsked stop = [&control] { return control.StopAsked(); };
        const CombinationCounts counts =
            CountCombinations(conditions, history.Context(), kComputeThreads, kHighestNumber, stop);
        if (!counts.completed) return std::nullopt;
        return GenerateTickets(conditions, history.Context(), counts.passing, request,
                               kHighestNumber, stop);
    });
    LabelTickets->setText(QStringLiteral("作成しています…"));
    UpdateTicketButtons();
}

void FilterWindow::GenerateFinished(WorkOutcome<std::optional<TicketList>> outcome) {
    if (!outcome.value) {
        ShowMessage(this, outcome.message);
        UpdateTicketButtons();
        return;
    }
    if (!*outcome.value) return;  // stopped
    tickets_ = std::move(**outcome.value);
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
                                  .arg(std::popcount(used)) +
                              QStringLiteral("\n") + WorthText(tickets_.size()));
    }
    UpdateTicketButtons();
}

// What the tickets made are worth, for the draw after the latest.
QString FilterWindow::WorthText(std::size_t tickets) const {
    const GlobalBas& g = Host().Snapshot();
    return QString::fromStdString(TicketWorthText(static_cast<std::int64_t>(tickets),
                                                  g.LatestDrawNumber + 1, g.LatestCarryOver));
}

void FilterWindow::UpdateTicketButtons() {
    Cmd作成->setEnabled(!generating_.Running());
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
    QString label = QString::fromUtf8(kFilterTicketGridName);
    if (ticketRequest_ && !tickets_.empty()) {
        label += QStringLiteral("（乱数の種 %1）").arg(ticketRequest_->seed);
    }
    document.parts.push_back({label, &ticketGrid_, fpSpread1->Geometry()});
    document.csv.push_back({label.toStdString(), &ticketGrid_});
    return document;
}
