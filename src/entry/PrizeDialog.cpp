#include "entry/PrizeDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>
#include <tuple>

#include "core/CurrentException.h"
#include "core/YenText.h"
#include "data/Database.h"
#include "data/PrizeStore.h"
#include "ui/Messages.h"

namespace {

QLineEdit* Field(QWidget* parent, const QString& name) {
    auto* field = new QLineEdit(parent);
    field->setAccessibleName(name);
    field->setAlignment(Qt::AlignRight);
    field->setMaxLength(24);
    return field;
}

QString Grouped(std::int64_t value) { return QString::fromStdString(GroupedDigits(value)); }

// A field read by read (ReadWinnerCount, ReadPrizeAmount) after NFKC
// normalisation: nullopt for an empty field; false when it cannot be read.
template <typename Read>
bool ReadField(const QString& text, Read read, std::optional<std::int64_t>& out) {
    const QString value = text.normalized(QString::NormalizationForm_KC).trimmed();
    out.reset();
    if (value.isEmpty()) return true;
    out = read(value);
    return out.has_value();
}

bool ReadCount(const QString& text, std::optional<std::int64_t>& out) {
    return ReadField(text, ReadWinnerCount, out);
}

bool ReadAmount(const QString& text, std::optional<std::int64_t>& out) {
    return ReadField(text, ReadPrizeAmount, out);
}

}  // namespace

PrizeDialog::PrizeDialog(std::string databasePath, int drawNumber, QWidget* parent)
    : QDialog(parent), databasePath_(std::move(databasePath)), drawNumber_(drawNumber) {
    setObjectName(QStringLiteral("PrizeDialog"));
    setWindowTitle(QStringLiteral("第%1回の当選金額").arg(drawNumber));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("等級"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("口数"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("1口の当選金額（円）"), this), 0, 2);
    for (int t = 0; t < kPrizeTierCount; ++t) {
        const QString tier = QStringLiteral("%1等").arg(t + 1);
        auto* label = new QLabel(QStringLiteral("%1(&%2)").arg(tier).arg(t + 1), this);
        winners_[t] = Field(this, tier + QStringLiteral("の口数"));
        amounts_[t] = Field(this, tier + QStringLiteral("の当選金額"));
        label->setBuddy(winners_[t]);
        grid->addWidget(label, t + 1, 0);
        grid->addWidget(winners_[t], t + 1, 1);
        grid->addWidget(amounts_[t], t + 1, 2);
    }
    carryOver_ = Field(this, QStringLiteral("キャリーオーバー"));
    sales_ = Field(this, QStringLiteral("販売実績額"));
    auto* carryLabel = new QLabel(QStringLiteral("キャリーオーバー（円）(&C)"), this);
    carryLabel->setBuddy(carryOver_);
    auto* salesLabel = new QLabel(QStringLiteral("販売実績額（円）(&U)"), this);
    salesLabel->setBuddy(sales_);
    grid->addWidget(carryLabel, kPrizeTierCount + 1, 0, 1, 2);
    grid->addWidget(carryOver_, kPrizeTierCount + 1, 2);
    grid->addWidget(salesLabel, kPrizeTierCount + 2, 0, 1, 2);
    grid->addWidget(sales_, kPrizeTierCount + 2, 2);
    layout->addLayout(grid);
    auto* note = new QLabel(QStringLiteral("分からない欄は空欄のままにします。だれも当たらなかった"
                                           "等級は口数を0（該当なし）にします。"),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("登録"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { Store(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    try {
        const Database db = Database::Open(databasePath_, Database::Mode::ReadOnly);
        Fill(ReadPrizes(db, drawNumber_));
    } catch (...) {
        ShowMessage(parent, QString::fromStdString(MessageOfCurrentException()));
    }
}

void PrizeDialog::Fill(const DrawPrizes& prizes) {
    for (int t = 0; t < kPrizeTierCount; ++t) {
        if (!prizes.tiers[t]) continue;
        winners_[t]->setText(Grouped(prizes.tiers[t]->winners));
        amounts_[t]->setText(Grouped(prizes.tiers[t]->amount));
    }
    if (prizes.carryOver) carryOver_->setText(Grouped(*prizes.carryOver));
    if (prizes.sales) sales_->setText(Grouped(*prizes.sales));
}

bool PrizeDialog::ReadFields(DrawPrizes& prizes, QString& why) const {
    prizes = {};
    for (int t = 0; t < kPrizeTierCount; ++t) {
        const QString tier = QStringLiteral("%1等").arg(t + 1);
        std::optional<std::int64_t> winners;
        std::optional<std::int64_t> amount;
        if (!ReadCount(winners_[t]->text(), winners)) {
            why = tier + QStringLiteral("の口数「%1」は0以上の整数ではありません。")
                             .arg(winners_[t]->text());
            return false;
        }
        if (!ReadAmount(amounts_[t]->text(), amount)) {
            why =
                tier +
                QStringLiteral("の当選金額「%1」は金額として読めません。").arg(amounts_[t]->text());
            return false;
        }
        if (winners && *winners == 0 && !amount) amount = 0;
        if (!winners && !amount) continue;
        if (!winners || !amount) {
            why = tier + (winners ? QStringLiteral("の当選金額がありません。")
                                  : QStringLiteral("の口数がありません。"));
            return false;
        }
        prizes.tiers[t] = PrizeLine{*winners, *amount};
    }
    for (const auto& [field, target, name] :
         {std::tuple{carryOver_, &prizes.carryOver, "キャリーオーバー"},
          std::tuple{sales_, &prizes.sales, "販売実績額"}}) {
        if (!ReadAmount(field->text(), *target)) {
            why = QStringLiteral("%1「%2」は金額として読めません。")
                      .arg(QString::fromUtf8(name), field->text());
            return false;
        }
    }
    const std::string problem = PrizeLinesProblem(prizes);
    why = QString::fromStdString(problem);
    return problem.empty();
}

void PrizeDialog::Store() {
    DrawPrizes prizes;
    QString why;
    if (!ReadFields(prizes, why)) {
        ShowMessage(this, why);
        return;
    }
    try {
        StorePrizes(databasePath_, drawNumber_, prizes);
    } catch (...) {
        ShowMessage(this, QString::fromStdString(MessageOfCurrentException()));
        return;
    }
    stored_ = true;
    accept();
}
