#include "ui/tickets/TicketDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <tuple>

#include "core/Errors.h"
#include "core/TicketText.h"
#include "ui/Messages.h"
#include "ui/NumberPad.h"
#include "ui/tickets/NumberFields.h"

TicketDialog::TicketDialog(QWidget* parent, const QString& title) : QDialog(parent) {
    setObjectName("TicketDialog");
    setWindowTitle(title);
    EditDraws = new QLineEdit(this);
    EditDraws->setObjectName("EditDraws");
    EditDraws->setPlaceholderText(QStringLiteral("例 690、継続購入は 690-694"));
    auto* numbers = new QHBoxLayout();
    EditNumbers = AddNumberFields(this, numbers, [this] { ShowPad(); });
    for (int i = 0; i < kTicketNumberCount; ++i) {
        EditNumbers[static_cast<std::size_t>(i)]->setToolTip(TicketFieldName(i));
    }
    numbers->addStretch();
    Pad = new NumberPad(this);
    Pad->setObjectName("Pad");
    Pad->SetClicked([this](int n) { Pad_Click(n); });
    SpinUnits = new QSpinBox(this);
    SpinUnits->setObjectName("SpinUnits");
    SpinUnits->setRange(1, kMostTicketUnits);
    SpinUnits->setSuffix(QStringLiteral(" 口"));
    EditMemo = new QLineEdit(this);
    EditMemo->setObjectName("EditMemo");
    // The field counts UTF-16 units, two for an emoji; the reader counts
    // characters and says when there are too many.
    EditMemo->setMaxLength(2 * kMostMemoCharacters);

    auto* form = new QFormLayout();
    form->addRow(QStringLiteral("購入する回："), EditDraws);
    form->addRow(QStringLiteral("数字（7個）："), numbers);
    form->addRow(QStringLiteral("数字を選ぶ："), Pad);
    form->addRow(QStringLiteral("口数（1口%1円）：").arg(kTicketUnitPrice), SpinUnits);
    form->addRow(QStringLiteral("メモ："), EditMemo);

    CmdOK = new QPushButton(QStringLiteral("OK"), this);
    CmdOK->setObjectName("CmdOK");
    CmdOK->setDefault(true);
    CmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    CmdCancel->setObjectName("CmdCancel");
    connect(CmdOK, &QPushButton::clicked, this, [this] { accept(); });
    connect(CmdCancel, &QPushButton::clicked, this, [this] { reject(); });
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(CmdOK);
    buttons->addWidget(CmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void TicketDialog::SetTicket(const PurchasedTicket& ticket) {
    SetDraws(ticket.firstDraw, ticket.lastDraw);
    SetNumbers(std::vector<int>(ticket.numbers.begin(), ticket.numbers.end()));
    SpinUnits->setValue(ticket.units);
    EditMemo->setText(QString::fromStdString(ticket.memo));
}

void TicketDialog::SetNumbers(const std::vector<int>& numbers) {
    for (int i = 0; i < kTicketNumberCount; ++i) {
        const int n =
            i < static_cast<int>(numbers.size()) ? numbers[static_cast<std::size_t>(i)] : 0;
        EditNumbers[static_cast<std::size_t>(i)]->setText(n > 0 ? QString::number(n) : QString());
    }
}

void TicketDialog::SetDraws(int first, int last) {
    PurchasedTicket draws;
    draws.firstDraw = first;
    draws.lastDraw = last;
    EditDraws->setText(QString::fromStdString(TicketDrawText(draws)));
}

std::vector<int> TicketDialog::TypedNumbers() const {
    std::vector<int> numbers;
    for (QLineEdit* edit : EditNumbers) {
        try {
            numbers.push_back(ReadTicketNumber(edit->text()));
        } catch (const UserError&) {
        }
    }
    return numbers;
}

void TicketDialog::ShowPad() { Pad->ShowChosen(TypedNumbers()); }

// A chosen number is taken out of its field; another goes into the first
// empty field.
void TicketDialog::Pad_Click(int number) {
    const QString text = QString::number(number);
    for (QLineEdit* edit : EditNumbers) {
        try {
            if (ReadTicketNumber(edit->text()) == number) {
                edit->clear();
                return;
            }
        } catch (const UserError&) {
        }
    }
    for (QLineEdit* edit : EditNumbers) {
        if (edit->text().trimmed().isEmpty()) {
            edit->setText(text);
            return;
        }
    }
    ShowMessage(
        this,
        QStringLiteral("数字は7個までです。ほかの数字を選ぶには、先に選んだ数字を外してください。"),
        QMessageBox::Information);
}

void TicketDialog::accept() {
    PurchasedTicket t;
    QWidget* at = EditDraws;
    try {
        std::tie(t.firstDraw, t.lastDraw) = ReadTicketDraws(EditDraws->text());
        std::vector<QString> texts;
        for (QLineEdit* edit : EditNumbers) {
            at = edit;
            // Each filled field in turn, to point at the wrong one.
            if (!edit->text().trimmed().isEmpty()) ReadTicketNumber(edit->text());
            texts.push_back(edit->text());
        }
        at = EditNumbers.front();
        t.numbers = ReadTicketNumbers(texts);
        at = EditMemo;
        t.memo = ReadTicketMemo(EditMemo->text());
    } catch (const UserError& e) {
        ShowMessage(this, QString::fromUtf8(e.what()));
        at->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(at)) edit->selectAll();
        return;
    }
    t.units = SpinUnits->value();
    result_ = t;
    QDialog::accept();
}
