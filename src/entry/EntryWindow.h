#pragma once

#include <QModelIndex>
#include <QPoint>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

#include "ui/ChildWindow.h"

class ChildHost;
class DrawEntryModel;
class QAction;
class QLabel;
class QMdiSubWindow;
class QMenu;
class QPushButton;
class QTableView;

// The winning-data entry window: a grid bound to the rows of the stored
// query, where draws are typed, inserted and deleted; every change reaches
// the database at once, a change to a complete stored draw after a yes.
// Opening it clears the main window's propEnd and closing it sets propEnd
// again; when it wrote to the database the main window reads its snapshot
// again.  Its edit menu is the window's menu, shown
// in the main menu bar while it is active, and pops up on a right click of a
// row heading.
class 当選データ入力 : public ChildWindow {
  public:
    explicit 当選データ入力(ChildHost& host, QWidget* parent = nullptr);

    QMenu* Menu() const override { return mnuEdit; }
    // Runs the close check; closes the window only when every cell passes.
    void Command1_Click();
    void mnuAddLine_Click();
    void mnuDelLine_Click();
    // 元に戻す / やり直し: the last stored change written back, or again.
    void mnuUndo_Click();
    void mnuRedo_Click();
    // 結果の貼り付け (Ctrl+V while no cell is being edited): the clipboard's
    // results previewed and, once registered, shown in the grid.
    void mnuPaste_Click();
    // 当選金額: the prize lines of the active row's draw.
    void mnuPrizes_Click();
    // A right click on the grid (click kind, column and row counted from 1,
    // 0 for the headings): on a row heading of a stored row, while the
    // selection covers exactly one row, the edit menu pops up at globalPos.
    void fpSpread1_RightClick(int clickType, int column, int row, QPoint globalPos);

    DrawEntryModel* Model() const { return model_; }

    QLabel* Label1 = nullptr;
    QTableView* fpSpread1 = nullptr;
    QPushButton* Command1 = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuAddLine = nullptr;
    QAction* mnuDelLine = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QAction* mnuPaste = nullptr;
    QAction* mnuPrizes = nullptr;

  protected:
    // The record set is opened and bound to the grid, then the grid set up;
    // without its rows the window has nothing to edit and closes again.
    void Compute() override;
    void Present() override;
    void LoadFailed() override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildEditMenu();
    void PlaceControls();
    void SetColumnWidths();
    void FitHeadingWords();
    bool SelectionSpansOneRow() const;
    int SelectedRow() const;
    int EditRow() const;
    void QueueMessage(const QModelIndex& cell, const QString& text);
    bool ShowQueuedMessages();
    void QueueQuestion(const QString& question, std::function<void()> write);
    void AskQueuedQuestions();
    // The cell being edited is committed and its question answered.
    void FinishPendingEdit();
    void GoTo(const QModelIndex& cell);
    // Reads the draws again after another connection wrote to the file; the
    // undo history starts again from here.
    void ReadRecordsAgain();
    void MakeModel();

    struct Question {
        QString text;
        std::function<void()> write;
    };

    DrawEntryModel* model_ = nullptr;
    QStringList queued_;
    std::vector<Question> questions_;
    bool writeReported_ = false;
    bool pasted_ = false;  // a paste stored draws: the snapshot is read again on closing
};
