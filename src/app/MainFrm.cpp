#include "app/MainFrm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <tuple>

#include "analysis/RandomnessGrid.h"
#include "app/DataFolder.h"
#include "app/FocusReturn.h"
#include "app/FrameLayout.h"
#include "app/HelpFile.h"
#include "core/CurrentException.h"
#include "core/QtConversions.h"
#include "core/TicketText.h"
#include "data/CsvImport.h"
#include "data/DrawStoreLoader.h"
#include "data/TicketStore.h"
#include "entry/EntryWindow.h"
#include "entry/TicketWindow.h"
#include "ui/AboutWindow.h"
#include "ui/AnalysisWindow.h"
#include "ui/BacktestWindow.h"
#include "ui/ChildWindow.h"
#include "ui/FilterWindow.h"
#include "ui/HelpViewer.h"
#include "ui/Messages.h"
#include "ui/PredictionWindow.h"
#include "ui/QuickCheckWindow.h"
#include "ui/RandomnessWindow.h"
#include "ui/TicketDialog.h"
#include "ui/WheelWindow.h"

namespace {

const QString kHelpKeyword = QStringLiteral("ロト7カゾリアLiteについて");
// The client size the main window opens at where the screen has room.
constexpr QSize kWantedClientSize(1280, 960);
// Room a window manager's frame takes before the real frame is known.
constexpr QMargins kFrameAllowance(4, 30, 4, 4);
// A tiled window keeps at least this much: its title bar and a few rows of
// its grid.
constexpr int kTileMinimumWidth = 200;
constexpr int kTileMinimumHeight = 120;
constexpr int kReadableHeight = 96;

}  // namespace

MainFrm::MainFrm(GlobalBas& globals, std::string databasePath, QWidget* parent)
    : QMainWindow(parent), globals_(globals), databasePath_(std::move(databasePath)) {
    setObjectName("MainFrm");
    setWindowTitle(QStringLiteral("ロト7カゾリアLite"));
    mdi_ = new QMdiArea(this);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    BuildMenus();
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] { UpdateMenus(); });
    PlaceOnScreen(kFrameAllowance);
    new FocusReturnWatcher(this, [this] { OnFocusReturned(); });
}

MainFrm::~MainFrm() {
    // Child windows must not reach back into a half-destroyed main window.
    for (QMdiSubWindow* child : mdi_->subWindowList()) delete child;
}

void MainFrm::Form_Load(std::future<GlobalBas> drawsAhead) {
    for (const std::string& note : prediction_.Options().ReadInitFile()) {
        ShowMessage(this, QString::fromStdString(note), QMessageBox::Warning);
    }
    Hourglass hourglass;
    QApplication::processEvents();
    propEnd_ = true;
    if (drawsAhead.valid()) {
        globals_ = drawsAhead.get();
    } else {
        OpenDrawStore(globals_, databasePath_);
    }
}

