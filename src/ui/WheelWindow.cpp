#include "ui/WheelWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPromise>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <bit>

#include "core/CurrentException.h"
#include "core/GlobalBas.h"
#include "grid/GridView.h"
#include "grid/QtColor.h"
#include "grid/Twips.h"
#include "prediction/PredictionModel.h"
#include "prediction/WheelSearch.h"
#include "ui/ChildHost.h"
#include "ui/GridOutput.h"
#include "ui/Messages.h"

namespace {

constexpr int kWidthTwips = 17700;
constexpr int kHeightTwips = 13200;
constexpr int kMarginTwips = 120;
constexpr int kSpacingTwips = 90;
constexpr int kButtonWidthTwips = 1500;
constexpr int kButtonHeightTwips = 375;
constexpr int kPadButtonTwips = 420;
constexpr int kPadColumns = 10;
constexpr int kProgressSteps = 1000;

QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setMinimumSize(TwipsToPixels(kButtonWidthTwips, parent),
                           TwipsToPixels(kButtonHeightTwips, parent));
    return button;
}

QLabel* MakeLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

// The numbers of one row of a prediction grid, in its order.
std::vector<int> RowNumbers(const ResultGrid& grid, int row) {
    std::vector<int> numbers;
    for (int column = kFirstNumberColumn; column < kFirstNumberColumn + kWheelTicketSize;
         ++column) {
        bool ok = false;
        const int n = QString::fromStdString(grid.ReadCell(column, row)).trimmed().toInt(&ok);
        if (ok && n >= kLowestNumber && n <= kHighestNumber) numbers.push_back(n);
    }
    return numbers;
}

// The search in the worker: only copies of its input, and the stop flag.
WheelOutcome SearchInWorker(QPromise<WheelOutcome>& promise, const WheelRequest& request,
                            const WheelSearchOptions& options,
                            const std::shared_ptr<std::atomic<bool>>& stop) {
    promise.setProgressRange(0, kProgressSteps);
    WheelOutcome outcome;
    try {
        const std::optional<WheelResult> result =
            SearchWheel(request, options, [&](const WheelProgress& p) {
                const double share = p.elapsedSeconds / std::max(p.budgetSeconds, 1e-9);
                const QString text =
                    p.bestTickets > 0
                        ? QStringLiteral(
                              "探しています…これまでの最小は%1枚（保証を確かめ済み）です。")
                              .arg(p.bestTickets)
                        : QStringLiteral("最初の組を作っています…");
                promise.setProgressValueAndText(
                    static_cast<int>(kProgressSteps * std::min(1.0, share)), text);
                return !stop->load();
            });
        if (result) {
            outcome.report = ReportOfWheel(*result, options.seed);
        } else if (stop->load()) {
            outcome.problem =
                QStringLiteral("中止しました。保証を確かめた購入番号はまだありません。");
        } else {
            outcome.problem = QStringLiteral("保証を確かめられる購入番号を作れませんでした。");
        }
    } catch (...) {
        outcome.problem = QString::fromStdString(MessageOfCurrentException());
    }
    return outcome;
}

}  // namespace

