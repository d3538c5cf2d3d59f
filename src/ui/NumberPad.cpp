#include "ui/NumberPad.h"

#include <QGridLayout>
#include <QToolButton>
#include <algorithm>

namespace {

constexpr int kPerRow = 8;

}  // namespace

NumberPad::NumberPad(QWidget* parent) : QWidget(parent) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    const int side = fontMetrics().horizontalAdvance(QStringLiteral("000")) + 8;
    // A chosen number in the main numbers' mark colour, as the grids mark them.
    setStyleSheet(
        QStringLiteral("QToolButton:checked { background: rgb(62, 158, 255); "
                       "color: white; border: 1px solid rgb(0, 90, 200); }"));
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        auto* button = new QToolButton(this);
        button->setText(QString::number(n));
        button->setObjectName(QStringLiteral("Pad%1").arg(n));
        button->setCheckable(true);
        button->setFixedSize(side, side);
        // The pad shows what the fields hold; a click asks for a change.
        connect(button, &QToolButton::clicked, this, [this, n, button] {
            button->setChecked(!button->isChecked());
            if (clicked_) clicked_(n);
        });
        buttons_[static_cast<std::size_t>(n - 1)] = button;
        layout->addWidget(button, (n - 1) / kPerRow, (n - 1) % kPerRow);
    }
}

void NumberPad::ShowChosen(const std::vector<int>& numbers) {
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        Button(n)->setChecked(std::find(numbers.begin(), numbers.end(), n) != numbers.end());
    }
}