QMenu* MainFrm::AddMenu(QMenu* parent, const QString& caption, const QString& name) {
    QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QAction* MainFrm::AddCommand(QWidget* menu, const QString& caption, const QString& name,
                             std::function<void()> handler) {
    auto* action = new QAction(caption, menu);
    action->setObjectName(name);
    menu->addAction(action);
    if (handler) {
        connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    } else {
        action->setEnabled(false);
    }
    commands_[name] = action;
    return action;
}

void MainFrm::AddAnalysisCommand(QMenu* menu, const QString& caption, const QString& command) {
    for (const AnalysisInfo& info : AnalysisCatalog()) {
        if (FromView(info.menuCommand) != command) continue;
        const QString window = FromView(info.name);
        QAction* action =
            AddCommand(menu, caption, command, [this, window] { OpenAnalysis(window); });
        // A window not built yet keeps its place in the menu, greyed.
        action->setEnabled(info.build != nullptr);
        return;
    }
}

void MainFrm::BuildMenus() {
    QMenuBar* bar = menuBar();
    AddCommand(bar, QStringLiteral("終了(&X)"), "mnuEnd", [this] { mnuEnd_Click(); });
    AddCommand(bar, QStringLiteral("一発カゾリア予想(&K)"), "mnuYoso", [this] { mnuYoso_Click(); });

    QMenu* analyses = AddMenu(nullptr, QStringLiteral("データ分析(&S)"), "mnuMain");
    QMenu* frequency = AddMenu(analyses, QStringLiteral("頻度分析"), "mnuHindo");
    AddAnalysisCommand(frequency, QStringLiteral("出現頻度分析"), "mnuSyutugenHindo");
    AddAnalysisCommand(frequency, QStringLiteral("回数別出現分析"), "mnuSyutugenKaisu");
    QMenu* interval = AddMenu(analyses, QStringLiteral("間隔分析"), "mnuKankaku");
    AddAnalysisCommand(interval, QStringLiteral("出現間隔分析"), "mnuSyutugenKankaku");
    AddAnalysisCommand(interval, QStringLiteral("数字間隔分析"), "mnuNumberKankaku");
    AddAnalysisCommand(analyses, QStringLiteral("出現回数分析"), "mnuZenkaiSyutugen");
    AddAnalysisCommand(analyses, QStringLiteral("バラツキ分析"), "mnuBaratsuki");
    AddAnalysisCommand(analyses, QStringLiteral("引っ張り分析"), "mnuHippari");
    AddAnalysisCommand(analyses, QStringLiteral("連番・飛び石分析"), "mnuRenbanTobiishi");
    AddAnalysisCommand(analyses, QStringLiteral("数字合計分析"), "mnuHonsuji");
    QMenu* pattern = AddMenu(analyses, QStringLiteral("組合せパターン分析"), "mnuPattern");
    AddAnalysisCommand(pattern, QStringLiteral("低数字・高数字の組合せパターン分析"),
                       "mnuLowHightPattern");
    AddAnalysisCommand(pattern, QStringLiteral("偶数・奇数の組合せパターン分析"),
                       "mnuKisuGusuPattern");
    AddAnalysisCommand(analyses, QStringLiteral("5分割傾向分析"), "mnu5BunkatsuKeiko");
    QMenu* groups = AddMenu(analyses, QStringLiteral("分割データ分析"), "mnuBunkatsuData");
    AddAnalysisCommand(groups, QStringLiteral("6分割データ分析"), "mnu6BunkatsuData");
    AddAnalysisCommand(groups, QStringLiteral("7分割データ分析"), "mnu7BunkatsuData");
    AddAnalysisCommand(groups, QStringLiteral("11分割データ分析"), "mnu11BunkatsuData");
    AddAnalysisCommand(analyses, QStringLiteral("下一桁出現傾向分析"), "mnuLastChar");
    AddAnalysisCommand(analyses, QStringLiteral("下一桁連続出現回数分析"), "mnuLastCharRenzoku");
    analyses->addSeparator();
    AddCommand(analyses, QStringLiteral("乱数性の検定"), "mnuRansuKentei",
               [this] { mnuRansuKentei_Click(); });
    AddCommand(analyses, QStringLiteral("絞り込み"), "mnuShiborikomi",
               [this] { mnuShiborikomi_Click(); });
    AddCommand(analyses, QStringLiteral("ホイール"), "mnuWheel", [this] { mnuWheel_Click(); });
    AddCommand(analyses, QStringLiteral("予想の検証"), "mnuYosoKensho",
               [this] { mnuYosoKensho_Click(); });

    QMenu* dataMenu = AddMenu(nullptr, QStringLiteral("データ管理(&M)"), "mnuHosyu");
    AddCommand(dataMenu, QStringLiteral("当選データ入力(&I)"), "mnuMasterInput",
               [this] { mnuMasterInput_Click(); });
    AddCommand(dataMenu, QStringLiteral("購入番号(&T)"), "mnuTickets",
               [this] { mnuTickets_Click(); });
    AddCommand(dataMenu, QStringLiteral("当選番号チェック(&Q)"), "mnuQuickCheck",
               [this] { mnuQuickCheck_Click(); });
    AddCommand(dataMenu, QStringLiteral("当選データ保守(&D)"), "mnuMasterKanri", {});
    AddCommand(dataMenu, QStringLiteral("CSVファイルから取り込み(&C)..."), "mnuImportCsv",
               [this] { mnuImportCsv_Click(); });

    QMenu* window = AddMenu(nullptr, QStringLiteral("ウィンドウ(&W)"), "mnuWindow");
    windowMenu_ = window;
    AddCommand(window, QStringLiteral("上下に並べて表示(&H)"), "mnuWindowHorizontal",
               [this] { mnuWindowHorizontal_Click(); });
    AddCommand(window, QStringLiteral("左右に並べて表示(&V)"), "mnuWindowVertical",
               [this] { mnuWindowVertical_Click(); });
    AddCommand(window, QStringLiteral("重ねて表示(&C)"), "mnuWindowCascade",
               [this] { mnuWindowCascade_Click(); });
    AddCommand(window, QStringLiteral("アイコンの整列(&A)"), "mnuWindowArrangeIcon",
               [this] { mnuWindowArrangeIcon_Click(); });
    connect(window, &QMenu::aboutToShow, this, [this] { ListChildWindows(); });
    // As in other multiple-document programs: Ctrl+F4 closes the active child
    // window, Ctrl+Tab (Ctrl+F6) goes to the next one and Ctrl+Shift+Tab
    // (Ctrl+Shift+F6) to the previous one.
    const auto shortcut = [this](const QString& name, const QList<QKeySequence>& keys,
                                 auto handler) {
        auto* action = new QAction(this);
        action->setObjectName(name);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
    };
    shortcut("actCloseChild", {QKeySequence(Qt::CTRL | Qt::Key_F4)},
             [this] { mdi_->closeActiveSubWindow(); });
    shortcut("actNextChild",
             {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_F6)},
             [this] { mdi_->activateNextSubWindow(); });
    shortcut("actPreviousChild",
             {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6)},
             [this] { mdi_->activatePreviousSubWindow(); });

    QMenu* help = AddMenu(nullptr, QStringLiteral("ヘルプ(&H)"), "mnuHelp");
    AddCommand(help, QStringLiteral("ヘルプ(&H)"), "mnuHelpFile", [this] { mnuHelpFile_Click(); });
    AddCommand(help, QStringLiteral("バージョン情報(&A)"), "mnuAbout",
               [this] { mnuAbout_Click(); });
}

