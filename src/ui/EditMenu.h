#pragma once

#include <QKeySequence>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QWidget;

// A window's own menu 編集(&E) (object name mnuEdit), which the main window
// shows in its menu bar while the window is active.
QMenu* MakeEditMenu(QWidget* window);

// A command of that menu, with its object name and key (an empty key: none).
QAction* AddEditCommand(QMenu* menu, const QString& text, const char* name, const QKeySequence& key,
                        std::function<void()> handler);
