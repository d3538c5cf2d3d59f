#include "ui/wheel/WheelWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <algorithm>

#include "core/GlobalBas.h"
#include "grid/GridView.h"
#include "prediction/PredictionModel.h"
#include "ui/ChildHost.h"
#include "ui/GridOutput.h"
#include "ui/Messages.h"
#include "wheel/WheelText.h"

// A search still running keeps only its copies and the stop flag; its
// result is dropped with the watcher.
// A search still running is told to stop; it holds only its own copies.
WheelWindow::~WheelWindow() = default;

void WheelWindow::PadClick(int number) {
    if (Running() || number < kLowestNumber || number > kHighestNumber) return;
    Pad->Toggle(number, Chkキー->isChecked());
    ClearResult();
}

std::vector<int> WheelWindow::ChosenNumbers() const { return Pad->Chosen(); }
std::vector<int> WheelWindow::KeyNumbers() const { return Pad->Keys(); }

void WheelWindow::ShowPadState() {
    Pad->ShowState();
    QString text = QStringLiteral("選んだ数字：%1個").arg(ChosenNumbers().size());
    if (Pad->HasKeys())
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
    PredictionModel model;
    model.Options() = Host().PredictionOptions();
    model.Load(Host().Snapshot());
    rows_ = PredictionRowsOf(model);
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
    Pad->Choose(MaskOf(rows_[index].numbers));
    ClearResult();
}

void WheelWindow::Cmd作成_Click() {
    if (Running()) return;
    const WheelRequest request{ChosenNumbers(), KeyNumbers(), SpinT->value(), SpinM->value()};
    try {
        CheckWheelRequest(request);
        CheckWheelSearchLimit(request);
    } catch (const UserError& e) {
        ShowMessage(this, QString::fromUtf8(e.what()));
        return;
    }
    const WheelSearchOptions options{.seconds = Spin秒->value(),
                                     .seed = static_cast<std::uint64_t>(Spinシード->value()),
                                     .reserve = ReportReserve(request)};
    SetRunning(true);
    search_.Start([request, options](const WorkControl& control) {
        return SearchWheelInWorker(control, request, options);
    });
}

void WheelWindow::Cmd中止_Click() { search_.Stop(); }

void WheelWindow::Cmd追加_Click() {
    if (!report_ || !Host().CanAddTickets()) return;
    std::vector<std::vector<int>> rows;
    for (NumberMask ticket : report_->tickets) rows.push_back(NumbersOf(ticket));
    Host().AddTickets(this, rows);
}

void WheelWindow::ShowOutcome(const WorkOutcome<WheelReport>& outcome) {
    report_.reset();
    grids_ = WheelGrids();
    if (outcome.value && outcome.value->asked && outcome.value->check.holds) {
        report_ = outcome.value;
        WriteWheelGrids(*report_, grids_);
        Label状態->setText(
            QStringLiteral("%1枚の購入番号を作り、保証をすべての場合で確かめました。%2\n%3。")
                .arg(report_->tickets.size())
                .arg(report_->stopped
                         ? QStringLiteral("（中止したため、それまでに見つけた最小の組です）")
                         : QString())
                .arg(QString::fromStdString(WheelWorthText(*report_))));
        ProgressBar1->setValue(kWheelProgressSteps);
    } else {
        const QString text =
            outcome.value
                ? QStringLiteral("作った購入番号の組は保証を満たしませんでした。表示しません。")
                : outcome.message;
        Label状態->setText(text);
        if (!text.isEmpty()) ShowMessage(this, text);
    }
    ShowGrids();
}

void WheelWindow::SetRunning(bool running) {
    Pad->SetButtonsEnabled(!running);
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
    search_.Stop();
    ChildWindow::closeEvent(event);
}
