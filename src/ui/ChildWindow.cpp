#include "ui/ChildWindow.h"

#include <QMdiSubWindow>

void CloseChildWindow(QWidget* content) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(content->parentWidget())) {
        frame->close();
    } else {
        content->close();
    }
}
