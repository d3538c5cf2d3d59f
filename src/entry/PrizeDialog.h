#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "core/DrawPrizes.h"

class QLineEdit;

// 当選金額: one draw's prize lines as stored, to see and correct: per tier
// the winners (口数) and the yen per winning unit, the carry-over and the
// sales.  OK checks every field (whole numbers of 0 or more, an amount only
// where somebody won) and stores them in one go; a field left empty is not
// known.
class PrizeDialog : public QDialog {
  public:
    PrizeDialog(std::string databasePath, int drawNumber, QWidget* parent = nullptr);

    // The fields read back; false, with the reason in why, when one cannot be read.
    bool ReadFields(DrawPrizes& prizes, QString& why) const;
    // OK: reads, checks and stores; stays open (the user told) on a refusal.
    void Store();
    bool Stored() const { return stored_; }

    QLineEdit* WinnersField(int tier) const { return winners_.at(tier); }
    QLineEdit* AmountField(int tier) const { return amounts_.at(tier); }
    QLineEdit* CarryOverField() const { return carryOver_; }
    QLineEdit* SalesField() const { return sales_; }

  private:
    void Fill(const DrawPrizes& prizes);

    std::string databasePath_;
    int drawNumber_ = 0;
    std::array<QLineEdit*, kPrizeTierCount> winners_{};
    std::array<QLineEdit*, kPrizeTierCount> amounts_{};
    QLineEdit* carryOver_ = nullptr;
    QLineEdit* sales_ = nullptr;
    bool stored_ = false;
};
