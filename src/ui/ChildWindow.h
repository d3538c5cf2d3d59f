#pragma once

#include <QString>
#include <QWidget>

#include "core/AnalysisInfo.h"

class ChildHost;
class QMenu;

// How a child window loads: its names, its size in twips, whether its load
// clears propEnd (else sets it) and when pending window events may run.
struct ChildWindowSetup {
    QString name;     // object name, also the name the commands look for
    QString caption;  // window title
    int widthTwips = 0;
    int heightTwips = 0;
    bool clearsPropEnd = true;
    PendingEvents events = PendingEvents::BeforeBuild;
};

// The base of every child window of the main frame.  It owns the sequence
// every such window shares: the load (hourglass, pending events, propEnd,
// placement at the top-left corner with the window's size, the window's own
// computation, pointer back), the unload (propEnd back to true, once) and
// the one place where a failure of the computation (a UserError) is shown.
class ChildWindow : public QWidget {
  public:
    ChildWindow(ChildHost& host, ChildWindowSetup setup, QWidget* parent = nullptr);

    // frame is the child-window frame holding this window, to be placed.
    void Form_Load(QWidget* frame);
    void Form_Unload();

    // The window's own menu, shown in the main menu bar while it is active.
    virtual QMenu* Menu() const { return nullptr; }

    // The window's size in twips, less its frame when it sits in one, so
    // that the frame's own size hint is the window's size.
    QSize sizeHint() const override;

  protected:
    // Computes the window's content; a UserError stops it, and its message
    // is shown once the window is complete.
    virtual void Compute() = 0;
    // Shows what Compute made, also after it stopped.
    virtual void Present() {}
    // After a stopped Compute's message: the window may close itself.
    virtual void LoadFailed() {}

    ChildHost& Host() const { return host_; }
    void closeEvent(QCloseEvent* event) override;

  private:
    ChildHost& host_;
    ChildWindowSetup setup_;
    bool unloaded_ = false;
};

// Closes a child window from inside: its frame when it sits in the main
// window's child area (which closes the content with it), else the content.
void CloseChildWindow(QWidget* content);

// Places a child-window frame at the top-left corner of the main window's
// child area with the window's size in twips, at most the area's size.
void PlaceAtTopLeft(QWidget* frame, int widthTwips, int heightTwips);

// The hourglass pointer for the length of a scope.
class Hourglass {
  public:
    Hourglass();
    ~Hourglass();
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};