QAction* MainFrm::Command(const QString& name) const {
    const auto found = commands_.find(name);
    return found == commands_.end() ? nullptr : found->second;
}

QMdiSubWindow* MainFrm::FindChildWindow(const QString& name) const {
    for (QMdiSubWindow* child : mdi_->subWindowList()) {
        if (child->widget() && child->widget()->objectName() == name) return child;
    }
    return nullptr;
}

QMdiSubWindow* MainFrm::OpenChild(const QString& name, const ChildFactory& factory) {
    Hourglass hourglass;
    QApplication::processEvents();
    if (QMdiSubWindow* open = FindChildWindow(name)) {
        if (open->isMinimized()) open->showNormal();
        mdi_->setActiveSubWindow(open);
        open->raise();
        return open;
    }
    ChildWindow* content = factory(*this);
    // The frame fits its title into its title bar each time it works out
    // its sizes, which it does at every change while the window is built:
    // it gets the title once the window is built, before it is shown.
    const QString caption = content->windowTitle();
    content->setWindowTitle(QString());
    QMdiSubWindow* frame = mdi_->addSubWindow(content);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    // Ctrl+F4 is the main window's command that closes the active child.
    // The frame's own 閉じる has the key too, in reach while the focus is in
    // the child; two commands on one key cancel each other out, so the
    // frame's gives it up.
    if (QMenu* menu = frame->systemMenu()) {
        const QKeySequence closeKey(Qt::CTRL | Qt::Key_F4);
        for (QAction* action : menu->actions()) {
            QList<QKeySequence> keys = action->shortcuts();
            if (keys.removeAll(closeKey) > 0) action->setShortcuts(keys);
        }
    }
    content->Form_Load(frame);
    content->setWindowTitle(caption);
    frame->show();
    FitToArea(frame);
    mdi_->setActiveSubWindow(frame);
    return frame;
}

