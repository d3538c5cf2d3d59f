#include "ui/tickets/TicketWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/CurrentException.h"
#include "core/FileAccess.h"
#include "core/GlobalBas.h"
#include "data/CsvImport.h"
#include "data/TicketCsv.h"
#include "data/TicketStore.h"
#include "grid/GridView.h"
#include "grid/Twips.h"
#include "lotto/TicketWorth.h"
#include "tickets/TicketGrids.h"
#include "ui/Buttons.h"
#include "ui/ChildHost.h"
#include "ui/EditMenu.h"
#include "ui/GridOutput.h"
#include "ui/Messages.h"
#include "ui/WindowDocuments.h"
#include "ui/WindowParts.h"
#include "ui/tickets/BalanceChart.h"
#include "ui/tickets/TicketDialog.h"

namespace {

constexpr int kTicketWidthTwips = 14700;
constexpr int kTicketHeightTwips = 13450;

constexpr int kYearHeightTwips = 1800;

enum SummaryScope { kAll = 0, kSelected = 1, kOneDraw = 2 };

}  // namespace

QString TicketText(const PurchasedTicket& t) {
    QString text = QStringLiteral("番号 %1　第%2回　%3（%4口）")
                       .arg(t.id)
                       .arg(QString::fromStdString(TicketDrawText(t)))
                       .arg(QString::fromStdString(NumbersText(t.numbers)))
                       .arg(t.units);
    if (!t.memo.empty()) text += QStringLiteral("　") + QString::fromStdString(t.memo);
    return text;
}