WheelWindow::WheelWindow(ChildHost& host, QWidget* parent)
    : ChildWindow(host,
                  {.name = QString::fromUtf8(kWheelWindowName),
                   .caption = QString::fromUtf8(kWheelWindowName),
                   .widthTwips = kWidthTwips,
                   .heightTwips = kHeightTwips},
                  parent) {
    auto* intro = MakeLabel(
        QStringLiteral(
            "選んだ数字から、指定した保証をすべての場合で確かめた購入番号の組を作ります。"
            "ホイールは1枚ごとの当たる確率を変えません（当たり方の組み合わせが変わるだけです）。"),
        this);
    Cmd追加 = MakeButton(QStringLiteral("購入番号に追加"), "Cmd追加", this);
    Cmd追加->setVisible(Host().CanAddTickets());
    Cmd追加->setEnabled(false);
    connect(Cmd追加, &QPushButton::clicked, this, [this] { Cmd追加_Click(); });
    Cmd印刷 = MakeButton(QStringLiteral("印刷"), "Cmd印刷", this);
    Cmd印刷->setEnabled(false);
    Cmd閉じる = MakeButton(QStringLiteral("閉じる"), "Cmd閉じる", this);
    connect(Cmd閉じる, &QPushButton::clicked, this, [this] { CloseChildWindow(this); });

    Chkキー = new QToolButton(this);
    Chkキー->setObjectName("Chkキー");
    Chkキー->setText(QStringLiteral("キー数字を指定"));
    Chkキー->setCheckable(true);
    Cmdクリア = MakeButton(QStringLiteral("すべて外す"), "Cmdクリア", this);
    connect(Cmdクリア, &QPushButton::clicked, this, [this] {
        chosen_ = keys_ = 0;
        ClearResult();
    });
    Cbo予想 = new QComboBox(this);
    Cbo予想->setObjectName("Cbo予想");
    Cbo予想->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    Cmd取込 = MakeButton(QStringLiteral("予想から取り込む"), "Cmd取込", this);
    connect(Cmd取込, &QPushButton::clicked, this, [this] { Cmd取込_Click(); });

    SpinT = new QSpinBox(this);
    SpinT->setObjectName("SpinT");
    SpinT->setRange(1, kWheelTicketSize);
    SpinT->setValue(3);
    SpinM = new QSpinBox(this);
    SpinM->setObjectName("SpinM");
    SpinM->setRange(1, kWheelTicketSize);
    SpinM->setValue(3);
    for (QSpinBox* box : {SpinT, SpinM}) {
        connect(box, &QSpinBox::valueChanged, this, [this] { ClearResult(); });
    }
    Spin秒 = new QDoubleSpinBox(this);
    Spin秒->setObjectName("Spin秒");
    Spin秒->setRange(0.5, kMaxWheelSeconds);
    Spin秒->setDecimals(1);
    Spin秒->setValue(kDefaultWheelSeconds);
    Spin秒->setSuffix(QStringLiteral(" 秒"));
    Spinシード = new QSpinBox(this);
    Spinシード->setObjectName("Spinシード");
    Spinシード->setRange(0, 999999);
    Spinシード->setValue(1);
    Cmd作成 = MakeButton(QStringLiteral("作成"), "Cmd作成", this);
    connect(Cmd作成, &QPushButton::clicked, this, [this] { Cmd作成_Click(); });
    Cmd中止 = MakeButton(QStringLiteral("中止"), "Cmd中止", this);
    Cmd中止->setEnabled(false);
    connect(Cmd中止, &QPushButton::clicked, this, [this] { Cmd中止_Click(); });
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, kProgressSteps);
    ProgressBar1->setValue(0);
    Label選択 = MakeLabel({}, this);
    Label選択->setObjectName("Label選択");
    Label状態 = MakeLabel({}, this);
    Label状態->setObjectName("Label状態");

    Grid購入 = new GridView(this);
    Grid購入->setObjectName("Grid購入");
    Grid数値 = new GridView(this);
    Grid数値->setObjectName("Grid数値");
    Grid保証 = new GridView(this);
    Grid保証->setObjectName("Grid保証");
    Grid確率 = new GridView(this);
    Grid確率->setObjectName("Grid確率");
    output_ = new GridOutput(this, [this] { return Document(); });
    for (GridView* view : {Grid購入, Grid数値, Grid保証, Grid確率}) output_->AddMenuTo(view);
    connect(Cmd印刷, &QPushButton::clicked, this, [this] { output_->Print(); });

    auto* top = new QHBoxLayout();
    top->addWidget(intro, 1);
    for (QPushButton* b : {Cmd追加, Cmd印刷, Cmd閉じる}) top->addWidget(b, 0, Qt::AlignTop);

    auto* predictions = new QHBoxLayout();
    predictions->addWidget(new QLabel(QStringLiteral("予想の行："), this));
    predictions->addWidget(Cbo予想, 1);
    predictions->addWidget(Cmd取込);
    auto* guarantee = new QHBoxLayout();
    guarantee->addWidget(new QLabel(QStringLiteral("保証：選んだ数字から当選数字が"), this));
    guarantee->addWidget(SpinM);
    guarantee->addWidget(new QLabel(QStringLiteral("個以上出れば、少なくとも1枚が"), this));
    guarantee->addWidget(SpinT);
    guarantee->addWidget(new QLabel(QStringLiteral("個以上一致"), this));
    guarantee->addStretch();
    auto* run = new QHBoxLayout();
    run->addWidget(new QLabel(QStringLiteral("探索時間："), this));
    run->addWidget(Spin秒);
    run->addWidget(new QLabel(QStringLiteral("シード："), this));
    run->addWidget(Spinシード);
    run->addWidget(Cmd作成);
    run->addWidget(ProgressBar1, 1);
    run->addWidget(Cmd中止);
    auto* padTools = new QHBoxLayout();
    padTools->addWidget(Chkキー);
    padTools->addWidget(Cmdクリア);
    padTools->addStretch();
    auto* controls = new QVBoxLayout();
    controls->addLayout(padTools);
    controls->addWidget(Label選択);
    controls->addLayout(predictions);
    controls->addLayout(guarantee);
    controls->addLayout(run);
    controls->addWidget(Label状態);
    controls->addStretch();
    auto* choose = new QHBoxLayout();
    choose->addWidget(MakePad());
    choose->addLayout(controls, 1);

    auto* figures = new QVBoxLayout();
    const auto labelled = [&](const char* label, GridView* view, int stretch) {
        figures->addWidget(new QLabel(QString::fromUtf8(label), this));
        figures->addWidget(view, stretch);
    };
    labelled(kWheelFiguresLabel, Grid数値, 2);
    labelled(kWheelGuaranteesLabel, Grid保証, 2);
    labelled(kWheelOddsLabel, Grid確率, 2);
    auto* ticketsColumn = new QVBoxLayout();
    ticketsColumn->addWidget(new QLabel(QString::fromUtf8(kWheelTicketsLabel), this));
    ticketsColumn->addWidget(Grid購入, 1);
    auto* results = new QHBoxLayout();
    results->addLayout(ticketsColumn, 2);
    results->addLayout(figures, 5);

    auto* layout = new QVBoxLayout(this);
    const int margin = TwipsToPixels(kMarginTwips, this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(TwipsToPixels(kSpacingTwips, this));
    layout->addLayout(top);
    layout->addLayout(choose);
    layout->addLayout(results, 1);
    ShowPadState();
}

