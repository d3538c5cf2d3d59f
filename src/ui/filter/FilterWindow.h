#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "core/ResultGrid.h"
#include "filter/FilterReport.h"
#include "grid/GridDocument.h"
#include "grid/GridView.h"
#include "ui/BackgroundWork.h"
#include "ui/ChildWindow.h"
#include "ui/filter/FilterConditionPanel.h"

class GridOutput;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;

// The window's object name and caption.
inline constexpr const char* kFilterWindowName = "絞り込み";

// 絞り込み: the filters on the left, each with the share of combinations and
// of past draws it keeps alone; on top the combinations and past draws that
// pass them all; on the right tickets drawn from the passing combinations.
// Counting all combinations runs in a worker over copies of the filters and
// the draws, restarted shortly after the last edit; drawing tickets too.
class FilterWindow : public ChildWindow {
  public:
    explicit FilterWindow(ChildHost& host, QWidget* parent = nullptr);
    ~FilterWindow() override;

    void Command1_Click();  // 閉じる
    void Command2_Click();  // 印刷
    void Cmd作成_Click();   // draws the tickets
    void Cmd追加_Click();   // 購入番号に追加
    void Cmd乱数_Click();   // a new seed

    // The filters as typed; none, with the message shown, when one cannot be read.
    std::optional<FilterConditions> ReadFilters();
    bool Counting() const { return counting_.Running(); }
    bool Generating() const { return generating_.Running(); }
    const std::optional<FilterOutcome>& Outcome() const { return outcome_; }
    const std::vector<Combination>& Tickets() const { return tickets_; }
    const ResultGrid& TicketGrid() const { return ticketGrid_; }
    GridDocument Document() const;
    GridOutput* Output() const { return output_; }

    FilterConditionPanel* Conditions = nullptr;  // the filters, a row each
    QLabel* Label1 = nullptr;                    // what the window does
    QLabel* LabelAll = nullptr;                  // what all filters keep
    QLabel* LabelProblem = nullptr;              // an input that cannot be read
    QSpinBox* Spin口数 = nullptr;
    QLineEdit* Text乱数 = nullptr;
    QRadioButton* Opt無作為 = nullptr;
    QRadioButton* Opt散らす = nullptr;
    QPushButton* Cmd作成 = nullptr;
    QPushButton* Cmd乱数 = nullptr;
    QLabel* LabelTickets = nullptr;
    GridView* fpSpread1 = nullptr;  // the tickets
    QPushButton* Cmd追加 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;

  protected:
    void Compute() override;
    void Present() override;

  private:
    QWidget* BuildTicketPanel();
    // Reads the filters, rates the past draws and restarts the count soon.
    void FiltersEdited();
    void StartCount();
    void CountFinished(WorkOutcome<CombinationCounts> outcome);
    using TicketList = std::vector<Combination>;
    void GenerateFinished(WorkOutcome<std::optional<TicketList>> outcome);
    void ShowCounts();
    void UpdateTicketButtons();
    QString WorthText(std::size_t tickets) const;

    FilterHistory history_;
    FilterConditions conditions_;
    std::optional<PastPassCounts> past_;
    std::optional<FilterOutcome> outcome_;  // the last count of conditions_
    std::vector<Combination> tickets_;
    std::optional<TicketRequest> ticketRequest_;
    ResultGrid ticketGrid_;
    QTimer* restart_ = nullptr;
    BackgroundWork<CombinationCounts> counting_;
    BackgroundWork<std::optional<TicketList>> generating_;  // none when stopped
    GridOutput* output_ = nullptr;
};
