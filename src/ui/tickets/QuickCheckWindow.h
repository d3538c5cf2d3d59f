#pragma once

#include <array>
#include <optional>

#include "core/PurchasedTicket.h"
#include "core/ResultGrid.h"
#include "grid/GridDocument.h"
#include "tickets/TicketCheck.h"
#include "ui/ChildWindow.h"

class GridOutput;
class GridView;
class QLabel;
class QLineEdit;
class QPushButton;

inline constexpr const char* kQuickCheckWindowName = "当選番号チェック";

// 当選番号チェック: seven typed numbers checked against every stored draw at
// once: how many times each tier was won over the history beside a random
// ticket's expected times, and the draws won 4等 or better.  What cannot be
// read yet is said under the fields.  印刷 and the grids' menu print and
// save the tables.
class 当選番号チェック : public ChildWindow {
  public:
    explicit 当選番号チェック(ChildHost& host, QWidget* parent = nullptr);

    // Reads the draws of the host's snapshot again and checks anew (after
    // draws were entered or imported).
    void Recompute();
    void SetNumbers(const std::array<int, kTicketNumberCount>& numbers);

    const std::optional<QuickCheckResult>& Result() const { return result_; }
    GridDocument Document() const;

    QLabel* Label1 = nullptr;
    std::array<QLineEdit*, kTicketNumberCount> EditNumbers{};
    QLabel* Label2 = nullptr;         // the verdict, or what is wrong with the fields
    QLabel* Label期待値 = nullptr;    // what one unit of the next draw is worth
    GridView* fpSpread1 = nullptr;    // per tier
    GridView* fpSpread2 = nullptr;    // 4等 or better
    QPushButton* Command2 = nullptr;  // 印刷
    QPushButton* Command1 = nullptr;  // 閉じる

  protected:
    void Compute() override;
    void Present() override;

  private:
    void Check();

    DrawMasks draws_;
    std::optional<std::array<int, kTicketNumberCount>> numbers_;
    std::optional<QuickCheckResult> result_;
    ResultGrid tierGrid_;
    ResultGrid winGrid_;
    GridOutput* output_ = nullptr;
};