購入番号::購入番号(ChildHost& host, QWidget* parent)
    : ChildWindow(host, ToolWindowSetup(kTicketWindowName, kTicketWidthTwips, kTicketHeightTwips),
                  parent) {
    // New draws or tickets (from another window) are checked at once.
    host.ListenForChanges(this, [this] { Recompute(); });
    Label1 = MakeLabel(QStringLiteral("購入した番号を記録し、各回の当選を調べます。"
                                      "当選データにまだない回は未抽選と表示します"),
                       "Label1", this);
    Cmd追加 = MakeButton(QStringLiteral("追加..."), "Cmd追加", this);
    Cmd変更 = MakeButton(QStringLiteral("変更..."), "Cmd変更", this);
    Cmd削除 = MakeButton(QStringLiteral("削除"), "Cmd削除", this);
    Cmd取り込み = MakeButton(QStringLiteral("CSVから取り込み..."), "Cmd取り込み", this);
    Command2 = MakeButton(QStringLiteral("印刷"), "Command2", this);
    Command1 = MakeButton(QStringLiteral("閉じる"), "Command1", this);
    connect(Cmd追加, &QPushButton::clicked, this, [this] { mnuAdd_Click(); });
    connect(Cmd変更, &QPushButton::clicked, this, [this] { mnuChange_Click(); });
    connect(Cmd削除, &QPushButton::clicked, this, [this] { mnuDelete_Click(); });
    connect(Cmd取り込み, &QPushButton::clicked, this, [this] { mnuImport_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { output_->Print(); });
    connect(Command1, &QPushButton::clicked, this, [this] { CloseChildWindow(this); });

    fpSpread1 = new GridView(this);
    fpSpread1->setObjectName("fpSpread1");
    fpSpread1->viewport()->installEventFilter(this);
    fpSpread2 = new GridView(this);
    fpSpread2->setObjectName("fpSpread2");
    fpSpread2->SetGridName(QStringLiteral("集計"));
    Cmb集計 = new QComboBox(this);
    Cmb集計->setObjectName("Cmb集計");
    Cmb集計->addItems({QStringLiteral("すべての購入番号"), QStringLiteral("選択した購入番号"),
                       QStringLiteral("回を指定")});
    Spin回 = new QSpinBox(this);
    Spin回->setObjectName("Spin回");
    Spin回->setRange(1, kHighestTicketDraw);
    Spin回->setPrefix(QStringLiteral("第"));
    Spin回->setSuffix(QStringLiteral("回"));
    Cmb集計->setAccessibleName(QStringLiteral("集計"));
    Spin回->setAccessibleName(QStringLiteral("集計する回"));
    // The draw is also the 収支 band's third row, so it stays open to change.
    connect(Cmb集計, &QComboBox::currentIndexChanged, this, [this] { ShowSummary(); });
    connect(Spin回, &QSpinBox::valueChanged, this, [this] { ShowSummary(); });
    fpSpread3 = new GridView(this);
    fpSpread3->setObjectName("fpSpread3");
    fpSpread3->SetGridName(QStringLiteral("収支"));
    Label期待値 = MakeLabel({}, "Label期待値", this);
    Label期待値->setWordWrap(true);
    fpSpread4 = new GridView(this);
    fpSpread4->setObjectName("fpSpread4");
    fpSpread4->SetGridName(QStringLiteral("年別の収支"));
    Tab下 = new QTabWidget(this);
    Tab下->setObjectName("Tab下");
    Tab下->addTab(fpSpread4, QStringLiteral("年別の収支"));
    // The chart's library loads only when the chart is first looked at.
    Tab下->addTab(new QWidget(Tab下), QStringLiteral("収支の推移"));
    // The chart needs more room than the table: it takes it while shown.
    connect(Tab下, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 1) ShowChartTab();
        auto* box = static_cast<QVBoxLayout*>(layout());
        box->setStretchFactor(fpSpread1, index == 1 ? 2 : 3);
        box->setStretchFactor(Tab下, index == 1 ? 4 : 2);
    });

    BuildEditMenu();
    output_ = new GridOutput(this, [this] { return Document(); });
    // The view's right-click menu: the edit commands, then save and print.
    fpSpread1->addActions({mnuAdd, mnuChange, mnuDelete, mnuUndo});
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    fpSpread1->addAction(separator);
    output_->AddMenuTo(fpSpread1);
    output_->AddMenuTo(fpSpread2);
    output_->AddMenuTo(fpSpread3);
    output_->AddMenuTo(fpSpread4);

    QHBoxLayout* top = MakeTopRow(Label1, Command2, Command1);
    auto* commands = new QHBoxLayout();
    for (QPushButton* b : {Cmd追加, Cmd変更, Cmd削除, Cmd取り込み}) commands->addWidget(b);
    commands->addStretch();
    auto* scope = new QHBoxLayout();
    scope->addWidget(BuddyLabel(QStringLiteral("集計："), Cmb集計, this));
    scope->addWidget(Cmb集計);
    scope->addWidget(Spin回);
    scope->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(commands);
    layout->addWidget(fpSpread1, 3);
    layout->addLayout(scope);
    layout->addWidget(fpSpread2);
    layout->addWidget(fpSpread3);
    layout->addWidget(Label期待値);
    layout->addWidget(Tab下, 2);
    Tab下->setMinimumHeight(TwipsToPixels(kYearHeightTwips, this));
}

購入番号::~購入番号() = default;

void 購入番号::BuildEditMenu() {
    mnuEdit = MakeEditMenu(this);
    mnuAdd = AddEditCommand(mnuEdit, QStringLiteral("購入番号の追加(&A)..."), "mnuAdd",
                            QKeySequence(Qt::CTRL | Qt::Key_N), [this] { mnuAdd_Click(); });
    mnuChange = AddEditCommand(mnuEdit, QStringLiteral("購入番号の変更(&C)..."), "mnuChange",
                               QKeySequence(Qt::Key_F2), [this] { mnuChange_Click(); });
    mnuDelete = AddEditCommand(mnuEdit, QStringLiteral("購入番号の削除(&D)"), "mnuDelete",
                               QKeySequence(Qt::Key_Delete), [this] { mnuDelete_Click(); });
    mnuEdit->addSeparator();
    mnuUndo = AddEditCommand(mnuEdit, QStringLiteral("元に戻す(&U)"), "mnuUndo",
                             QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { mnuUndo_Click(); });
    mnuUndo->setEnabled(false);
    mnuEdit->addSeparator();
    mnuImport = AddEditCommand(mnuEdit, QStringLiteral("CSVファイルから取り込み(&I)..."),
                               "mnuImport", {}, [this] { mnuImport_Click(); });
}