// A search still running keeps only its copies and the stop flag; its
// result is dropped with the watcher.
WheelWindow::~WheelWindow() {
    if (stop_) stop_->store(true);
}

QWidget* WheelWindow::MakePad() {
    auto* pad = new QWidget(this);
    auto* grid = new QGridLayout(pad);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    const int side = TwipsToPixels(kPadButtonTwips, this);
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        auto* button = new QToolButton(pad);
        button->setObjectName(QStringLiteral("Pad%1").arg(n));
        button->setText(QString::number(n));
        button->setFixedSize(side, side);
        connect(button, &QToolButton::clicked, this, [this, n] { PadClick(n); });
        grid->addWidget(button, (n - 1) / kPadColumns, (n - 1) % kPadColumns);
        Pad[n] = button;
    }
    return pad;
}

void WheelWindow::PadClick(int number) {
    if (Running() || number < kLowestNumber || number > kHighestNumber) return;
    const std::uint64_t bit = std::uint64_t{1} << number;
    if (Chkキー->isChecked()) {
        keys_ ^= bit;
        if (keys_ & bit) chosen_ |= bit;
    } else {
        chosen_ ^= bit;
        keys_ &= chosen_;
    }
    ClearResult();
}

std::vector<int> WheelWindow::ChosenNumbers() const { return NumbersOf(chosen_); }
std::vector<int> WheelWindow::KeyNumbers() const { return NumbersOf(keys_); }

