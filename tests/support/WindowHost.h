#pragma once

#include <QMdiArea>
#include <QMdiSubWindow>
#include <string>
#include <vector>

#include "core/GlobalBas.h"
#include "prediction/ReflectOptions.h"
#include "support/TestSupport.h"
#include "ui/ChildHost.h"
#include "ui/ChildWindow.h"

// A host for tool windows without the main window: the snapshot of a
// database imported from a CSV file, a child area to hold the windows, and
// propEnd and the rows offered to the ticket book recorded.  Messages are
// recorded instead of shown.
class WindowHost : public ChildHost {
  public:
    explicit WindowHost(const std::string& csvPath);
    ~WindowHost() override;

    const GlobalBas& Snapshot() const override { return globals; }
    void SetPropEnd(bool on) override { propEnd = on; }
    const ReflectOptions& PredictionOptions() const override { return options; }
    bool CanAddTickets() const override { return true; }
    void AddTickets(QWidget*, const std::vector<std::vector<int>>& rows) override {
        offered.push_back(rows);
    }

    // Makes the window in a frame of the child area and loads it, as the
    // main window opens one.
    template <typename Window>
    Window* Open() {
        auto* window = new Window(*this);
        QMdiSubWindow* frame = area.addSubWindow(window);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        window->Form_Load(frame);
        frame->show();
        return window;
    }

    TempDir dir;
    GlobalBas globals;
    ReflectOptions options;
    QMdiArea area;
    bool propEnd = true;
    std::vector<std::vector<std::vector<int>>> offered;  // each offer's rows
};
