#pragma once

class QWidget;

// A child window of the main frame that computes its content while it loads.
// frame is the child-window frame holding it, to be placed and sized.
class ChildWindow {
  public:
    virtual ~ChildWindow() = default;
    virtual void Form_Load(QWidget* frame) = 0;
};

// Closes a child window from inside: its frame when it sits in the main
// window's child area (which closes the content with it), else the content.
void CloseChildWindow(QWidget* content);

// Places a child-window frame at the top-left corner of the main window's
// child area with the window's size in twips.
void PlaceAtTopLeft(QWidget* frame, int widthTwips, int heightTwips);

// The hourglass pointer for the length of a scope.
class Hourglass {
  public:
    Hourglass();
    ~Hourglass();
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};