void WheelWindow::ShowPadState() {
    const std::vector<int> chosen = ChosenNumbers();
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        const auto at = std::find(chosen.begin(), chosen.end(), n);
        QString style;
        if (at != chosen.end()) {
            const QColor back = ToQColor(ChosenNumberColour(static_cast<int>(at - chosen.begin()),
                                                            static_cast<int>(chosen.size())));
            style =
                QStringLiteral("background-color: %1; border: 1px solid #606060;").arg(back.name());
        }
        if (keys_ >> n & 1) style += QStringLiteral("color: red; font-weight: bold;");
        Pad[n]->setStyleSheet(style);
    }
    QString text = QStringLiteral("選んだ数字：%1個").arg(chosen.size());
    if (keys_)
        text += QStringLiteral("（キー数字 %1）")
                    .arg(QString::fromStdString(JoinNumbers(KeyNumbers(), " ")));
    Label選択->setText(text);
}

void WheelWindow::ClearResult() {
    ShowPadState();
    if (Running()) return;
    report_.reset();
    grids_ = WheelGrids();
    ShowGrids();
    Label状態->clear();
    ProgressBar1->setValue(0);
}

void WheelWindow::ShowGrids() {
    const bool have = report_.has_value();
    Grid購入->SetGrid(have ? &grids_.tickets : nullptr);
    Grid数値->SetGrid(have ? &grids_.figures : nullptr);
    Grid保証->SetGrid(have ? &grids_.guarantees : nullptr);
    Grid確率->SetGrid(have ? &grids_.odds : nullptr);
    Cmd印刷->setEnabled(have && !Running());
    Cmd追加->setEnabled(have && !Running());
}

void WheelWindow::Compute() {
    rows_.clear();
    PredictionModel model;
    model.Options() = Host().PredictionOptions();
    model.Load(Host().Snapshot());
    for (int index = 0; index < kPredictionGridCount; ++index) {
        const ResultGrid& grid = model.Grid(index);
        QString name = QString::fromUtf8(kPredictionGrids[index].label.data(),
                                         static_cast<int>(kPredictionGrids[index].label.size()));
        name.remove(QChar(u'●'));
        name = name.section(QChar(u'('), 0, 0);
        QString label = name;
        for (int row = kFirstNumberRow; row <= grid.RowCount(); ++row) {
            const QString cell = QString::fromStdString(grid.ReadCell(1, row)).trimmed();
            if (!cell.isEmpty()) label = cell;
            const std::vector<int> numbers = RowNumbers(grid, row);
            if (numbers.empty()) continue;
            rows_.push_back({label, numbers});
        }
    }
}

void WheelWindow::Present() {
    Cbo予想->clear();
    for (const PredictionRow& row : rows_) {
        std::vector<int> numbers = row.numbers;
        std::sort(numbers.begin(), numbers.end());
        Cbo予想->addItem(row.label + QStringLiteral("：") +
                         QString::fromStdString(JoinNumbers(numbers, " ")));
    }
    Cbo予想->setEnabled(!rows_.empty());
    Cmd取込->setEnabled(!rows_.empty());
    if (rows_.empty()) Cbo予想->addItem(QStringLiteral("（予想できる当選データがありません）"));
}

void WheelWindow::Cmd取込_Click() {
    const int index = Cbo予想->currentIndex();
    if (Running() || index < 0 || index >= static_cast<int>(rows_.size())) return;
    chosen_ |= MaskOf(rows_[index].numbers);
    ClearResult();
}

