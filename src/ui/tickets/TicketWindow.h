#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "core/PurchasedTicket.h"
#include "core/ResultGrid.h"
#include "grid/GridDocument.h"
#include "tickets/TicketCheck.h"
#include "tickets/TicketLedger.h"
#include "ui/ChildWindow.h"

class GridOutput;
class GridView;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QSpinBox;
class QTabWidget;
class BalanceChart;
class TicketBook;

inline constexpr const char* kTicketWindowName = "購入番号";

// 購入番号: the ticket book.  One grid row a ticket and draw, with the
// numbers that matched coloured, the tier won, what it cost and won in yen;
// a summary band over every ticket, the selected one or one draw; the 収支
// band of all three; what a ticket is worth; a 年別 table and a chart of
// the running balance (made when first shown).  Tickets are added (typed, from the
// 1 … 37 pad or from a CSV file), changed and deleted here; a change or a
// deletion asks first, and 元に戻す (Ctrl+Z) takes back the last step.  The
// results are computed from the host's snapshot each time the window opens
// and on Recompute.
class 購入番号 : public ChildWindow {
  public:
    explicit 購入番号(ChildHost& host, QWidget* parent = nullptr);
    ~購入番号() override;

    QMenu* Menu() const override { return mnuEdit; }

    // Reads the tickets and the host's draws again and shows them checked.
    void Recompute();
    // The ticket whose rows are selected (0: none); selecting by grid row.
    std::int64_t SelectedTicket() const { return selected_; }
    void SelectTicket(std::int64_t id);
    void SelectRow(int gridRow);
    const std::vector<PurchasedTicket>& Tickets() const { return tickets_; }
    const ResultGrid& Grid() const { return grid_; }
    const ResultGrid& SummaryGrid() const { return summary_; }
    const ResultGrid& BalanceGrid() const { return balance_; }
    const ResultGrid& YearGrid() const { return years_; }
    const std::vector<BalancePoint>& Running() const { return running_; }
    GridDocument Document() const;

    void mnuAdd_Click();
    void mnuChange_Click();
    void mnuDelete_Click();
    void mnuUndo_Click();
    void mnuImport_Click();
    // Adds the tickets of a CSV file (refused whole on a bad line).
    void ImportFile(const QString& file);

    QLabel* Label1 = nullptr;
    QPushButton* Cmd追加 = nullptr;
    QPushButton* Cmd変更 = nullptr;
    QPushButton* Cmd削除 = nullptr;
    QPushButton* Cmd取り込み = nullptr;
    QPushButton* Command2 = nullptr;  // 印刷
    QPushButton* Command1 = nullptr;  // 閉じる
    GridView* fpSpread1 = nullptr;    // the tickets
    QComboBox* Cmb集計 = nullptr;     // what the summary sums
    QSpinBox* Spin回 = nullptr;       // the draw it sums, for 回を指定
    GridView* fpSpread2 = nullptr;    // the summary band
    GridView* fpSpread3 = nullptr;    // the 収支 band
    QLabel* Label期待値 = nullptr;    // what a ticket is worth
    QTabWidget* Tab下 = nullptr;      // 年別 and the chart
    GridView* fpSpread4 = nullptr;    // the 年別 table
    BalanceChart* Chart1 = nullptr;   // made when its tab is first shown
    QMenu* mnuEdit = nullptr;
    QAction* mnuAdd = nullptr;
    QAction* mnuChange = nullptr;
    QAction* mnuDelete = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuImport = nullptr;

  protected:
    void Compute() override;
    void Present() override;
    void LoadFailed() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::vector<std::int64_t> brokenTold_;  // the broken rows already named
    struct UndoStep {
        enum class Kind { Added, Changed, Deleted } kind;
        std::vector<PurchasedTicket> tickets;  // added, or as they were before
    };

    void BuildEditMenu();
    void ShowSummary();
    void ShowBalance();
    void ShowBook();
    void ShowChartTab();
    const PurchasedTicket* Find(std::int64_t id) const;
    // Runs a change of the book; a failure is said and the book re-read.
    bool Store(const std::function<void()>& change);
    void Remember(UndoStep step);

    std::unique_ptr<TicketBook> book_;
    std::vector<PurchasedTicket> tickets_;
    TicketLedger ledger_;
    ResultGrid grid_;
    ResultGrid summary_;
    ResultGrid balance_;
    ResultGrid years_;
    std::vector<BalancePoint> running_;
    std::vector<std::int64_t> idOfRow_;
    std::int64_t selected_ = 0;
    std::vector<UndoStep> undo_;
    GridOutput* output_ = nullptr;
};

// "番号 3　第690回　1, 5, 12, 20, 28, 33, 37（2口）メモ": a ticket in questions.
QString TicketText(const PurchasedTicket& ticket);
