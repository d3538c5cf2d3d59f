#include "ui/WindowParts.h"

#include <QLabel>
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

QVBoxLayout* MakeWindowLayout(QWidget* window, bool spacing) {
    auto* layout = new QVBoxLayout(window);
    const int margin = TwipsToPixels(kWindowMarginTwips, window);
    layout->setContentsMargins(margin, margin, margin, margin);
    if (spacing) layout->setSpacing(TwipsToPixels(kWindowSpacingTwips, window));
    return layout;
}