QMdiSubWindow* MainFrm::OpenAnalysis(const QString& name) {
    const AnalysisInfo* info = FindAnalysis(name.toStdString());
    if (!info || !info->build) return nullptr;
    return OpenChild(
        name, [info](MainFrm& main) -> ChildWindow* { return new AnalysisWindow(main, *info); });
}

void MainFrm::mnuEnd_Click() { close(); }

void MainFrm::mnuYoso_Click() {
    OpenChild(QString::fromUtf8(kPredictionWindowName), [](MainFrm& main) -> ChildWindow* {
        return new 一発カゾリア予想(main, main.Prediction());
    });
}

QMdiSubWindow* MainFrm::OpenWindow(const QString& name) {
    const std::pair<QString, void (MainFrm::*)()> commands[] = {
        {QString::fromUtf8(kPredictionWindowName), &MainFrm::mnuYoso_Click},
        {QString::fromUtf8(kBacktestWindowName), &MainFrm::mnuYosoKensho_Click},
        {QString::fromUtf8(kRandomnessName), &MainFrm::mnuRansuKentei_Click},
        {QString::fromUtf8(kFilterWindowName), &MainFrm::mnuShiborikomi_Click},
        {QString::fromUtf8(kWheelWindowName), &MainFrm::mnuWheel_Click},
        {QStringLiteral("当選データ入力"), &MainFrm::mnuMasterInput_Click},
        {QString::fromUtf8(kTicketWindowName), &MainFrm::mnuTickets_Click},
        {QString::fromUtf8(kQuickCheckWindowName), &MainFrm::mnuQuickCheck_Click},
    };
    for (const auto& [window, command] : commands) {
        if (name != window) continue;
        (this->*command)();
        return FindChildWindow(name);
    }
    return OpenAnalysis(name);
}

void MainFrm::mnuRansuKentei_Click() {
    OpenChild(QString::fromUtf8(kRandomnessName),
              [](MainFrm& main) -> ChildWindow* { return new RandomnessWindow(main); });
}

void MainFrm::mnuYosoKensho_Click() {
    OpenChild(QString::fromUtf8(kBacktestWindowName),
              [](MainFrm& main) -> ChildWindow* { return new BacktestWindow(main); });
}

void MainFrm::mnuShiborikomi_Click() {
    OpenChild(QString::fromUtf8(kFilterWindowName),
              [](MainFrm& main) -> ChildWindow* { return new FilterWindow(main); });
}

void MainFrm::mnuWheel_Click() {
    OpenChild(QString::fromUtf8(kWheelWindowName),
              [](MainFrm& main) -> ChildWindow* { return new WheelWindow(main); });
}

void MainFrm::mnuMasterInput_Click() {
    if (!propEnd_) {
        ShowMessage(this, QStringLiteral("表示中のウィンドウを閉じないと実行できません。"));
        return;
    }
    OpenChild(QStringLiteral("当選データ入力"),
              [](MainFrm& main) -> ChildWindow* { return new 当選データ入力(main); });
}

void MainFrm::mnuTickets_Click() {
    OpenChild(QString::fromUtf8(kTicketWindowName),
              [](MainFrm& main) -> ChildWindow* { return new 購入番号(main); });
}

void MainFrm::mnuQuickCheck_Click() {
    OpenChild(QString::fromUtf8(kQuickCheckWindowName),
              [](MainFrm& main) -> ChildWindow* { return new 当選番号チェック(main); });
}

void MainFrm::RecheckTickets() {
    if (QMdiSubWindow* open = FindChildWindow(QString::fromUtf8(kTicketWindowName))) {
        if (auto* book = dynamic_cast<購入番号*>(open->widget())) book->Recompute();
    }
    if (QMdiSubWindow* open = FindChildWindow(QString::fromUtf8(kQuickCheckWindowName))) {
        if (auto* check = dynamic_cast<当選番号チェック*>(open->widget())) check->Recompute();
    }
}

