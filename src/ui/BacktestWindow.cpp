#include "ui/BacktestWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPromise>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtConcurrent>
#include <algorithm>

#include "core/CurrentException.h"
#include "core/GlobalBas.h"
#include "core/QtConversions.h"
#include "grid/Twips.h"
#include "prediction/BacktestFamily.h"
#include "prediction/BacktestGrid.h"
#include "ui/BacktestChart.h"
#include "ui/ChildHost.h"
#include "ui/GridOutput.h"
#include "ui/Messages.h"
#include "ui/WindowDocuments.h"

namespace {

constexpr int kWidthTwips = 17700;
constexpr int kHeightTwips = 13200;
constexpr int kMarginTwips = 120;
constexpr int kSpacingTwips = 90;
constexpr int kButtonWidthTwips = 900;
constexpr int kButtonHeightTwips = 375;
constexpr int kProgressWidthTwips = 2700;
constexpr int kEmptyGridHeightTwips = 2700;
constexpr int kChartMinimumHeightTwips = 4500;

const QString kNoDrawsText = QStringLiteral(
    "すべての手法が予想できるだけの当選データがないため、予想を検証できません。"
    "当選データを増やすか、予想の「反映する」の数を減らしてください。");

QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setFixedSize(TwipsToPixels(kButtonWidthTwips, parent),
                         TwipsToPixels(kButtonHeightTwips, parent));
    return button;
}

}  // namespace

// What a run reads and what it scored.  The worker owns it until it
// returns; the window reads the result only after that.
struct BacktestWindow::Run {
    DrawStore draws;
    ReflectOptions options;
    BacktestRange range;
    BacktestResult result;
    int total = 0;  // draws in the range
    std::string failure;
};

