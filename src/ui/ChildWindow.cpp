#include "ui/ChildWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiSubWindow>
#include <algorithm>

#include "core/Errors.h"
#include "grid/Twips.h"
#include "ui/ChildHost.h"
#include "ui/Messages.h"

ChildWindow::ChildWindow(ChildHost& host, ChildWindowSetup setup, QWidget* parent)
    : QWidget(parent), host_(host), setup_(std::move(setup)) {
    setObjectName(setup_.name);
    setWindowTitle(setup_.caption);
    // A window covers the inside of its frame with the window colour.
    // Saying so lets Qt repaint it only where it changed: otherwise a paint
    // of its frame or of the main window paints all of it again (on X11 a
    // window just shown was painted twice over).
    setAutoFillBackground(true);
}

void ChildWindow::Form_Load(QWidget* frame) {
    QString failure;
    {
        Hourglass hourglass;
        if (setup_.events == PendingEvents::BeforeBuild) QApplication::processEvents();
        host_.SetPropEnd(!setup_.clearsPropEnd);
        PlaceAtTopLeft(frame, setup_.widthTwips, setup_.heightTwips);
        try {
            Compute();
        } catch (const UserError& e) {
            failure = QString::fromStdString(e.what());
        }
        Present();
        if (setup_.events == PendingEvents::AfterBuild) QApplication::processEvents();
    }
    if (failure.isEmpty()) return;
    ShowMessage(this, failure);
    LoadFailed();
}

QSize ChildWindow::sizeHint() const {
    QSize size = TwipsToPixelSize(setup_.widthTwips, setup_.heightTwips, this);
    if (const auto* frame = qobject_cast<const QMdiSubWindow*>(parentWidget())) {
        const QMargins margins = frame->contentsMargins();
        size -= QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
    }
    return size;
}

void ChildWindow::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    host_.SetPropEnd(true);
}

void ChildWindow::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

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
    QSize size = TwipsToPixelSize(widthTwips, heightTwips, frame);
    // A window taller than the shown child area opens shortened to it, its
    // content scrolling; it keeps its width, as it does once shown, so that
    // it is laid out at its shown size before it shows.
    if (const QWidget* area = frame->parentWidget(); area && area->isVisible()) {
        size.setHeight(std::min(size.height(), area->height()));
    }
    frame->resize(size);
    // The content takes its size inside the frame now, not only once the
    // frame is shown, so that the window lays itself out at its own size.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame); sub && sub->widget()) {
        sub->widget()->resize(sub->contentsRect().size());
    }
}

Hourglass::Hourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
Hourglass::~Hourglass() { QApplication::restoreOverrideCursor(); }
