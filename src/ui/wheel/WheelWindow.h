#pragma once

#include <optional>
#include <vector>

#include "grid/GridDocument.h"
#include "ui/ChildWindow.h"
#include "ui/wheel/PredictionRows.h"
#include "ui/wheel/WheelPad.h"
#include "ui/wheel/WheelSearchTask.h"
#include "wheel/WheelGrid.h"
#include "wheel/WheelReport.h"

class GridOutput;
class GridView;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QHBoxLayout;
class QPushButton;
class QSpinBox;
class QToolButton;

// The window's object name and caption.
inline constexpr const char* kWheelWindowName = "ホイール";

// ホイール: the user chooses numbers on a 1–37 pad (and marks key numbers),
// or takes them from a row of the prediction window, chooses the guarantee
// "t if m" and the time to search, and 作成 makes the smallest set of tickets
// the search finds, proved case by case.  The search runs in a worker with
// progress; 中止 keeps the best set found so far.  The tickets show each
// chosen number on its own colour; the figures, the verified guarantee table
// and the tier chances beside as many random tickets show under them.
// 印刷 and each grid's right-click menu print and save them; 購入番号に追加
// offers the tickets to the ticket book when the main window has one.
class WheelWindow : public ChildWindow {
  public:
    explicit WheelWindow(ChildHost& host, QWidget* parent = nullptr);
    ~WheelWindow() override;

    void Cmd作成_Click();
    void Cmd中止_Click();
    void Cmd取込_Click();
    void Cmd追加_Click();
    // Toggles a number on the pad: chosen or not, or, with キー on, key or not.
    void PadClick(int number);

    // Shows a finished search.  A report whose guarantee did not pass its
    // check is never shown as a wheel: the message says so instead.
    void ShowOutcome(const WorkOutcome<WheelReport>& outcome);

    std::vector<int> ChosenNumbers() const;
    std::vector<int> KeyNumbers() const;
    bool Running() const { return search_.Running(); }
    const std::optional<WheelReport>& Report() const { return report_; }
    const WheelGrids& Grids() const { return grids_; }
    GridDocument Document() const;
    GridOutput* Output() const { return output_; }

    WheelPad* Pad = nullptr;         // the numbers 1 … 37
    QToolButton* Chkキー = nullptr;  // on: the pad marks key numbers
    QPushButton* Cmdクリア = nullptr;
    QComboBox* Cbo予想 = nullptr;  // the prediction rows
    QPushButton* Cmd取込 = nullptr;
    QSpinBox* SpinT = nullptr;
    QSpinBox* SpinM = nullptr;
    QDoubleSpinBox* Spin秒 = nullptr;
    QSpinBox* Spinシード = nullptr;
    QPushButton* Cmd作成 = nullptr;
    QPushButton* Cmd中止 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label選択 = nullptr;  // what is chosen
    QLabel* Label状態 = nullptr;  // what the last search did
    QPushButton* Cmd追加 = nullptr;
    QPushButton* Cmd印刷 = nullptr;
    QPushButton* Cmd閉じる = nullptr;
    GridView* Grid購入 = nullptr;
    GridView* Grid数値 = nullptr;
    GridView* Grid保証 = nullptr;
    GridView* Grid確率 = nullptr;

  protected:
    // Reads the rows of the prediction window's grids for 取り込み.
    void Compute() override;
    void Present() override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // The window's parts, made in this order, which Tab follows; the pad is
    // made last, while the choice row is laid out.
    void MakeCommandButtons();
    void MakeChoiceControls();
    void MakeSearchControls();
    void MakeResultGrids();
    // The window's rows of parts, top to bottom.
    QHBoxLayout* LayOutCommands(QWidget* intro);
    QHBoxLayout* LayOutChoice();
    QHBoxLayout* LayOutResults();

    // The pad's colours and the line saying what is chosen.
    void ShowPadState();
    // The chosen numbers changed: the old result no longer belongs to them.
    void ClearResult();
    void SetRunning(bool running);
    void ShowGrids();

    std::vector<PredictionRow> rows_;
    std::optional<WheelReport> report_;
    WheelGrids grids_;
    GridOutput* output_ = nullptr;
    BackgroundWork<WheelReport> search_;
};
