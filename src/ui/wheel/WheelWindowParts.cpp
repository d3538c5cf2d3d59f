// ホイール's widgets, made in the order Tab follows, and how they are laid out.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "grid/GridView.h"
#include "grid/Twips.h"
#include "ui/Buttons.h"
#include "ui/ChildHost.h"
#include "ui/GridOutput.h"
#include "ui/WindowParts.h"
#include "ui/wheel/WheelWindow.h"

namespace {

constexpr int kWidthTwips = 17700;
constexpr int kHeightTwips = 13200;

}  // namespace

WheelWindow::WheelWindow(ChildHost& host, QWidget* parent)
    : ChildWindow(host, ToolWindowSetup(kWheelWindowName, kWidthTwips, kHeightTwips), parent),
      search_(this, [this](WorkOutcome<WheelReport> outcome) {
          SetRunning(false);
          ShowOutcome(outcome);
      }) {
    auto* intro = MakeLabel(
        QStringLiteral(
            "選んだ数字から、指定した保証をすべての場合で確かめた購入番号の組を作ります。"
            "ホイールは1枚ごとの当たる確率を変えません（当たり方の組み合わせが変わるだけです）。"),
        "", this);
    MakeCommandButtons();
    MakeChoiceControls();
    MakeSearchControls();
    MakeResultGrids();
    search_.ShowProgressIn(ProgressBar1, Label状態);
    QHBoxLayout* commands = LayOutCommands(intro);
    QHBoxLayout* choice = LayOutChoice();
    QHBoxLayout* results = LayOutResults();

    QVBoxLayout* layout = MakeWindowLayout(this);
    layout->addLayout(commands);
    layout->addLayout(choice);
    layout->addLayout(results, 1);
    ShowPadState();
}

// 購入番号に追加 (shown only when the main window keeps a ticket book), 印刷, 閉じる.
void WheelWindow::MakeCommandButtons() {
    Cmd追加 = MakeButton(QStringLiteral("購入番号に追加"), "Cmd追加", this, ButtonSizing::AtLeast,
                         UsualButtonSize(this));
    Cmd追加->setVisible(Host().CanAddTickets());
    Cmd追加->setEnabled(false);
    connect(Cmd追加, &QPushButton::clicked, this, [this] { Cmd追加_Click(); });
    Cmd印刷 = MakeButton(QStringLiteral("印刷"), "Cmd印刷", this, ButtonSizing::AtLeast,
                         UsualButtonSize(this));
    Cmd印刷->setEnabled(false);
    Cmd閉じる = MakeButton(QStringLiteral("閉じる"), "Cmd閉じる", this, ButtonSizing::AtLeast,
                           UsualButtonSize(this));
    connect(Cmd閉じる, &QPushButton::clicked, this, [this] { CloseChildWindow(this); });
}

// The key switch and clearing of the pad, and taking numbers from a prediction row.
void WheelWindow::MakeChoiceControls() {
    Chkキー = new QToolButton(this);
    Chkキー->setObjectName("Chkキー");
    Chkキー->setText(QStringLiteral("キー数字を指定"));
    Chkキー->setCheckable(true);
    Cmdクリア = MakeButton(QStringLiteral("すべて外す"), "Cmdクリア", this, ButtonSizing::AtLeast,
                           UsualButtonSize(this));
    connect(Cmdクリア, &QPushButton::clicked, this, [this] {
        Pad->Clear();
        ClearResult();
    });
    Cbo予想 = new QComboBox(this);
    Cbo予想->setObjectName("Cbo予想");
    Cbo予想->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    Cmd取込 = MakeButton(QStringLiteral("予想から取り込む"), "Cmd取込", this, ButtonSizing::AtLeast,
                         UsualButtonSize(this));
    connect(Cmd取込, &QPushButton::clicked, this, [this] { Cmd取込_Click(); });
}

