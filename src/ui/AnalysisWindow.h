#pragma once

#include <QString>
#include <QWidget>

#include "core/AnalysisInfo.h"
#include "grid/GridDocument.h"
#include "grid/GridView.h"
#include "ui/ChildWindow.h"

class GridOutput;
class QLabel;
class QPushButton;

// The frame every analysis window shares: caption, one-line description
// Label1, the result grid fpSpread1, Command1 "閉じる" and, where the window
// has it, Command2 "印刷" (the print preview).  The grid's right-click menu
// saves it as CSV, image or PDF, or prints it.  The analysis is computed
// once in Form_Load; the window then only shows its grid until it is closed.
class AnalysisWindow : public ChildWindow {
  public:
    AnalysisWindow(ChildHost& host, const AnalysisInfo& info, QWidget* parent = nullptr);

    void Command1_Click();
    void Command2_Click();

    const AnalysisInfo& Info() const { return info_; }
    const ResultGrid& Grid() const { return grid_; }
    // What 印刷 and the grid's menu print and save.
    GridDocument Document() const;
    GridOutput* Output() const { return output_; }

    QLabel* Label1 = nullptr;
    GridView* fpSpread1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;  // null where the window has none

  protected:
    // The build fills the grid; rows written before a stop stay.
    void Compute() override;
    void Present() override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void PlaceControls();

    const AnalysisInfo& info_;
    ResultGrid grid_;
    // The draws the grid was computed from; the window keeps showing them
    // when another program changes the file.
    QString drawRange_;
    QWidget* legend_ = nullptr;
    GridOutput* output_ = nullptr;
};