void 購入番号::Compute() {
    book_ = std::make_unique<TicketBook>(Host().Snapshot().DatabaseFile);
    tickets_ = book_->List();
    // Told once, when the window first finds them.
    if (!book_->Broken().empty() && brokenTold_.empty()) {
        brokenTold_ = book_->Broken();
        QTimer::singleShot(0, this, [this] {
            ShowMessage(this, QString::fromStdString(BrokenTicketsText(brokenTold_)),
                        QMessageBox::Warning);
        });
    }
    ledger_ = ReadTicketLedger(book_->Connection(), Host().Snapshot().Draws);
    Spin回->setValue(std::max(1, static_cast<int>(Host().Snapshot().LatestDrawNumber)));
}

void 購入番号::LoadFailed() {
    QTimer::singleShot(0, this, [this] { CloseChildWindow(this); });
}

void 購入番号::Recompute() {
    try {
        Compute();
    } catch (...) {
        ShowMessage(this, QString::fromStdString(MessageOfCurrentException()));
    }
    Present();
}

void 購入番号::Present() {
    if (!Find(selected_)) selected_ = 0;
    idOfRow_ = WriteTicketGrid(tickets_, ledger_.draws, ledger_.prizes, selected_, grid_);
    fpSpread1->SetGrid(&grid_);
    const bool any = selected_ != 0;
    Cmd変更->setEnabled(any);
    Cmd削除->setEnabled(any);
    mnuChange->setEnabled(any);
    mnuDelete->setEnabled(any);
    const bool open = book_ != nullptr;
    for (QWidget* w : std::initializer_list<QWidget*>{Cmd追加, Cmd取り込み}) w->setEnabled(open);
    mnuAdd->setEnabled(open);
    mnuImport->setEnabled(open);
    ShowSummary();
    ShowBook();
}

void 購入番号::ShowSummary() {
    const int scope = Cmb集計->currentIndex();
    std::vector<PurchasedTicket> chosen;
    for (const PurchasedTicket& t : tickets_) {
        if (scope != kSelected || t.id == selected_) chosen.push_back(t);
    }
    const int draw = Spin回->value();
    const auto keep = [&](int n) { return scope != kOneDraw || n == draw; };
    const TicketSummary sum =
        SummariseTickets(std::span<const PurchasedTicket>(chosen), ledger_.draws, keep);
    std::string label = "すべて";
    if (scope == kSelected) label = selected_ ? "番号 " + std::to_string(selected_) : "選択なし";
    if (scope == kOneDraw) label = "第" + std::to_string(draw) + "回";
    WriteTicketSummaryGrid(sum, label, summary_);
    fpSpread2->SetGrid(&summary_);
    fpSpread2->setFixedHeight(fpSpread2->sizeHint().height());
    ShowBalance();
}

// The 収支 band of every ticket, the selected one and the draw of Spin回.
void 購入番号::ShowBalance() {
    const std::span<const PurchasedTicket> book(tickets_);
    const auto all = [](int) { return true; };
    const int draw = Spin回->value();
    std::vector<PurchasedTicket> chosen;
    for (const PurchasedTicket& t : tickets_)
        if (t.id == selected_) chosen.push_back(t);
    const std::vector<NamedSummary> rows = {
        {"すべて", SummariseTickets(book, ledger_.draws, all, ledger_.prizes)},
        {selected_ ? "番号 " + std::to_string(selected_) : "選択なし",
         SummariseTickets(std::span<const PurchasedTicket>(chosen), ledger_.draws, all,
                          ledger_.prizes)},
        {"第" + std::to_string(draw) + "回",
         SummariseTickets(
             book, ledger_.draws, [draw](int n) { return n == draw; }, ledger_.prizes)}};
    WriteTicketBalanceGrid(rows, balance_);
    fpSpread3->SetGrid(&balance_);
    fpSpread3->setFixedHeight(fpSpread3->sizeHint().height());
}

