#include "app/FocusReturn.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QWidget>
#include <QWindow>

namespace {

QWidget* WidgetOf(const QWindow* window) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowHandle() == window) return widget;
    }
    return nullptr;
}

bool OpenedByChildWindow(const QWidget* widget) {
    for (const QWidget* w = widget ? widget->parentWidget() : nullptr; w; w = w->parentWidget()) {
        if (qobject_cast<const QMdiSubWindow*>(w)) return true;
    }
    return false;
}

bool IsPassing(const QWindow* window) {
    const Qt::WindowType type = window->type();
    return type == Qt::Popup || type == Qt::ToolTip;
}

}  // namespace

FocusSource ClassifyFocusWindow(const QWindow* window, const QWidget* main) {
    if (!window) return FocusSource::Outside;
    if (main && window == main->windowHandle()) return FocusSource::Main;
    return OpenedByChildWindow(WidgetOf(window)) ? FocusSource::ChildDialog
                                                 : FocusSource::ProgramWindow;
}

FocusReturnWatcher::FocusReturnWatcher(QWidget* main, std::function<void()> returned)
    : QObject(main), main_(main), returned_(std::move(returned)) {
    connect(qApp, &QGuiApplication::focusWindowChanged, this,
            [this](QWindow* window) { FocusWindowChanged(window); });
}

void FocusReturnWatcher::FocusWindowChanged(QWindow* window) {
    if (window && IsPassing(window)) return;
    const FocusSource now = ClassifyFocusWindow(window, main_);
    const FocusSource before = std::exchange(last_, now);
    if (now == FocusSource::Main && before == FocusSource::ProgramWindow && returned_) returned_();
}
