#pragma once

class QWidget;

// A child window of the main frame that computes its content while it loads.
// frame is the child-window frame holding it, to be placed and sized.
class ChildWindow {
public:
    virtual ~ChildWindow() = default;
    virtual void Form_Load(QWidget* frame) = 0;
};
