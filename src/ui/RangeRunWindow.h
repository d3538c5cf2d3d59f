#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <variant>

#include "core/ResultGrid.h"
#include "grid/GridDocument.h"
#include "grid/GridView.h"
#include "ui/BackgroundWork.h"
#include "ui/ChildWindow.h"
#include "ui/WindowDocuments.h"

class GridOutput;
class QLabel;
class QLayout;
class QProgressBar;
class QPushButton;
class QSpinBox;

// The frame of a window that runs long work over a chosen range of draws:
// a line saying what it does with 印刷 and 閉じる, the range (first and last
// draw), 実行, a progress bar, 中止 and a line saying what the last run did;
// below them the result table, a row choosing what the chart shows, and the
// chart.  The work runs in a worker over the window's own copy of what it
// reads: 中止 and Esc cancel it, closing or destroying the window cancels it
// and waits until the worker has returned.
class RangeRunWindow : public ChildWindow {
  public:
    // The window's own texts.
    struct Texts {
        QString description;  // the first line
        QString rangeLead;    // before the first draw: "検証する回：第"
        QString running;      // the line while a run goes on
    };

    RangeRunWindow(ChildHost& host, ChildWindowSetup setup, const Texts& texts,
                   QWidget* parent = nullptr);
    ~RangeRunWindow() override;

    void Command1_Click();
    void Command2_Click();
    virtual void Cmd実行_Click() = 0;
    void Cmd中止_Click();

    bool Running() const { return running_; }
    // Whether the run waits to be handed to a worker.
    bool RunWaiting() const { return static_cast<bool>(waitingWork_); }
    // Waits for the run that goes on, if any, and shows its result.
    void WaitForRun();
    const ResultGrid& Grid() const { return grid_; }
    // What 印刷 and the table's menu print and save.
    virtual GridDocument Document() const = 0;
    GridOutput* Output() const { return output_; }

    QLabel* Label1 = nullptr;         // what the window does
    QPushButton* Command2 = nullptr;  // 印刷, once there is a result
    QPushButton* Command1 = nullptr;  // 閉じる
    QSpinBox* Spin開始回 = nullptr;
    QSpinBox* Spin終了回 = nullptr;
    QPushButton* Cmd実行 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Cmd中止 = nullptr;
    QLabel* Label2 = nullptr;  // what the last run did, or why none ran
    GridView* fpSpread1 = nullptr;

  protected:
    // Puts the row choosing what the chart shows and the chart below the
    // table; the chart takes the height left.
    void AddChart(QLayout* chooser, QWidget* chart, int minimumHeightTwips);
    // Runs `work` in a worker (see BackgroundWork); WorkEnded follows on this
    // thread when it has returned, unless the window is closing.  The window shows the run
    // at once; a window not yet painted starts the worker once it has been
    // and the program is back in its event loop, so that neither its first
    // paint nor the windows opened with it share the processors with its
    // work.
    using Work = std::function<void(const WorkControl&)>;
    void StartWork(Work work);
    // The worker returned: finished or stopped, or failed with `failure`.
    virtual void WorkEnded(const QString& failure) = 0;
    // Whether the range boxes have draws to choose from, and whether there
    // is a result to print.
    virtual bool HasRange() const = 0;
    virtual bool HasResult() const = 0;
    // Other controls to enable or disable with a run.
    virtual void RunningChanged(bool /*running*/) {}
    // Shows grid_ in the table, as high as its rows.
    void ShowGrid();
    // What 印刷 and the table's menu print and save: the table under `name`
    // and, once there is a result, the chart after it as it is shown (its
    // lines hidden or not), as wide as the page and as high for that as it
    // is on screen.
    template <typename Chart>
    GridDocument TableAndChart(const char* name, Chart* chart, bool hasResult) const {
        GridDocument document = TableDocument(name);
        if (hasResult) AddChartPicture(document, chart);
        return document;
    }
    // Drops the run that goes on: cancels it and waits until the worker has
    // returned.
    void CancelAndWait();

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    ResultGrid grid_;

  private:
    GridDocument TableDocument(const char* name) const;
    void SetRunning(bool running);
    void RunEnded(const QString& failure);
    // Hands the work waiting for the first paint to a worker.
    void LaunchWork();
    void LaunchWhenBackInEventLoop();

    BackgroundWork<std::monostate> work_;
    Work waitingWork_;
    bool painted_ = false;
    GridOutput* output_ = nullptr;
    QString runningText_;
    bool running_ = false;
    // The draws of the run going on, and of the one the grid shows.
    QString runRange_, drawRange_;
};