std::vector<PurchasedTicket> MainFrm::AskTickets(QWidget* parent,
                                                 const std::vector<std::vector<int>>& rows) {
    const int next = globals_.LatestDrawNumber + 1;
    int first = next;
    int last = next;
    if (rows.size() > 1) {
        // One draw for every row, asked once.
        QString text = QString::number(next);
        for (;;) {
            bool ok = false;
            text = QInputDialog::getText(
                parent, QStringLiteral("購入番号に追加"),
                QStringLiteral("%1件の購入番号を追加します。購入する回（継続購入は 690-694）：")
                    .arg(rows.size()),
                QLineEdit::Normal, text, &ok);
            if (!ok) return {};
            try {
                std::tie(first, last) = ReadTicketDraws(text);
                break;
            } catch (const UserError& e) {
                ShowMessage(parent, QString::fromUtf8(e.what()));
            }
        }
    }
    std::vector<PurchasedTicket> tickets;
    for (const std::vector<int>& row : rows) {
        std::vector<QString> texts;
        for (int n : row) texts.push_back(QString::number(n));
        if (rows.size() > 1 && static_cast<int>(row.size()) == kTicketNumberCount) {
            try {
                PurchasedTicket t;
                t.firstDraw = first;
                t.lastDraw = last;
                t.numbers = ReadTicketNumbers(texts);
                tickets.push_back(t);
                continue;
            } catch (const UserError&) {
                // A row that does not read is shown to the user to correct.
            }
        }
        TicketDialog dialog(parent, QStringLiteral("購入番号に追加"));
        dialog.SetDraws(first, last);
        dialog.SetNumbers(row);
        if (dialog.exec() != QDialog::Accepted) return {};
        tickets.push_back(dialog.Result());
    }
    return tickets;
}

void MainFrm::AddTickets(QWidget* from, const std::vector<std::vector<int>>& rows) {
    QWidget* parent = from ? from : this;
    if (rows.empty()) return;
    std::vector<PurchasedTicket> tickets = AskTickets(parent, rows);
    if (tickets.empty()) return;
    try {
        Hourglass hourglass;
        TicketBook(globals_.DatabaseFile).Add(tickets);
    } catch (...) {
        ShowMessage(parent, QString::fromStdString(MessageOfCurrentException()));
        return;
    }
    RecheckTickets();
    ShowMessage(parent, QStringLiteral("購入番号に%1件を追加しました。").arg(tickets.size()),
                QMessageBox::Information, QApplication::applicationName());
}

// Like data entry, importing writes to the database, so it waits until no
// window that keeps data entry closed is open.
void MainFrm::mnuImportCsv_Click() {
    if (!propEnd_) {
        ShowMessage(this, QStringLiteral("表示中のウィンドウを閉じないと実行できません。"));
        return;
    }
    // Qt's own dialog, which speaks Japanese with the rest of the program
    // whatever the desktop's language.
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("取り込むCSVファイル"), QString(),
        QStringLiteral("CSVファイル (*.csv *.CSV);;すべてのファイル (*)"), nullptr,
        QFileDialog::DontUseNativeDialog);
    if (!file.isEmpty()) ImportCsvFile(file);
}

void MainFrm::ImportCsvFile(const QString& file) {
    ImportReport report;
    try {
        Hourglass hourglass;
        report = ImportCsv(file.toStdString(), databasePath_);
    } catch (...) {
        ShowMessage(this, QString::fromStdString(MessageOfCurrentException()));
        return;
    }
    if (report.added > 0 || !report.replaced.empty()) ReadSnapshotAgain();
    ShowMessage(this, QString::fromStdString(ImportReportText(report, databasePath_)),
                report.missing.empty() ? QMessageBox::Information : QMessageBox::Warning,
                QApplication::applicationName());
}

