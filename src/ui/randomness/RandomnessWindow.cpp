#include "ui/randomness/RandomnessWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>

#include "analysis/RandomnessGrid.h"
#include "core/FigureText.h"
#include "core/GlobalBas.h"
#include "core/QtConversions.h"
#include "ui/ChildHost.h"
#include "ui/Messages.h"
#include "ui/WindowDocuments.h"
#include "ui/WindowParts.h"
#include "ui/randomness/RandomnessChart.h"

namespace {

constexpr int kWidthTwips = 17700;
constexpr int kHeightTwips = 12600;
constexpr int kChartMinimumHeightTwips = 4200;

}  // namespace

// What a run reads and what it found; the window reads the result only
// after the worker returned.
struct RandomnessWindow::Run {
    DrawStore draws;
    RandomnessRange range;
    std::optional<RandomnessResult> result;
};

RandomnessWindow::RandomnessWindow(ChildHost& host, QWidget* parent)
    : RangeRunWindow(
          host, ToolWindowSetup(kRandomnessName, kWidthTwips, kHeightTwips, PendingEvents::Never),
          {.description = QStringLiteral("当選データが公平な抽せん（37個から本数字7個とボーナス数字"
                                         "2個）と矛盾しないかを9つの検定で調べます"),
           .rangeLead = QStringLiteral("検定する回：第"),
           .running = QStringLiteral("検定しています…")},
          parent) {
    Cmb検定 = new QComboBox(this);
    Cmb検定->setObjectName("Cmb検定");
    for (int t = 0; t < kRandomnessTestCount; ++t) {
        Cmb検定->addItem(QString::fromUtf8(RandomnessTestName(t)));
    }
    Chart1 = new RandomnessChart(this);
    connect(Cmb検定, &QComboBox::currentIndexChanged, this,
            [this](int test) { Chart1->Show(result_ ? &*result_ : nullptr, test); });
    auto* chooser = new QHBoxLayout();
    chooser->addWidget(BuddyLabel(QStringLiteral("グラフに表示する検定："), Cmb検定, this));
    chooser->addWidget(Cmb検定);
    chooser->addStretch();
    AddChart(chooser, Chart1, kChartMinimumHeightTwips);
}

// The worker ends before the result it would write goes.
RandomnessWindow::~RandomnessWindow() { CancelAndWait(); }

void RandomnessWindow::Compute() {
    whole_ = WholeRandomnessRange(Host().Snapshot().Draws);
    for (QSpinBox* box : {Spin開始回, Spin終了回}) {
        box->setEnabled(whole_.has_value());
        if (whole_) box->setRange(whole_->from, whole_->to);
    }
    if (whole_) {
        Spin開始回->setValue(whole_->from);
        Spin終了回->setValue(whole_->to);
    }
}

void RandomnessWindow::Present() {
    if (!whole_) {
        Cmd実行->setEnabled(false);
        Label2->setText(QStringLiteral("検定できる当選データが2回分以上ありません。"));
        return;
    }
    StartRun(*whole_);
}

GridDocument RandomnessWindow::Document() const {
    return TableAndChart(kRandomnessName, Chart1, result_.has_value());
}

void RandomnessWindow::Cmd実行_Click() {
    if (Running() || !whole_) return;
    const RandomnessRange range{Spin開始回->value(), Spin終了回->value()};
    if (RandomnessHistory(Host().Snapshot().Draws, range).size() < 2) {
        ShowMessage(this, QStringLiteral("検定する回には、当選データが2回分以上ある範囲を"
                                         "指定してください。"));
        return;
    }
    StartRun(range);
}

void RandomnessWindow::StartRun(const RandomnessRange& range) {
    run_ = std::make_shared<Run>();
    run_->draws = Host().Snapshot().Draws;
    run_->range = range;
    StartWork([run = run_](const WorkControl& control) { RunInWorker(control, *run); });
}

void RandomnessWindow::RunInWorker(const WorkControl& control, Run& run) {
    control.SetRange(kRandomnessSimulations);
    run.result = RunRandomness(run.draws, run.range, kRandomnessSimulations, kRandomnessSeed,
                               [&](int done, int) {
                                   control.Report(done);
                                   return !control.StopAsked();
                               });
}

void RandomnessWindow::WorkEnded(const QString& failure) {
    const std::shared_ptr<Run> run = std::move(run_);
    if (!failure.isEmpty()) {
        ShowMessage(this, failure);
        return;
    }
    if (!run->result) {
        Label2->setText(QStringLiteral("中止しました。"));
        return;
    }
    result_ = std::move(run->result);
    ShowResult();
}

void RandomnessWindow::ShowResult() {
    WriteRandomnessGrid(*result_, grid_);
    ShowGrid();
    Chart1->Show(&*result_, Cmb検定->currentIndex());
    // The watcher may drop the last progress reports of a run that ended.
    ProgressBar1->setValue(ProgressBar1->maximum());
    Command2->setEnabled(true);
    Label2->setText(
        QStringLiteral("%1を検定しました。")
            .arg(FromView(DrawSpanText(result_->range.from, result_->range.to, result_->draws))));
}
