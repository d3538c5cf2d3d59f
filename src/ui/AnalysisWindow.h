#pragma once

#include <QWidget>
#include <functional>

#include "analysis/AnalysisCatalog.h"
#include "ui/ChildWindow.h"
#include "ui/GridView.h"

class QLabel;
class QPushButton;

// The frame every analysis window shares: caption, one-line description
// Label1, the result grid fpSpread1, Command1 "閉じる" and, where the window
// has it, the unusable Command2 "印刷".  The analysis is computed once in
// Form_Load; the window then only shows its grid until it is closed.
class AnalysisWindow : public QWidget, public ChildWindow {
public:
    using PropEndSetter = std::function<void(bool)>;

    AnalysisWindow(const AnalysisInfo& info, const GlobalBas& globals, PropEndSetter setPropEnd,
                   QWidget* parent = nullptr);

    // Hourglass, pending events (where the window lets them run), propEnd,
    // placement of frame (the child window holding this one) at the top-left
    // corner with the table's size, the build, pointer back.
    void Form_Load(QWidget* frame) override;
    void Command1_Click();
    void Form_Unload();

    const AnalysisInfo& Info() const { return info_; }
    const ResultGrid& Grid() const { return grid_; }

    QLabel* Label1 = nullptr;
    GridView* fpSpread1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;  // null where the window has none

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void RunBuild();
    void PlaceControls();

    const AnalysisInfo& info_;
    const GlobalBas& globals_;
    PropEndSetter setPropEnd_;
    ResultGrid grid_;
    QWidget* legend_ = nullptr;
    bool unloaded_ = false;
};