// The windows that read the snapshot keep data entry closed, so none of them
// is open here; those open are static and keep what they show.
void MainFrm::ReadSnapshotAgain() {
    GlobalBas fresh;
    try {
        Hourglass hourglass;
        OpenDrawStore(fresh, databasePath_);
    } catch (...) {
        ShowMessage(this, QString::fromStdString(MessageOfCurrentException()));
        return;
    }
    globals_ = std::move(fresh);
    RecheckTickets();  // an open ticket book shows what the new draws won
}

void MainFrm::mnuHelpFile_Click() {
    const QStringList places = HelpFilePlaces();
    const QString path = FindHelpFile(places);
    if (path.isEmpty()) {
        ShowMessage(this, HelpFileMissingText(places));
        return;
    }
    if (!help_) help_ = new HelpViewer(this);
    if (!help_->Open(path)) {
        ShowMessage(this, QStringLiteral("ヘルプファイル「%1」を読めません。")
                              .arg(QDir::toNativeSeparators(path)));
        return;
    }
    help_->ShowIndex(kHelpKeyword);
    help_->LookUpKeyword(kHelpKeyword);
    help_->show();
    help_->raise();
}

void MainFrm::mnuAbout_Click() {
    Hourglass hourglass;
    QApplication::processEvents();
    if (!about_) {
        about_ = new AboutWindow(this);
        about_->Form_Load(this);
    }
    about_->show();
    about_->raise();
}

// Tiles the shown child windows into a grid whose cells keep each window's
// title bar and a readable part of its content.
void MainFrm::TileChildren(Qt::Orientation orientation) {
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* child : mdi_->subWindowList()) {
        if (child->isVisible() && !child->isMinimized()) shown << child;
    }
    if (shown.isEmpty()) return;
    const int titleBar = shown.front()->contentsMargins().top();
    const QSize minimum(kTileMinimumWidth,
                        std::max(kTileMinimumHeight, titleBar + kReadableHeight));
    const std::vector<QRect> cells =
        TileCells(static_cast<int>(shown.size()), mdi_->viewport()->rect(), orientation, minimum);
    for (int i = 0; i < shown.size(); ++i) {
        if (shown[i]->isMaximized()) shown[i]->showNormal();
        shown[i]->setGeometry(cells[static_cast<std::size_t>(i)]);
    }
}

// The open child windows under the arrangement commands, the active one
// checked; choosing one brings it to the front.
void MainFrm::ListChildWindows() {
    for (QAction* action : childWindowActions_) {
        windowMenu_->removeAction(action);
        delete action;
    }
    childWindowActions_.clear();
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
    if (windows.isEmpty()) return;
    childWindowActions_ << windowMenu_->addSeparator();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows[i];
        const QString title = window->windowTitle();
        QAction* action =
            windowMenu_->addAction(i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(title)
                                         : QStringLiteral("%1 %2").arg(i + 1).arg(title));
        action->setCheckable(true);
        action->setChecked(window == mdi_->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, window = QPointer(window)] {
            if (!window) return;
            if (window->isMinimized()) window->showNormal();
            mdi_->setActiveSubWindow(window);
        });
        childWindowActions_ << action;
    }
}

void MainFrm::UpdateMenus() {
    QMdiSubWindow* active = mdi_->activeSubWindow();
    const auto* child = active ? dynamic_cast<ChildWindow*>(active->widget()) : nullptr;
    QMenu* wanted = child ? child->Menu() : nullptr;
    if (wanted == childMenu_) return;
    if (childMenu_) menuBar()->removeAction(childMenu_->menuAction());
    childMenu_ = wanted;
    if (wanted) menuBar()->insertAction(windowMenu_->menuAction(), wanted->menuAction());
}