// The guarantee, the time and seed of the search, 作成 and 中止, its progress
// and the lines saying what is chosen and what the search did.
void WheelWindow::MakeSearchControls() {
    SpinT = new QSpinBox(this);
    SpinT->setObjectName("SpinT");
    SpinT->setRange(1, kWheelTicketSize);
    SpinT->setValue(3);
    SpinM = new QSpinBox(this);
    SpinM->setObjectName("SpinM");
    SpinM->setRange(1, kWheelTicketSize);
    SpinM->setValue(3);
    // Two boxes inside one sentence: each says which number it is.
    SpinM->setAccessibleName(QStringLiteral("保証：選んだ数字から出る当選数字の個数"));
    SpinT->setAccessibleName(QStringLiteral("保証：少なくとも1枚が一致する個数"));
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
    Cmd作成 = MakeButton(QStringLiteral("作成"), "Cmd作成", this, ButtonSizing::AtLeast,
                         UsualButtonSize(this));
    connect(Cmd作成, &QPushButton::clicked, this, [this] { Cmd作成_Click(); });
    Cmd中止 = MakeButton(QStringLiteral("中止"), "Cmd中止", this, ButtonSizing::AtLeast,
                         UsualButtonSize(this));
    Cmd中止->setEnabled(false);
    connect(Cmd中止, &QPushButton::clicked, this, [this] { Cmd中止_Click(); });
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, kWheelProgressSteps);
    ProgressBar1->setValue(0);
    Label選択 = MakeLabel({}, "Label選択", this);
    Label状態 = MakeLabel({}, "Label状態", this);
    Label状態->setWordWrap(true);
}

// The four grids of a wheel; 印刷 and their right-click menus print and save them.
void WheelWindow::MakeResultGrids() {
    Grid購入 = new GridView(this);
    Grid購入->setObjectName("Grid購入");
    Grid購入->SetGridName(QString::fromUtf8(kWheelTicketsLabel));
    Grid数値 = new GridView(this);
    Grid数値->setObjectName("Grid数値");
    Grid数値->SetGridName(QString::fromUtf8(kWheelFiguresLabel));
    Grid保証 = new GridView(this);
    Grid保証->setObjectName("Grid保証");
    Grid保証->SetGridName(QString::fromUtf8(kWheelGuaranteesLabel));
    Grid確率 = new GridView(this);
    Grid確率->setObjectName("Grid確率");
    Grid確率->SetGridName(QString::fromUtf8(kWheelOddsLabel));
    output_ = new GridOutput(this, [this] { return Document(); });
    for (GridView* view : {Grid購入, Grid数値, Grid保証, Grid確率}) output_->AddMenuTo(view);
    connect(Cmd印刷, &QPushButton::clicked, this, [this] { output_->Print(); });
}

// The introduction with the window's commands at its right.
QHBoxLayout* WheelWindow::LayOutCommands(QWidget* intro) {
    auto* top = new QHBoxLayout();
    top->addWidget(intro, 1);
    for (QPushButton* b : {Cmd追加, Cmd印刷, Cmd閉じる}) top->addWidget(b, 0, Qt::AlignTop);
    return top;
}

// The pad, and beside it the choice, guarantee and search controls.  The pad
// is made here, after every control, so Tab reaches it last.
QHBoxLayout* WheelWindow::LayOutChoice() {
    auto* predictions = new QHBoxLayout();
    predictions->addWidget(BuddyLabel(QStringLiteral("予想の行："), Cbo予想, this));
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
    run->addWidget(BuddyLabel(QStringLiteral("探索時間："), Spin秒, this));
    run->addWidget(Spin秒);
    run->addWidget(BuddyLabel(QStringLiteral("シード："), Spinシード, this));
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
    Pad = new WheelPad([this](int n) { PadClick(n); }, this);
    choose->addWidget(Pad);
    choose->addLayout(controls, 1);
    return choose;
}

// The tickets at the left, the figures, guarantees and chances at the right.
QHBoxLayout* WheelWindow::LayOutResults() {
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
    return results;
}
