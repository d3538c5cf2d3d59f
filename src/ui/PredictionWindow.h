#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <vector>

#include "grid/GridDocument.h"
#include "grid/GridView.h"
#include "prediction/PredictionModel.h"
#include "ui/ChildWindow.h"

class CaptionFrame;
class GridOutput;
class QAction;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// 一発カゾリア予想: the twelve reflect options on the left, the four
// prediction grids on the right.  The flags and working tables live in the
// model, which outlives the window; an option click recomputes at once.
// 印刷 prints the four grids under their labels with the twelve options; the
// grids' right-click menu also saves them as CSV, image or PDF.
class 一発カゾリア予想 : public ChildWindow {
  public:
    一発カゾリア予想(ChildHost& host, PredictionModel& model, QWidget* parent = nullptr);

    void Cmd閉じる_Click();
    void Command2_Click();
    // What 印刷 and the grids' menu print and save.
    GridDocument Document() const;
    GridOutput* Output() const { return output_; }
    void Opt反映する_Click(int index);
    void Opt反映しない_Click(int index);

    QGroupBox* Frame3 = nullptr;
    QLabel* Label15 = nullptr;
    std::array<CaptionFrame*, ReflectOptions::kCount> Frames{};  // Frame4 … Frame15
    std::array<QRadioButton*, ReflectOptions::kCount> Opt反映する{};
    std::array<QRadioButton*, ReflectOptions::kCount> Opt反映しない{};
    QGroupBox* Frame2 = nullptr;
    QLabel* Label19 = nullptr;
    std::array<QLabel*, kPredictionGridCount> GridLabels{};  // Label1 … Label4
    std::array<GridView*, kPredictionGridCount> fpSpread1{};
    QPushButton* Command2 = nullptr;
    QPushButton* Cmd閉じる = nullptr;
    // 「購入番号に追加」 in the grids' right-click menu: offers the numbers of
    // the row right-clicked to the ticket book.
    QAction* mnuAddTickets = nullptr;

    // The numbers 1 … 37 of a grid row (columns 2 onwards), at most seven;
    // empty for a row without numbers or with more than seven.
    std::vector<int> RowNumbers(int grid, int row) const;
    // What a right-click on that row of that grid offers.
    void PrepareRowMenu(int grid, int row);

  protected:
    // The option buttons from the flags, then the model loaded from the
    // snapshot; a note of the model (draws it cannot hold) is shown.
    void Compute() override;
    void Present() override;

  private:
    void CreateOptionFrames();
    void CreateGrids();
    void PlaceGrids();
    void SetOptionButtons();
    bool eventFilter(QObject* watched, QEvent* event) override;

    PredictionModel& model_;
    QString drawRange_;  // of the draws the model was loaded from
    GridOutput* output_ = nullptr;
    std::vector<int> clickedRow_;  // the numbers the right-click menu offers
};
