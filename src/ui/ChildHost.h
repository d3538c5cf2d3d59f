#pragma once

#include <QPointer>
#include <functional>
#include <utility>
#include <vector>

#include "prediction/ReflectOptions.h"

class QObject;
class QWidget;

struct GlobalBas;

// What a child window needs of the main window that holds it.  The host
// also places the active child's own menu (ChildWindow::Menu) in its menu
// bar while that child is active; the child never edits the menu bar.
class ChildHost {
  public:
    virtual ~ChildHost() = default;

    // The start-up snapshot every window reads.
    virtual const GlobalBas& Snapshot() const = 0;
    // propEnd: true while no window that keeps data entry closed is open.
    virtual void SetPropEnd(bool on) = 0;
    // A child window wrote to the database: the snapshot is read again, so
    // that the windows opened from now on see the change.
    virtual void DrawsWritten() {}
    // A child window wrote prize lines (which the snapshot does not hold):
    // the windows that show money are told at once.
    virtual void PrizesWritten() {}
    // The twelve reflect flags the prediction window now uses.
    virtual const ReflectOptions& PredictionOptions() const = 0;

    // Calls `changed` each time the snapshot has been read again or the
    // ticket book written, as long as `listener` lives: a window that shows
    // what those hold shows it anew.
    void ListenForChanges(QObject* listener, std::function<void()> changed);

    // Offers rows of up to seven numbers (ascending, 1 to 37) to the ticket
    // book, which asks from over `from` for the draw and stores them.  A host
    // without a ticket book says so (CanAddTickets false) and ignores it.
    virtual bool CanAddTickets() const { return false; }
    virtual void AddTickets(QWidget* from, const std::vector<std::vector<int>>& rows) {
        (void)from;
        (void)rows;
    }

  protected:
    // Tells every listener that the snapshot or the ticket book changed.
    void NotifyChanges();

  private:
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> listeners_;
};
