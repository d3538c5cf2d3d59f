#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "core/PurchasedTicket.h"

class NumberPad;
class QLineEdit;
class QPushButton;
class QSpinBox;

// Asks for one ticket: the draw or draws (継続購入: "690-694"), seven numbers
// typed or clicked on the 1 … 37 pad, the units and a memo.  OK checks what
// was typed; a refusal is said in a message and the dialog stays open at
// the field concerned.
class TicketDialog : public QDialog {
  public:
    TicketDialog(QWidget* parent, const QString& title);

    // Fills the fields from a ticket (its numbers may be fewer than seven:
    // zeros are left empty).
    void SetTicket(const PurchasedTicket& ticket);
    void SetNumbers(const std::vector<int>& numbers);
    void SetDraws(int first, int last);
    // The ticket as typed, once the dialog was accepted (id and time unset).
    const PurchasedTicket& Result() const { return result_; }

    void accept() override;

    QLineEdit* EditDraws = nullptr;
    std::array<QLineEdit*, kTicketNumberCount> EditNumbers{};
    QSpinBox* SpinUnits = nullptr;
    QLineEdit* EditMemo = nullptr;
    NumberPad* Pad = nullptr;
    QPushButton* CmdOK = nullptr;
    QPushButton* CmdCancel = nullptr;

  private:
    void Pad_Click(int number);
    // The numbers the fields hold now, ignoring what does not read.
    std::vector<int> TypedNumbers() const;
    void ShowPad();

    PurchasedTicket result_;
};
