#include "ui/RangeRunWindow.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "grid/Twips.h"
#include "ui/Buttons.h"
#include "ui/ChildHost.h"
#include "ui/GridOutput.h"
#include "ui/WindowDocuments.h"
#include "ui/WindowParts.h"

namespace {

constexpr int kProgressWidthTwips = 2700;
// How long a run waiting for the event loop waits at most.
constexpr int kLaunchAtTheLatestMs = 250;

// Every button of the window has this size, whatever its text.
QSize ButtonSize(const QWidget* reference) {
    return TwipsToPixelSize(kCommandButtonWidthTwips, kCommandButtonHeightTwips, reference);
}

QSpinBox* MakeSpinBox(const char* name, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    return box;
}

}  // namespace

RangeRunWindow::RangeRunWindow(ChildHost& host, ChildWindowSetup setup, const Texts& texts,
                               QWidget* parent)
    : ChildWindow(host, std::move(setup), parent),
      work_(this, [this](WorkOutcome<std::monostate> outcome) { RunEnded(outcome.message); }),
      runningText_(texts.running) {
    Label1 = MakeLabel(texts.description, "Label1", this);
    Command2 = MakeButton(QStringLiteral("印刷"), "Command2", this, ButtonSizing::Exactly,
                          ButtonSize(this));
    Command2->setEnabled(false);
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    Command1 = MakeButton(QStringLiteral("閉じる"), "Command1", this, ButtonSizing::Exactly,
                          ButtonSize(this));
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    Spin開始回 = MakeSpinBox("Spin開始回", this);
    Spin終了回 = MakeSpinBox("Spin終了回", this);
    Cmd実行 = MakeButton(QStringLiteral("実行"), "Cmd実行", this, ButtonSizing::Exactly,
                         ButtonSize(this));
    connect(Cmd実行, &QPushButton::clicked, this, [this] { Cmd実行_Click(); });
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setFixedWidth(TwipsToPixels(kProgressWidthTwips, this));
    Cmd中止 = MakeButton(QStringLiteral("中止"), "Cmd中止", this, ButtonSizing::Exactly,
                         ButtonSize(this));
    Cmd中止->setEnabled(false);
    connect(Cmd中止, &QPushButton::clicked, this, [this] { Cmd中止_Click(); });
    Label2 = MakeLabel({}, "Label2", this);

    fpSpread1 = new GridView(this);
    fpSpread1->setObjectName("fpSpread1");
    output_ = new GridOutput(this, [this] { return Document(); });
    output_->AddMenuTo(fpSpread1);

    QHBoxLayout* top = MakeTopRow(Label1, Command2, Command1);

    const int spacing = TwipsToPixels(kWindowSpacingTwips, this);
    auto* range = new QHBoxLayout();
    range->addWidget(new QLabel(texts.rangeLead, this));
    // 「検証する回（最初の回）」: the two boxes share one label.
    const QString draws = QString(texts.rangeLead).remove(QStringLiteral("：第"));
    Spin開始回->setAccessibleName(draws + QStringLiteral("（最初の回）"));
    Spin終了回->setAccessibleName(draws + QStringLiteral("（最後の回）"));
    range->addWidget(Spin開始回);
    range->addWidget(new QLabel(QStringLiteral("回 ～ 第"), this));
    range->addWidget(Spin終了回);
    range->addWidget(new QLabel(QStringLiteral("回"), this));
    range->addSpacing(spacing);
    range->addWidget(Cmd実行);
    range->addSpacing(spacing);
    range->addWidget(ProgressBar1);
    range->addWidget(Cmd中止);
    range->addSpacing(spacing);
    range->addWidget(Label2, 1);

    QVBoxLayout* layout = MakeWindowLayout(this);
    layout->addLayout(top);
    layout->addLayout(range);
    layout->addWidget(fpSpread1);
    work_.ShowProgressIn(ProgressBar1);
}

