#include "ui/Buttons.h"

#include <QPushButton>

#include "grid/Twips.h"

namespace {

constexpr int kUsualWidthTwips = 1500;
constexpr int kUsualHeightTwips = 375;

}  // namespace

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

QSize UsualButtonSize(const QWidget* reference) {
    return TwipsToPixelSize(kUsualWidthTwips, kUsualHeightTwips, reference);
}
