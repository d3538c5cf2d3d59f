#include "ui/Buttons.h"

#include <QPushButton>

#include "grid/Twips.h"

QPushButton* MakeButton(const QString& text, const char* objectName, QWidget* parent,
                        ButtonSizing sizing, QSize size) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    switch (sizing) {
        case ButtonSizing::Natural:
            break;
        case ButtonSizing::AtLeast:
            button->setMinimumSize(size);
            break;
        case ButtonSizing::Exactly:
            button->setFixedSize(size);
            break;
    }
    return button;
}

QSize TwipsToPixelSize(int widthTwips, int heightTwips, const QWidget* reference) {
    return {TwipsToPixels(widthTwips, reference), TwipsToPixels(heightTwips, reference)};
}
