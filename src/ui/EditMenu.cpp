#include "ui/EditMenu.h"

#include <QAction>
#include <QMenu>

QMenu* MakeEditMenu(QWidget* window) {
    auto* menu = new QMenu(QStringLiteral("編集(&E)"), window);
    menu->setObjectName("mnuEdit");
    menu->menuAction()->setObjectName("mnuEdit");
    return menu;
}

QAction* AddEditCommand(QMenu* menu, const QString& text, const char* name, const QKeySequence& key,
                        std::function<void()> handler) {
    QAction* action = menu->addAction(text, menu->parent(), std::move(handler));
    action->setObjectName(name);
    if (!key.isEmpty()) action->setShortcut(key);
    return action;
}