void MainFrm::mnuWindowHorizontal_Click() { TileChildren(Qt::Vertical); }
void MainFrm::mnuWindowVertical_Click() { TileChildren(Qt::Horizontal); }
// Stacks the child windows from the top-left corner, each at its own size
// (as it opened, also after a tiling),
// a title bar lower and to the right of the one behind it; the active one
// comes last, on top.  The offset starts again from the corner before a
// title bar would leave the area.
void MainFrm::mnuWindowCascade_Click() {
    QMdiSubWindow* active = mdi_->activeSubWindow();
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* child : mdi_->subWindowList(QMdiArea::StackingOrder)) {
        if (child->isVisible() && !child->isMinimized() && child != active) shown << child;
    }
    if (active && active->isVisible() && !active->isMinimized()) shown << active;
    if (shown.isEmpty()) return;
    const QRect area = mdi_->viewport()->rect();
    const int step = std::max(1, shown.front()->contentsMargins().top());
    int offset = 0;
    for (QMdiSubWindow* child : shown) {
        if (child->isMaximized()) child->showNormal();
        child->resize(OwnSize(child, area));
        if (offset > 0 && (offset + step > area.height() || offset + step > area.width())) {
            offset = 0;
        }
        child->move(offset, offset);
        child->raise();
        offset += step;
    }
    if (active) mdi_->setActiveSubWindow(active);
}

// Lines the minimised child windows up along the bottom of the frame.
void MainFrm::mnuWindowArrangeIcon_Click() {
    const QRect area = mdi_->viewport()->rect();
    int x = 0;
    int y = area.bottom();
    for (QMdiSubWindow* child : mdi_->subWindowList()) {
        if (!child->isMinimized()) continue;
        const QSize size = child->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= size.height();
        }
        child->move(x, y - size.height() + 1);
        x += size.width();
    }
}

// The focus back on the main window from one of the program's own windows
// (help, About, a message) opens the prediction window or brings it to the
// front; coming back from another program does not.
void MainFrm::OnFocusReturned() {
    if (unloaded_) return;
    QTimer::singleShot(0, this, [this] {
        if (!unloaded_ && isActiveWindow() && !QApplication::activeModalWidget()) mnuYoso_Click();
    });
}

// Once shown, a child window has its own size (Qt narrows a window wider
// than the child area, which would cut grids without a horizontal scroll
// bar; the area scrolls instead), shortened to the area's height when it is
// taller: its content scrolls, and its grids keep the widths they were
// fitted to at its own size.
void MainFrm::FitToArea(QMdiSubWindow* frame) const {
    if (!isVisible() || !frame->widget()) return;
    frame->resize(OwnSize(frame, mdi_->viewport()->rect()));
}

// A child window's size in twips, shortened to the area's height as when it
// opened.
QSize MainFrm::OwnSize(const QMdiSubWindow* child, const QRect& area) {
    const QSize own = child->sizeHint();
    return {own.width(), std::min(own.height(), area.height())};
}

// At most the available part of the screen the window starts on, centred.
void MainFrm::PlaceOnScreen(const QMargins& frame) {
    const QScreen* on = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!on) {
        resize(kWantedClientSize);
        return;
    }
    setGeometry(FitMainWindow(on->availableGeometry(), kWantedClientSize, frame));
}

// Once a window manager has framed the window, its real frame replaces the
// allowance when it is larger.
void MainFrm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (placedWithFrame_ || !windowHandle()) return;
    const QMargins frame = windowHandle()->frameMargins();
    if (frame.isNull()) return;
    placedWithFrame_ = true;
    if (frame.top() > kFrameAllowance.top() || frame.left() > kFrameAllowance.left()) {
        PlaceOnScreen(frame);
    }
}

void MainFrm::closeEvent(QCloseEvent* event) {
    // The child windows close first, so that a value still being typed in
    // the entry window is stored (or asked about) like any other.
    mdi_->closeAllSubWindows();
    Form_Unload();
    event->accept();
}

// Shut-down: options written, then the snapshot released with any error
// ignored.  Nothing asks for confirmation and the database is not touched.
void MainFrm::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    try {
        prediction_.Options().WriteInitFile();
    } catch (const UserError& e) {
        optionsSaved_ = false;
        ShowMessage(this, QString::fromStdString(e.what()));
    }
    try {
        globals_.Draws.Release();
    } catch (...) {
    }
    // The window goes as soon as this returns: what the closed child
    // windows uncovered is not painted (and sent to the display) any more.
    setUpdatesEnabled(false);
    Hourglass hourglass;
    QApplication::processEvents();
}
