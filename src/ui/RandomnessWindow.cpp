#include "ui/RandomnessWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtConcurrent>
#include <algorithm>

#include "analysis/RandomnessGrid.h"
#include "core/CurrentException.h"
#include "core/GlobalBas.h"
#include "grid/Twips.h"
#include "ui/ChildHost.h"
#include "ui/GridOutput.h"
#include "ui/Messages.h"
#include "ui/RandomnessChart.h"
#include "ui/WindowDocuments.h"

namespace {

constexpr int kWidthTwips = 17700;
constexpr int kHeightTwips = 12600;
constexpr int kMarginTwips = 120;
constexpr int kSpacingTwips = 90;
constexpr int kButtonWidthTwips = 900;
constexpr int kButtonHeightTwips = 375;
constexpr int kProgressWidthTwips = 2700;
constexpr int kChartMinimumHeightTwips = 4200;

QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setFixedSize(TwipsToPixels(kButtonWidthTwips, parent),
                         TwipsToPixels(kButtonHeightTwips, parent));
    return button;
}

}  // namespace

// What a run reads and what it found; the window reads the result only
// after the worker returned.
struct RandomnessWindow::Run {
    DrawStore draws;
    RandomnessRange range;
    std::optional<RandomnessResult> result;
    std::string failure;
};

RandomnessWindow::RandomnessWindow(ChildHost& host, QWidget* parent)
    : ChildWindow(host,
                  {.name = QString::fromUtf8(kRandomnessName),
                   .caption = QString::fromUtf8(kRandomnessName),
                   .widthTwips = kWidthTwips,
                   .heightTwips = kHeightTwips},
                  parent),
      watcher_(new QFutureWatcher<void>(this)) {
    Label1 = new QLabel(QStringLiteral("当選データが公平な抽せん（37個から本数字7個とボーナス数字"
                                       "2個）と矛盾しないかを9つの検定で調べます"),
                        this);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true);
    Command2 = MakeButton(QStringLiteral("印刷"), "Command2", this);
    Command2->setEnabled(false);
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    Command1 = MakeButton(QStringLiteral("閉じる"), "Command1", this);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    Spin開始回 = new QSpinBox(this);
    Spin開始回->setObjectName("Spin開始回");
    Spin終了回 = new QSpinBox(this);
    Spin終了回->setObjectName("Spin終了回");
    Cmd実行 = MakeButton(QStringLiteral("実行"), "Cmd実行", this);
    connect(Cmd実行, &QPushButton::clicked, this, [this] { Cmd実行_Click(); });
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setFixedWidth(TwipsToPixels(kProgressWidthTwips, this));
    Cmd中止 = MakeButton(QStringLiteral("中止"), "Cmd中止", this);
    Cmd中止->setEnabled(false);
    connect(Cmd中止, &QPushButton::clicked, this, [this] { Cmd中止_Click(); });
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Label2->setWordWrap(true);

    fpSpread1 = new GridView(this);
    fpSpread1->setObjectName("fpSpread1");
    output_ = new GridOutput(this, [this] { return Document(); });
    output_->AddMenuTo(fpSpread1);

    Cmb検定 = new QComboBox(this);
    Cmb検定->setObjectName("Cmb検定");
    for (int t = 0; t < kRandomnessTestCount; ++t) {
        Cmb検定->addItem(QString::fromUtf8(RandomnessTestName(t)));
    }
    Chart1 = new RandomnessChart(this);
    Chart1->setMinimumHeight(TwipsToPixels(kChartMinimumHeightTwips, this));
    connect(Cmb検定, &QComboBox::currentIndexChanged, this,
            [this](int test) { Chart1->Show(result_ ? &*result_ : nullptr, test); });

    auto* top = new QHBoxLayout();
    top->addWidget(Label1, 1);
    top->addWidget(Command2, 0, Qt::AlignTop);
    top->addWidget(Command1, 0, Qt::AlignTop);
    auto* range = new QHBoxLayout();
    range->addWidget(new QLabel(QStringLiteral("検定する回：第"), this));
    range->addWidget(Spin開始回);
    range->addWidget(new QLabel(QStringLiteral("回 ～ 第"), this));
    range->addWidget(Spin終了回);
    range->addWidget(new QLabel(QStringLiteral("回"), this));
    range->addSpacing(TwipsToPixels(kSpacingTwips, this));
    range->addWidget(Cmd実行);
    range->addSpacing(TwipsToPixels(kSpacingTwips, this));
    range->addWidget(ProgressBar1);
    range->addWidget(Cmd中止);
    range->addSpacing(TwipsToPixels(kSpacingTwips, this));
    range->addWidget(Label2, 1);
    auto* chooser = new QHBoxLayout();
    chooser->addWidget(new QLabel(QStringLiteral("グラフに表示する検定："), this));
    chooser->addWidget(Cmb検定);
    chooser->addStretch();

    auto* layout = new QVBoxLayout(this);
    const int margin = TwipsToPixels(kMarginTwips, this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(TwipsToPixels(kSpacingTwips, this));
    layout->addLayout(top);
    layout->addLayout(range);
    layout->addWidget(fpSpread1);
    layout->addLayout(chooser);
    layout->addWidget(Chart1, 1);

    connect(watcher_, &QFutureWatcher<void>::progressRangeChanged, ProgressBar1,
            &QProgressBar::setRange);
    connect(watcher_, &QFutureWatcher<void>::progressValueChanged, ProgressBar1,
            &QProgressBar::setValue);
    connect(watcher_, &QFutureWatcher<void>::finished, this, [this] { RunEnded(); });
}

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