// What the whole book comes to, whatever the bands sum: the worth of the
// units bought for the next draw, the 年別 table and the chart.
void 購入番号::ShowBook() {
    const std::span<const PurchasedTicket> book(tickets_);
    const int latest = Host().Snapshot().LatestDrawNumber;
    long long nextUnits = 0;
    for (const PurchasedTicket& t : tickets_)
        if (t.Covers(latest + 1)) nextUnits += t.units;
    QString worth = QString::fromStdString(
        TicketWorthText(nextUnits, latest + 1, ledger_.prizes.CarryOver(latest)));
    if (nextUnits > 0) worth.prepend(QStringLiteral("第%1回の購入番号：").arg(latest + 1));
    Label期待値->setText(worth);

    WriteTicketYearGrid(BalanceByYear(book, ledger_.draws, ledger_.prizes, ledger_.yearOfDraw),
                        years_);
    fpSpread4->SetGrid(&years_);
    running_ = RunningBalance(book, ledger_.draws, ledger_.prizes);
    if (Chart1) Chart1->Show(running_);
}

void 購入番号::ShowChartTab() {
    if (Chart1) return;
    QWidget* page = Tab下->widget(1);
    Chart1 = new BalanceChart(page);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Chart1);
    Chart1->Show(running_);
}

const PurchasedTicket* 購入番号::Find(std::int64_t id) const {
    const auto found = std::find_if(tickets_.begin(), tickets_.end(),
                                    [id](const PurchasedTicket& t) { return t.id == id; });
    return found == tickets_.end() ? nullptr : &*found;
}

void 購入番号::SelectTicket(std::int64_t id) {
    selected_ = Find(id) ? id : 0;
    Present();
}

void 購入番号::SelectRow(int gridRow) {
    if (gridRow < 0 || gridRow >= static_cast<int>(idOfRow_.size())) return;
    SelectTicket(idOfRow_[static_cast<std::size_t>(gridRow)]);
}

// A click on a row selects its ticket; a double click changes it.
bool 購入番号::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fpSpread1->viewport() && (event->type() == QEvent::MouseButtonPress ||
                                             event->type() == QEvent::MouseButtonDblClick)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint cell = fpSpread1->CellAt(mouse->position().toPoint());
        if (cell.y() > 1) SelectRow(cell.y());
        if (event->type() == QEvent::MouseButtonDblClick && selected_ != 0) {
            QTimer::singleShot(0, this, [this] { mnuChange_Click(); });
        }
    }
    return ChildWindow::eventFilter(watched, event);
}

bool 購入番号::Store(const std::function<void()>& change) {
    try {
        change();
    } catch (...) {
        ShowMessage(this, QString::fromStdString(MessageOfCurrentException()));
        Recompute();
        return false;
    }
    tickets_ = book_->List();
    return true;
}

void 購入番号::Remember(UndoStep step) {
    undo_.push_back(std::move(step));
    mnuUndo->setEnabled(true);
}

void 購入番号::mnuAdd_Click() {
    if (!book_) return;
    TicketDialog dialog(this, QStringLiteral("購入番号の追加"));
    const int next = Host().Snapshot().LatestDrawNumber + 1;
    dialog.SetDraws(next, next);
    if (dialog.exec() != QDialog::Accepted) return;
    std::vector<PurchasedTicket> added{dialog.Result()};
    if (!Store([&] { book_->Add(added); })) return;
    Remember({UndoStep::Kind::Added, added});
    selected_ = added.front().id;
    Present();
}

