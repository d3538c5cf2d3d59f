#pragma once

#include "prediction/ReflectOptions.h"

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
    // The twelve reflect flags the prediction window now uses.
    virtual const ReflectOptions& PredictionOptions() const = 0;
};