void RandomnessWindow::Command1_Click() { CloseChildWindow(this); }

void RandomnessWindow::Command2_Click() { output_->Print(); }

GridDocument RandomnessWindow::Document() const {
    GridDocument document;
    document.caption = QString::fromUtf8(kRandomnessName);
    document.drawRange = DrawRangeText(Host().Snapshot().Draws);
    document.parts.push_back({{}, &grid_, fpSpread1->Geometry()});
    document.csv = {{kRandomnessName, &grid_}};
    if (result_ && Chart1->width() > 0) {
        document.pictureAspect = static_cast<double>(Chart1->height()) / Chart1->width();
        document.paintPicture = [chart = QPointer<RandomnessChart>(Chart1)](QPainter& p,
                                                                            const QRectF& target) {
            if (chart) chart->render(&p, target);
        };
    }
    return document;
}

void RandomnessWindow::Cmd実行_Click() {
    if (running_ || !whole_) return;
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
    SetRunning(true);
    watcher_->setFuture(QtConcurrent::run(RunInWorker, run_));
}

void RandomnessWindow::RunInWorker(QPromise<void>& promise, const std::shared_ptr<Run>& run) {
    try {
        promise.setProgressRange(0, kRandomnessSimulations);
        run->result = RunRandomness(run->draws, run->range, kRandomnessSimulations, kRandomnessSeed,
                                    [&](int done, int) {
                                        promise.setProgressValue(done);
                                        return !promise.isCanceled();
                                    });
    } catch (...) {
        run->failure = MessageOfCurrentException();
    }
}

void RandomnessWindow::RunEnded() {
    if (!running_) return;
    const std::shared_ptr<Run> run = std::move(run_);
    SetRunning(false);
    if (!run->failure.empty()) {
        ShowMessage(this, QString::fromStdString(run->failure));
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
    fpSpread1->SetGrid(&grid_);
    fpSpread1->setFixedHeight(fpSpread1->sizeHint().height());
    Chart1->Show(&*result_, Cmb検定->currentIndex());
    Command2->setEnabled(true);
    Label2->setText(QStringLiteral("第%1回～第%2回の%3回を検定しました。")
                        .arg(result_->range.from)
                        .arg(result_->range.to)
                        .arg(result_->draws));
}

void RandomnessWindow::WaitForRun() {
    if (!running_) return;
    watcher_->waitForFinished();
    RunEnded();
}

void RandomnessWindow::CancelAndWait() {
    if (!running_) return;
    watcher_->cancel();
    watcher_->waitForFinished();
}

void RandomnessWindow::Cmd中止_Click() {
    if (running_) watcher_->cancel();
}

void RandomnessWindow::SetRunning(bool running) {
    running_ = running;
    Cmd実行->setEnabled(!running);
    Spin開始回->setEnabled(!running && whole_);
    Spin終了回->setEnabled(!running && whole_);
    Command2->setEnabled(!running && result_);
    Cmd中止->setEnabled(running);
    if (running) {
        ProgressBar1->setValue(0);
        Label2->setText(QStringLiteral("検定しています…"));
        Cmd中止->setFocus();
    }
}

void RandomnessWindow::keyPressEvent(QKeyEvent* event) {
    if (running_ && event->key() == Qt::Key_Escape) {
        Cmd中止_Click();
        return;
    }
    ChildWindow::keyPressEvent(event);
}

void RandomnessWindow::closeEvent(QCloseEvent* event) {
    CancelAndWait();
    running_ = false;
    ChildWindow::closeEvent(event);
}