// A window destroyed during a run lets the worker end before its parts go.
RangeRunWindow::~RangeRunWindow() { CancelAndWait(); }

void RangeRunWindow::AddChart(QLayout* chooser, QWidget* chart, int minimumHeightTwips) {
    chart->setMinimumHeight(TwipsToPixels(minimumHeightTwips, this));
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->addLayout(chooser);
    layout->addWidget(chart, 1);
}

void RangeRunWindow::Command1_Click() { CloseChildWindow(this); }

void RangeRunWindow::Command2_Click() { output_->Print(); }

// A run stopped before its worker began still begins, and then ends at its
// first step like any stopped run, with what it did.
void RangeRunWindow::Cmd中止_Click() {
    if (!running_) return;
    LaunchWork();
    work_.Stop();
}

void RangeRunWindow::StartWork(Work work) {
    SetRunning(true);
    runRange_ = DrawRangeText(Host().Snapshot().Draws);
    waitingWork_ = std::move(work);
    if (painted_) LaunchWork();
}

void RangeRunWindow::LaunchWork() {
    if (!waitingWork_) return;
    work_.Start([work = std::exchange(waitingWork_, {})](const WorkControl& control) {
        work(control);
        return std::monostate{};
    });
}

void RangeRunWindow::paintEvent(QPaintEvent* event) {
    ChildWindow::paintEvent(event);
    if (painted_) return;
    painted_ = true;
    if (waitingWork_) LaunchWhenBackInEventLoop();
}

// The dispatcher says it is about to wait for input each time an event loop
// goes round, which a call of processEvents never does: windows opened in
// one go (several --open) are then all built and painted.  A window served
// by processEvents alone still starts its run after a moment.
void RangeRunWindow::LaunchWhenBackInEventLoop() {
    connect(
        QAbstractEventDispatcher::instance(thread()), &QAbstractEventDispatcher::aboutToBlock, this,
        [this] { LaunchWork(); }, Qt::SingleShotConnection);
    QTimer::singleShot(kLaunchAtTheLatestMs, this, [this] { LaunchWork(); });
}

void RangeRunWindow::RunEnded(const QString& failure) {
    if (!running_) return;
    SetRunning(false);
    if (failure.isEmpty()) drawRange_ = runRange_;
    WorkEnded(failure);
}

void RangeRunWindow::WaitForRun() {
    if (!running_) return;
    LaunchWork();
    work_.Wait();
}

void RangeRunWindow::CancelAndWait() {
    if (!running_) return;
    waitingWork_ = {};
    work_.Discard();
}

void RangeRunWindow::ShowGrid() {
    fpSpread1->SetGrid(&grid_);
    fpSpread1->setFixedHeight(fpSpread1->sizeHint().height());
}

GridDocument RangeRunWindow::TableDocument(const char* name) const {
    GridDocument document;
    document.caption = QString::fromUtf8(name);
    document.drawRange = drawRange_;
    document.parts.push_back({{}, &grid_, fpSpread1->Geometry()});
    document.csv = {{name, &grid_}};
    return document;
}

void RangeRunWindow::SetRunning(bool running) {
    running_ = running;
    Cmd実行->setEnabled(!running);
    Spin開始回->setEnabled(!running && HasRange());
    Spin終了回->setEnabled(!running && HasRange());
    RunningChanged(running);
    Command2->setEnabled(!running && HasResult());
    Cmd中止->setEnabled(running);
    if (running) {
        ProgressBar1->setValue(0);
        Label2->setText(runningText_);
        Cmd中止->setFocus();
    }
}

void RangeRunWindow::keyPressEvent(QKeyEvent* event) {
    if (running_ && event->key() == Qt::Key_Escape) {
        Cmd中止_Click();
        return;
    }
    ChildWindow::keyPressEvent(event);
}

void RangeRunWindow::closeEvent(QCloseEvent* event) {
    CancelAndWait();
    running_ = false;
    ChildWindow::closeEvent(event);
}