void 購入番号::mnuChange_Click() {
    const PurchasedTicket* found = Find(selected_);
    if (!found || !book_) return;
    const PurchasedTicket before = *found;
    TicketDialog dialog(this, QStringLiteral("購入番号の変更"));
    dialog.SetTicket(before);
    if (dialog.exec() != QDialog::Accepted) return;
    PurchasedTicket after = dialog.Result();
    after.id = before.id;
    after.added = before.added;
    if (after == before) return;
    if (!AskYesNo(this,
                  QStringLiteral("選択された購入番号を変更します。よろしいですか？\n変更前：") +
                      TicketText(before) + QStringLiteral("\n変更後：") + TicketText(after))) {
        return;
    }
    if (!Store([&] { book_->Update(after); })) return;
    Remember({UndoStep::Kind::Changed, {before}});
    Present();
}

void 購入番号::mnuDelete_Click() {
    const PurchasedTicket* found = Find(selected_);
    if (!found || !book_) return;
    const PurchasedTicket before = *found;
    if (!AskYesNo(this, QStringLiteral("選択された購入番号を削除します。よろしいですか？\n") +
                            TicketText(before))) {
        return;
    }
    if (!Store([&] { book_->Delete(before.id); })) return;
    Remember({UndoStep::Kind::Deleted, {before}});
    selected_ = 0;
    Present();
}

// Takes back the last addition, change or deletion of this window.
void 購入番号::mnuUndo_Click() {
    if (undo_.empty() || !book_) return;
    const UndoStep step = undo_.back();
    undo_.pop_back();
    mnuUndo->setEnabled(!undo_.empty());
    Store([&] {
        switch (step.kind) {
            case UndoStep::Kind::Added: {
                std::vector<std::int64_t> ids;
                for (const PurchasedTicket& t : step.tickets) ids.push_back(t.id);
                book_->Delete(ids);
                break;
            }
            case UndoStep::Kind::Changed:
                book_->Update(step.tickets.front());
                break;
            case UndoStep::Kind::Deleted:
                book_->Restore(step.tickets.front());
                break;
        }
    });
    if (step.kind != UndoStep::Kind::Added) selected_ = step.tickets.front().id;
    Present();
}

void 購入番号::mnuImport_Click() {
    if (!book_) return;
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("取り込む購入番号のCSVファイル"), QString(),
        QStringLiteral("CSVファイル (*.csv *.CSV);;すべてのファイル (*)"), nullptr,
        QFileDialog::DontUseNativeDialog);
    if (!file.isEmpty()) ImportFile(file);
}

void 購入番号::ImportFile(const QString& file) {
    if (!book_) return;
    std::vector<PurchasedTicket> added;
    if (!Store([&] {
            Hourglass hourglass;
            added = ParseTicketCsv(ReadBoundedFile(file.toStdString(), kMaxCsvBytes, "CSVファイル"),
                                   file.toStdString());
            book_->Add(added);
        })) {
        return;
    }
    Remember({UndoStep::Kind::Added, added});
    Present();
    ShowMessage(this, QStringLiteral("購入番号を%1件登録しました。").arg(added.size()),
                QMessageBox::Information, QApplication::applicationName());
}

GridDocument 購入番号::Document() const {
    GridDocument document;
    document.caption = QString::fromUtf8(kTicketWindowName);
    document.drawRange = DrawRangeText(Host().Snapshot().Draws);
    document.parts.push_back({QStringLiteral("集計"), &summary_, fpSpread2->Geometry()});
    document.parts.push_back({QStringLiteral("収支"), &balance_, fpSpread3->Geometry()});
    document.parts.push_back({QStringLiteral("年別の収支"), &years_, fpSpread4->Geometry()});
    document.parts.push_back({QString(), &grid_, fpSpread1->Geometry()});
    document.csv = {{kTicketGridName, &grid_},
                    {kTicketSummaryGridName, &summary_},
                    {kTicketBalanceGridName, &balance_},
                    {kTicketYearGridName, &years_}};
    // The chart, once it has been looked at, prints after the tables.
    AddChartPicture(document, Chart1);
    return document;
}