void WheelWindow::Cmd作成_Click() {
    if (Running()) return;
    const WheelRequest request{ChosenNumbers(), KeyNumbers(), SpinT->value(), SpinM->value()};
    std::optional<std::string> problem = CheckWheelRequest(request);
    if (!problem) problem = WheelSearchLimit(request);
    if (problem) {
        ShowMessage(this, QString::fromStdString(*problem));
        return;
    }
    const WheelSearchOptions options{.seconds = Spin秒->value(),
                                     .seed = static_cast<std::uint64_t>(Spinシード->value())};
    stop_ = std::make_shared<std::atomic<bool>>(false);
    watcher_ = new QFutureWatcher<WheelOutcome>(this);
    connect(watcher_, &QFutureWatcherBase::progressValueChanged, ProgressBar1,
            &QProgressBar::setValue);
    connect(watcher_, &QFutureWatcherBase::progressTextChanged, Label状態, &QLabel::setText);
    connect(watcher_, &QFutureWatcherBase::finished, this, [this] {
        QFutureWatcher<WheelOutcome>* done = watcher_;
        const QFuture<WheelOutcome> future = done->future();
        watcher_ = nullptr;
        done->deleteLater();
        SetRunning(false);
        ShowOutcome(future.resultCount() > 0 ? future.result() : WheelOutcome{});
    });
    SetRunning(true);
    watcher_->setFuture(
        QtConcurrent::run([request, options, stop = stop_](QPromise<WheelOutcome>& promise) {
            promise.addResult(SearchInWorker(promise, request, options, stop));
        }));
}

void WheelWindow::Cmd中止_Click() {
    if (stop_) stop_->store(true);
}

void WheelWindow::Cmd追加_Click() {
    if (!report_ || !Host().CanAddTickets()) return;
    std::vector<std::vector<int>> rows;
    for (NumberMask ticket : report_->tickets) rows.push_back(NumbersOf(ticket));
    Host().AddTickets(this, rows);
}

void WheelWindow::ShowOutcome(const WheelOutcome& outcome) {
    report_.reset();
    grids_ = WheelGrids();
    if (outcome.report && outcome.report->asked && outcome.report->check.holds) {
        report_ = outcome.report;
        WriteWheelGrids(*report_, grids_);
        Label状態->setText(
            QStringLiteral("%1枚の購入番号を作り、保証をすべての場合で確かめました。%2")
                .arg(report_->tickets.size())
                .arg(report_->stopped
                         ? QStringLiteral("（中止したため、それまでに見つけた最小の組です）")
                         : QString()));
        ProgressBar1->setValue(kProgressSteps);
    } else {
        const QString text =
            outcome.report
                ? QStringLiteral("作った購入番号の組は保証を満たしませんでした。表示しません。")
                : outcome.problem;
        Label状態->setText(text);
        if (!text.isEmpty()) ShowMessage(this, text);
    }
    ShowGrids();
}

void WheelWindow::SetRunning(bool running) {
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) Pad[n]->setEnabled(!running);
    for (QWidget* w : std::initializer_list<QWidget*>{Chkキー, Cmdクリア, Cbo予想, Cmd取込, SpinT,
                                                      SpinM, Spin秒, Spinシード, Cmd作成}) {
        w->setEnabled(!running);
    }
    if (!running) {
        Cbo予想->setEnabled(!rows_.empty());
        Cmd取込->setEnabled(!rows_.empty());
    }
    Cmd中止->setEnabled(running);
    Cmd印刷->setEnabled(!running && report_);
    Cmd追加->setEnabled(!running && report_);
    if (running) {
        ProgressBar1->setValue(0);
        Label状態->setText(QStringLiteral(
            "購入番号の組を探しています…（中止すると、それまでに見つけた最小の組を表示します）"));
    }
}

GridDocument WheelWindow::Document() const {
    GridDocument document;
    document.caption = QString::fromUtf8(kWheelWindowName);
    if (!report_) return document;
    const std::pair<const char*, const GridView*> parts[] = {{kWheelTicketsLabel, Grid購入},
                                                             {kWheelFiguresLabel, Grid数値},
                                                             {kWheelGuaranteesLabel, Grid保証},
                                                             {kWheelOddsLabel, Grid確率}};
    for (const auto& [label, view] : parts) {
        document.parts.push_back({QString::fromUtf8(label), view->Grid(), view->Geometry()});
    }
    document.csv = grids_.Named();
    return document;
}

void WheelWindow::closeEvent(QCloseEvent* event) {
    if (stop_) stop_->store(true);
    ChildWindow::closeEvent(event);
}
