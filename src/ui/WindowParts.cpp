#include "ui/WindowParts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "grid/Twips.h"

ChildWindowSetup ToolWindowSetup(const char* name, int widthTwips, int heightTwips,
                                 PendingEvents events) {
    return {.name = QString::fromUtf8(name),
            .caption = QString::fromUtf8(name),
            .widthTwips = widthTwips,
            .heightTwips = heightTwips,
            .events = events};
}

QLabel* MakeLabel(const QString& text, const char* objectName, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    if (*objectName) label->setObjectName(objectName);
    label->setWordWrap(true);
    return label;
}

QLabel* BuddyLabel(const QString& text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    return label;
}

QVBoxLayout* MakeWindowLayout(QWidget* window, bool spacing) {
    auto* layout = new QVBoxLayout(window);
    const int margin = TwipsToPixels(kWindowMarginTwips, window);
    layout->setContentsMargins(margin, margin, margin, margin);
    if (spacing) layout->setSpacing(TwipsToPixels(kWindowSpacingTwips, window));
    return layout;
}

QHBoxLayout* MakeTopRow(QLabel* description, QPushButton* print, QPushButton* close) {
    auto* top = new QHBoxLayout();
    top->addWidget(description, 1);
    top->addWidget(print, 0, Qt::AlignTop);
    top->addWidget(close, 0, Qt::AlignTop);
    return top;
}
