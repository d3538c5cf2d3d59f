#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "core/DrawRecord.h"
#include "lotto/NumberMask.h"

class QToolButton;

// The numbers 1 … 37 of ホイール as buttons in rows of ten.  It keeps which
// numbers are chosen and which of them are key numbers, shows each chosen
// number on its own colour and the keys in bold red, and reports a click
// through `clicked` with the number.
class WheelPad : public QWidget {
  public:
    WheelPad(std::function<void(int)> clicked, QWidget* parent);

    QToolButton* Button(int number) const { return buttons_.at(number); }
    std::vector<int> Chosen() const { return NumbersOf(chosen_); }
    std::vector<int> Keys() const { return NumbersOf(keys_); }
    bool HasKeys() const { return keys_ != 0; }

    // Chooses a number or leaves it out; as a key, makes it a key (and
    // chosen) or an ordinary chosen number.
    void Toggle(int number, bool asKey);
    void Choose(NumberMask numbers) { chosen_ |= numbers; }
    void Clear() { chosen_ = keys_ = 0; }
    void SetButtonsEnabled(bool enabled);
    // Colours the buttons as the chosen numbers and keys now are.
    void ShowState();

  private:
    std::array<QToolButton*, kHighestNumber + 1> buttons_{};  // index = number (0 unused)
    NumberMask chosen_ = 0, keys_ = 0;                        // bits 1 … 37
};
