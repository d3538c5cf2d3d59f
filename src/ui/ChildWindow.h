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
