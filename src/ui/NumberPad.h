#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "core/DrawRecord.h"

class QToolButton;

// The numbers 1 … 37 as buttons in rows of eight; a click reports the
// number, and the numbers chosen show pressed.
class NumberPad : public QWidget {
  public:
    explicit NumberPad(QWidget* parent = nullptr);

    void SetClicked(std::function<void(int)> clicked) { clicked_ = std::move(clicked); }
    // Shows exactly these numbers pressed.
    void ShowChosen(const std::vector<int>& numbers);
    QToolButton* Button(int number) const {
        return buttons_.at(static_cast<std::size_t>(number - 1));
    }

  private:
    std::array<QToolButton*, kHighestNumber> buttons_{};
    std::function<void(int)> clicked_;
};
