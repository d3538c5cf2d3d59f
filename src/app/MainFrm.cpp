#include "app/MainFrm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <optional>

#include "app/ChildArrangement.h"
#include "app/DataFolder.h"
#include "app/FocusReturn.h"
#include "app/FrameLayout.h"
#include "app/HelpFile.h"
#include "app/MenuTable.h"
#include "core/CurrentException.h"
#include "core/QtConversions.h"
#include "data/CsvImport.h"
#include "data/DataVersionWatch.h"
#include "data/DrawStoreLoader.h"
#include "ui/AboutWindow.h"
#include "ui/AnalysisWindow.h"
#include "ui/ChildWindow.h"
#include "ui/HelpViewer.h"
#include "ui/Messages.h"
#include "ui/paste/PasteDialog.h"
#include "ui/tickets/TicketAsking.h"

namespace {

const QString kHelpKeyword = QStringLiteral("ロト7カゾリアLiteについて");
// The client size the main window opens at where the screen has room.
constexpr QSize kWantedClientSize(1280, 960);
// Room a window manager's frame takes before the real frame is known.
constexpr QMargins kFrameAllowance(4, 30, 4, 4);

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
    WatchTheFile();
}

void MainFrm::WatchTheFile() {
    watch_ = std::make_unique<DataVersionWatch>(databasePath_);
    if (!watchTimer_) {
        watchTimer_ = new QTimer(this);
        watchTimer_->setInterval(500);
        connect(watchTimer_, &QTimer::timeout, this, [this] {
            if (watch_ && watch_->Changed()) ReadSnapshotAgain(true);
        });
    }
    watchTimer_->start();
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

void MainFrm::BuildMenus() {
    // The menu each level's rows go into; level 0 is the menu bar.
    std::vector<QWidget*> into = {menuBar()};
    for (const MenuEntry& entry : MenuTable()) {
        into.resize(static_cast<std::size_t>(entry.level) + 1);
        QWidget* parent = into.back();
        const QString name = QString::fromUtf8(entry.name);
        const QString caption = QString::fromUtf8(entry.caption);
        switch (entry.kind) {
            case MenuKind::Menu: {
                auto* bar = qobject_cast<QMenuBar*>(parent);
                QMenu* menu =
                    bar ? bar->addMenu(caption) : static_cast<QMenu*>(parent)->addMenu(caption);
                menu->setObjectName(name);
                menu->menuAction()->setObjectName(name);
                into.push_back(menu);
                if (name == QLatin1String("mnuWindow")) windowMenu_ = menu;
                break;
            }
            case MenuKind::Command:
                AddCommand(parent, caption, name,
                           [this, handler = entry.handler] { (this->*handler)(); });
                break;
            case MenuKind::Window:
                AddCommand(parent, caption, name, [this, &entry] { OpenMenuEntry(entry); });
                break;
            case MenuKind::Analysis: {
                const AnalysisInfo* info = FindAnalysisOfCommand(entry.name);
                const QString window = info ? FromView(info->name) : QString();
                QAction* action =
                    AddCommand(parent, caption, name, [this, window] { OpenAnalysis(window); });
                // A window not built yet keeps its place in the menu, greyed.
                action->setEnabled(info && info->build != nullptr);
                break;
            }
            case MenuKind::Separator:
                static_cast<QMenu*>(parent)->addSeparator();
                break;
            case MenuKind::Greyed:
                AddCommand(parent, caption, name, {});
                break;
        }
    }
    connect(windowMenu_, &QMenu::aboutToShow, this, [this] { ListChildWindows(); });
    AddShortcuts();
}

// As in other multiple-document programs: Ctrl+F4 closes the active child
// window, Ctrl+Tab (Ctrl+F6) goes to the next one and Ctrl+Shift+Tab
// (Ctrl+Shift+F6) to the previous one.
void MainFrm::AddShortcuts() {
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

QMdiSubWindow* MainFrm::OpenWindow(const QString& name) {
    if (const MenuEntry* entry = FindMenuWindowNamed(name.toUtf8().constData())) {
        OpenMenuEntry(*entry);
        return FindChildWindow(name);
    }
    return OpenAnalysis(name);
}

void MainFrm::OpenMenuWindow(const char* command) {
    if (const MenuEntry* entry = FindMenuWindow(command)) OpenMenuEntry(*entry);
}

void MainFrm::OpenMenuEntry(const MenuEntry& entry) {
    if (entry.needsPropEnd && !WritingAllowed()) return;
    OpenChild(QString::fromUtf8(entry.window), entry.make);
}

bool MainFrm::WritingAllowed() {
    if (propEnd_) return true;
    ShowMessage(this, QStringLiteral("表示中のウィンドウを閉じないと実行できません。"));
    return false;
}

void MainFrm::AddTickets(QWidget* from, const std::vector<std::vector<int>>& rows) {
    AddTicketsToBook(from ? from : this, rows, globals_.LatestDrawNumber, globals_.DatabaseFile,
                     [this] { NotifyChanges(); });
}

// Like data entry, importing writes to the database, so it waits until no
// window that keeps data entry closed is open.
void MainFrm::mnuImportCsv_Click() {
    if (!WritingAllowed()) return;
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

// Pasting writes to the database as importing does, and waits as it does.
void MainFrm::mnuPasteResults_Click() {
    if (!WritingAllowed()) return;
    const QString text = ClipboardTextForPaste(this);
    if (!text.isEmpty()) PasteResultsText(text);
}

void MainFrm::PasteResultsText(const QString& text) {
    if (PasteResults(this, databasePath_, text)) ReadSnapshotAgain();
}

// The analysis windows are static and keep what they show; the windows that
// follow the book (購入番号, 当選番号チェック) are told.
void MainFrm::ReadSnapshotAgain(bool quiet) {
    GlobalBas fresh;
    try {
        std::optional<Hourglass> hourglass;
        if (!quiet) hourglass.emplace();
        OpenDrawStore(fresh, databasePath_);
    } catch (...) {
        if (!quiet) ShowMessage(this, QString::fromStdString(MessageOfCurrentException()));
        return;
    }
    globals_ = std::move(fresh);
    NotifyChanges();  // an open ticket book shows what the new draws won
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

void MainFrm::mnuWindowHorizontal_Click() { TileChildWindows(*mdi_, Qt::Vertical); }
void MainFrm::mnuWindowVertical_Click() { TileChildWindows(*mdi_, Qt::Horizontal); }
void MainFrm::mnuWindowCascade_Click() { CascadeChildWindows(*mdi_); }
void MainFrm::mnuWindowArrangeIcon_Click() { ArrangeChildIcons(*mdi_); }

// Closes every child window as its own 閉じる would not: without the checks
// their 閉じる buttons run (data entry's number check among them).
void MainFrm::mnuWindowCloseAll_Click() { mdi_->closeAllSubWindows(); }

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
