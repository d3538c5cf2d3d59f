#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <future>
#include <map>
#include <memory>

#include "analysis/AnalysisCatalog.h"
#include "prediction/PredictionModel.h"
#include "ui/ChildHost.h"

class DataVersionWatch;
class QTimer;

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class HelpViewer;
class AboutWindow;
class ChildWindow;
struct MenuEntry;

// The main window: a multiple-document frame holding every other window,
// the menu bar, start-up and shut-down, and propEnd, the one flag that keeps
// the data-entry window closed while a blocking window is open.
class MainFrm : public QMainWindow, public ChildHost {
  public:
    MainFrm(GlobalBas& globals, std::string databasePath, QWidget* parent = nullptr);
    ~MainFrm() override;

    // Start-up: options read, hourglass, propEnd True, draw store opened and
    // statistics derived, pointer back.  Throws UserError when the database
    // cannot be used.  Given drawsAhead (OpenDrawStoreAhead, started before
    // this window was built), it takes the draw store from there instead.
    void Form_Load(std::future<GlobalBas> drawsAhead = {});

    bool propEnd() const { return propEnd_; }
    // False once shut-down could not write the options file (the user was
    // told); the program then ends with status 1.
    bool OptionsSaved() const { return optionsSaved_; }
    void setPropEnd(bool on) { propEnd_ = on; }

    // What every child window asks of the main window.
    const GlobalBas& Snapshot() const override { return globals_; }
    void SetPropEnd(bool on) override { propEnd_ = on; }
    void DrawsWritten() override { ReadSnapshotAgain(); }
    void PrizesWritten() override { NotifyChanges(); }

    // The ticket book takes rows of numbers from other windows (see
    // AddTicketsToBook); the windows that show tickets then show them anew.
    bool CanAddTickets() const override { return true; }
    void AddTickets(QWidget* from, const std::vector<std::vector<int>>& rows) override;

    QMdiArea* MdiArea() const { return mdi_; }
    // The menu command with this name (mnu…), or null.
    QAction* Command(const QString& name) const;
    // The open child window with this object name, or null.
    QMdiSubWindow* FindChildWindow(const QString& name) const;
    // The prediction window's object: its option flags (read at start-up,
    // written at the end) and working tables live as long as the program.
    PredictionModel& Prediction() { return prediction_; }
    ReflectOptions& PredictionOptions() { return prediction_.Options(); }
    const ReflectOptions& PredictionOptions() const override { return prediction_.Options(); }
    const GlobalBas& Globals() const { return globals_; }
    const std::string& DatabasePath() const { return databasePath_; }

    // Opens an analysis window by its window name, or brings it to the front.
    QMdiSubWindow* OpenAnalysis(const QString& name);
    // Opens any child window by its window name (an analysis, or a window of
    // the menu table) as its menu command does; null when no window has that
    // name or it did not open.
    QMdiSubWindow* OpenWindow(const QString& name);
    // Runs the menu command of a window of the menu table (mnuYoso, mnuWheel, …).
    void OpenMenuWindow(const char* command);

    void mnuEnd_Click();
    void mnuYoso_Click() { OpenMenuWindow("mnuYoso"); }
    void mnuMasterInput_Click() { OpenMenuWindow("mnuMasterInput"); }
    // Asks for a CSV file and imports it into the database; ImportCsvFile
    // does the import, reads the snapshot again and reports.
    void mnuImportCsv_Click();
    void ImportCsvFile(const QString& file);
    // 結果の貼り付け: the clipboard's results previewed and, once registered,
    // read into the snapshot; PasteResultsText does it for a given text.
    void mnuPasteResults_Click();
    void PasteResultsText(const QString& text);
    void mnuHelpFile_Click();
    void mnuAbout_Click();
    void mnuWindowHorizontal_Click();
    void mnuWindowVertical_Click();
    void mnuWindowCascade_Click();
    void mnuWindowArrangeIcon_Click();
    void mnuWindowCloseAll_Click();

    // Makes a child window's content; used for windows beyond the analyses.
    using ChildFactory = std::function<ChildWindow*(MainFrm&)>;
    // Loads a child window made by factory (or only brings it to the front
    // when one named name is open), inside the hourglass of a window command.
    QMdiSubWindow* OpenChild(const QString& name, const ChildFactory& factory);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // The menu bar from the menu table, and the keys that move between
    // child windows.
    void BuildMenus();
    void AddShortcuts();
    // Opens the window of a Window row of the menu table, as its command does.
    void OpenMenuEntry(const MenuEntry& entry);
    // True while no window keeps data entry closed; else says so to the user.
    bool WritingAllowed();
    QAction* AddCommand(QWidget* menu, const QString& caption, const QString& name,
                        std::function<void()> handler);
    void Form_Unload();
    // Reads the snapshot again after the database changed; on a failure the
    // old snapshot stays and the user is told (quiet: not told, as when
    // another program's change is followed; the next change tries again).
    void ReadSnapshotAgain(bool quiet = false);
    // Every half second: when another connection committed a change to the
    // file, the snapshot is read again.
    void WatchTheFile();
    void OnFocusReturned();
    void PlaceOnScreen(const QMargins& frame);
    void FitToArea(QMdiSubWindow* frame) const;
    // Shows the active child window's own menu before the window menu, and
    // no other child's.
    void UpdateMenus();
    void ListChildWindows();

    GlobalBas& globals_;
    std::string databasePath_;
    QMdiArea* mdi_ = nullptr;
    bool propEnd_ = true;
    PredictionModel prediction_;
    std::map<QString, QAction*> commands_;
    QPointer<HelpViewer> help_;
    QPointer<AboutWindow> about_;
    QMenu* windowMenu_ = nullptr;
    QList<QAction*> childWindowActions_;  // the window menu's list of windows
    std::unique_ptr<DataVersionWatch> watch_;
    QTimer* watchTimer_ = nullptr;
    QPointer<QMenu> childMenu_;  // the child menu now in the menu bar
    bool unloaded_ = false;
    bool optionsSaved_ = true;
    bool placedWithFrame_ = false;
};
