#include "ui/wheel/WheelPad.h"

#include <QGridLayout>
#include <QToolButton>
#include <algorithm>

#include "grid/QtColor.h"
#include "grid/Twips.h"
#include "wheel/WheelGrid.h"

namespace {

constexpr int kButtonTwips = 420;
constexpr int kColumns = 10;

}  // namespace

WheelPad::WheelPad(std::function<void(int)> clicked, QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    const int side = TwipsToPixels(kButtonTwips, parent);
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("Pad%1").arg(n));
        button->setText(QString::number(n));
        button->setFixedSize(side, side);
        connect(button, &QToolButton::clicked, this, [clicked, n] { clicked(n); });
        grid->addWidget(button, (n - 1) / kColumns, (n - 1) % kColumns);
        buttons_[n] = button;
    }
}

void WheelPad::Toggle(int number, bool asKey) {
    const NumberMask bit = Bit(number);
    if (asKey) {
        keys_ ^= bit;
        if (keys_ & bit) chosen_ |= bit;
    } else {
        chosen_ ^= bit;
        keys_ &= chosen_;
    }
}

void WheelPad::SetButtonsEnabled(bool enabled) {
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) buttons_[n]->setEnabled(enabled);
}

void WheelPad::ShowState() {
    const std::vector<int> chosen = Chosen();
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        const auto at = std::find(chosen.begin(), chosen.end(), n);
        QString style;
        if (at != chosen.end()) {
            const QColor back = ToQColor(ChosenNumberColour(static_cast<int>(at - chosen.begin()),
                                                            static_cast<int>(chosen.size())));
            style =
                QStringLiteral("background-color: %1; border: 1px solid #606060;").arg(back.name());
        }
        if (keys_ >> n & 1) style += QStringLiteral("color: red; font-weight: bold;");
        buttons_[n]->setStyleSheet(style);
    }
}