BacktestWindow::BacktestWindow(ChildHost& host, QWidget* parent)
    : ChildWindow(host,
                  {.name = QString::fromUtf8(kBacktestWindowName),
                   .caption = QString::fromUtf8(kBacktestWindowName),
                   .widthTwips = kWidthTwips,
                   .heightTwips = kHeightTwips},
                  parent),
      watcher_(new QFutureWatcher<void>(this)) {
    Label1 = new QLabel(QStringLiteral("過去の当選データで各手法の予想をやり直し、当たり具合を"
                                       "偶然と比べます（予想の「反映する」の設定で計算します）"),
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

    Chart1 = new BacktestChart(this);
    Chart1->setMinimumHeight(TwipsToPixels(kChartMinimumHeightTwips, this));
    auto* methods = new QHBoxLayout();
    methods->addWidget(new QLabel(QStringLiteral("グラフに表示する手法："), this));
    for (int method = 0; method < kBacktestMethodCount; ++method) {
        Chk手法[method] = new QCheckBox(FromView(BacktestMethodName(method)), this);
        Chk手法[method]->setObjectName(QStringLiteral("Chk手法%1").arg(method));
        Chk手法[method]->setChecked(true);
        connect(Chk手法[method], &QCheckBox::toggled, this,
                [this, method](bool on) { Chart1->SetMethodShown(method, on); });
        methods->addWidget(Chk手法[method]);
    }
    methods->addStretch();

    auto* top = new QHBoxLayout();
    top->addWidget(Label1, 1);
    top->addWidget(Command2, 0, Qt::AlignTop);
    top->addWidget(Command1, 0, Qt::AlignTop);

    auto* range = new QHBoxLayout();
    range->addWidget(new QLabel(QStringLiteral("検証する回：第"), this));
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

    auto* layout = new QVBoxLayout(this);
    const int margin = TwipsToPixels(kMarginTwips, this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(TwipsToPixels(kSpacingTwips, this));
    layout->addLayout(top);
    layout->addLayout(range);
    layout->addWidget(fpSpread1);
    layout->addLayout(methods);
    layout->addWidget(Chart1, 1);

    connect(watcher_, &QFutureWatcher<void>::progressRangeChanged, ProgressBar1,
            &QProgressBar::setRange);
    connect(watcher_, &QFutureWatcher<void>::progressValueChanged, ProgressBar1,
            &QProgressBar::setValue);
    connect(watcher_, &QFutureWatcher<void>::finished, this, [this] { RunEnded(); });
}

// A window destroyed during a run lets the worker end before its parts go.
BacktestWindow::~BacktestWindow() { CancelAndWait(); }

void BacktestWindow::Compute() {
    result_.reset();
    TakeWholeRange();
}

void BacktestWindow::Present() {
    if (!haveRange_) {
        ShowNoDraws();
        return;
    }
    StartRun({Spin開始回->value(), Spin終了回->value()});
}

void BacktestWindow::ShowResult() {
    if (!result_) {
        ShowNoDraws();
        return;
    }
    WriteBacktestGrid(*result_, grid_);
    fpSpread1->SetGrid(&grid_);
    fpSpread1->setFixedHeight(fpSpread1->sizeHint().height());
    Chart1->Show(&*result_);
    Command2->setEnabled(!running_);
    ProgressBar1->setRange(0, std::max(1, totalDraws_));
    ProgressBar1->setValue(result_->draws);
    const BacktestRange& range = result_->range;
    if (result_->completed && result_->familySimulations == 0) {
        Label2->setText(QStringLiteral("中止しました。第%1回～第%2回の%3回を検証しましたが、"
                                       "7手法をまとめた補正は計算していません。")
                            .arg(range.from)
                            .arg(range.to)
                            .arg(result_->draws));
    } else if (result_->completed) {
        Label2->setText(QStringLiteral("第%1回～第%2回の%3回を検証しました。")
                            .arg(range.from)
                            .arg(range.to)
                            .arg(result_->draws));
    } else {
        Label2->setText(
            QStringLiteral("中止しました。第%1回～第%2回の%3回のうち、検証できた%4回分の結果です。")
                .arg(range.from)
                .arg(range.to)
                .arg(totalDraws_)
                .arg(result_->draws));
    }
}

void BacktestWindow::ShowNoDraws() {
    grid_ = ResultGrid();
    fpSpread1->SetGrid(&grid_);
    fpSpread1->setFixedHeight(TwipsToPixels(kEmptyGridHeightTwips, this));
    Chart1->Show(nullptr);
    Command2->setEnabled(false);
    ProgressBar1->reset();
    Label2->setText(kNoDrawsText);
}

bool BacktestWindow::TakeWholeRange() {
    const std::optional<BacktestRange> whole =
        DefaultBacktestRange(Host().Snapshot().Draws, Host().PredictionOptions());
    if (!whole) {
        haveRange_ = false;
        Spin開始回->setEnabled(false);
        Spin終了回->setEnabled(false);
        return false;
    }
    // A new range keeps the draws chosen, moved inside it where needed.
    for (QSpinBox* box : {Spin開始回, Spin終了回}) {
        box->setRange(whole->from, whole->to);
        box->setEnabled(true);
    }
    if (!haveRange_) {
        Spin開始回->setValue(whole->from);
        Spin終了回->setValue(whole->to);
    }
    haveRange_ = true;
    return true;
}

void BacktestWindow::Command1_Click() { CloseChildWindow(this); }

void BacktestWindow::Command2_Click() { output_->Print(); }

// The table, and the chart after it as it is shown (its lines hidden or
// not), as wide as the page and as high for that as it is on screen.
GridDocument BacktestWindow::Document() const {
    GridDocument document = BacktestDocument(grid_, fpSpread1->Geometry(), Host().Snapshot());
    if (result_ && Chart1->width() > 0) {
        document.pictureAspect = static_cast<double>(Chart1->height()) / Chart1->width();
        document.paintPicture = [chart = QPointer<BacktestChart>(Chart1)](QPainter& p,
                                                                          const QRectF& target) {
            if (chart) chart->render(&p, target);
        };
    }
    return document;
}

void BacktestWindow::Cmd実行_Click() {
    if (running_) return;
    if (!TakeWholeRange()) {
        result_.reset();
        ShowResult();
        return;
    }
    const BacktestRange range{Spin開始回->value(), Spin終了回->value()};
    if (range.from > range.to) {
        ShowMessage(this, QStringLiteral("最初の回が最後の回より後になっています。"));
        return;
    }
    StartRun(range);
}

void BacktestWindow::StartRun(const BacktestRange& range) {
    run_ = std::make_shared<Run>();
    run_->draws = Host().Snapshot().Draws;
    run_->options = Host().PredictionOptions();
    run_->range = range;
    SetRunning(true);
    watcher_->setFuture(QtConcurrent::run(RunInWorker, run_));
}

void BacktestWindow::RunEnded() {
    if (!running_) return;
    const std::shared_ptr<Run> run = std::move(run_);
    SetRunning(false);
    if (!run->failure.empty()) {
        ShowMessage(this, QString::fromStdString(run->failure));
        return;
    }
    result_ = std::move(run->result);
    totalDraws_ = run->total;
    ShowResult();
}

void BacktestWindow::WaitForRun() {
    if (!running_) return;
    watcher_->waitForFinished();
    RunEnded();
}

void BacktestWindow::CancelAndWait() {
    if (!running_) return;
    watcher_->cancel();
    watcher_->waitForFinished();
}

void BacktestWindow::Cmd中止_Click() {
    if (running_) watcher_->cancel();
}

void BacktestWindow::SetRunning(bool running) {
    running_ = running;
    Cmd実行->setEnabled(!running);
    Spin開始回->setEnabled(!running && haveRange_);
    Spin終了回->setEnabled(!running && haveRange_);
    for (QCheckBox* box : Chk手法) box->setEnabled(!running);
    Command2->setEnabled(!running && result_);
    Cmd中止->setEnabled(running);
    if (running) {
        ProgressBar1->setValue(0);
        Label2->setText(QStringLiteral("検証しています…"));
        Cmd中止->setFocus();
    }
}

void BacktestWindow::keyPressEvent(QKeyEvent* event) {
    if (running_ && event->key() == Qt::Key_Escape) {
        Cmd中止_Click();
        return;
    }
    ChildWindow::keyPressEvent(event);
}

void BacktestWindow::closeEvent(QCloseEvent* event) {
    CancelAndWait();
    running_ = false;
    ChildWindow::closeEvent(event);
}

// The replay counts the draws of the range, the family adjustment as many again.
void BacktestWindow::RunInWorker(QPromise<void>& promise, const std::shared_ptr<Run>& run) {
    try {
        run->result = RunBacktest(run->draws, run->options, run->range, [&](int done, int total) {
            run->total = total;
            promise.setProgressRange(0, 2 * std::max(1, total));
            promise.setProgressValue(done);
            return !promise.isCanceled();
        });
        if (!run->result.completed) return;
        AddFamilyPValues(run->result, kFamilySimulations, kFamilySeed, [&](int done, int all) {
            promise.setProgressValue(
                run->total + static_cast<int>(static_cast<long long>(run->total) * done / all));
            return !promise.isCanceled();
        });
    } catch (...) {
        run->failure = MessageOfCurrentException();
    }
}
