#pragma once

#include <QObject>
#include <functional>

class QWindow;
class QWidget;

// Where the keyboard focus was before it came to the main window.
enum class FocusSource {
    Main,           // the main window itself (nothing came back)
    Outside,        // no window of this program: another program had it
    ProgramWindow,  // a top-level window of this program: help, About, a message
    ChildDialog,    // a dialog that a child window opened over itself
};

// What kind of window now holds the focus, seen from main.  Menus and tool
// tips are not asked about: they come and go without taking part.
FocusSource ClassifyFocusWindow(const QWindow* window, const QWidget* main);

// Calls back when the focus comes to main from one of the program's own
// top-level windows; never when it comes back from another program, nor from
// a dialog of a child window (the focus goes back into that child).
class FocusReturnWatcher : public QObject {
  public:
    FocusReturnWatcher(QWidget* main, std::function<void()> returned);

    // The focus window changed to window (null: no window of this program).
    void FocusWindowChanged(QWindow* window);

  private:
    QWidget* main_;
    std::function<void()> returned_;
    FocusSource last_ = FocusSource::Outside;
};
