#include "ui/ChildWindow.h"

#include <QApplication>
#include <QMdiSubWindow>

#include "ui/Twips.h"

void CloseChildWindow(QWidget* content) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(content->parentWidget())) {
        frame->close();
    } else {
        content->close();
    }
}

void PlaceAtTopLeft(QWidget* frame, int widthTwips, int heightTwips) {
    if (!frame) return;
    frame->move(0, 0);
    frame->resize(TwipsToPixels(widthTwips, frame), TwipsToPixels(heightTwips, frame));
}

Hourglass::Hourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
Hourglass::~Hourglass() { QApplication::restoreOverrideCursor(); }
