#include "ui/tickets/QuickCheckWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Errors.h"
#include "core/GlobalBas.h"
#include "core/TicketText.h"
#include "grid/GridView.h"
#include "lotto/TicketWorth.h"
#include "tickets/TicketGrids.h"
#include "ui/ChildHost.h"
#include "ui/GridOutput.h"
#include "ui/WindowDocuments.h"
#include "ui/WindowParts.h"
#include "ui/tickets/NumberFields.h"

namespace {

constexpr int kWidthTwips = 7800;
constexpr int kHeightTwips = 9600;

}  // namespace

当選番号チェック::当選番号チェック(ChildHost& host, QWidget* parent)
    : ChildWindow(host, ToolWindowSetup(kQuickCheckWindowName, kWidthTwips, kHeightTwips), parent) {
    // New draws or tickets (from another window) are checked at once.
    host.ListenForChanges(this, [this] { Recompute(); });
    Label1 = MakeLabel(QStringLiteral("7個の数字が過去の各回で何等だったかを調べ、"
                                      "でたらめに選んだ数字の期待値と比べます"),
                       "Label1", this);
    Command2 = new QPushButton(QStringLiteral("印刷"), this);
    Command2->setObjectName("Command2");
    Command1 = new QPushButton(QStringLiteral("閉じる"), this);
    Command1->setObjectName("Command1");
    connect(Command1, &QPushButton::clicked, this, [this] { CloseChildWindow(this); });
    connect(Command2, &QPushButton::clicked, this, [this] { output_->Print(); });

    auto* fields = new QHBoxLayout();
    fields->addWidget(new QLabel(QStringLiteral("数字："), this));
    EditNumbers = AddNumberFields(this, fields, [this] { Check(); });
    fields->addStretch();
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Label2->setWordWrap(true);
    Label期待値 = new QLabel(this);
    Label期待値->setObjectName("Label期待値");
    Label期待値->setWordWrap(true);

    fpSpread1 = new GridView(this);
    fpSpread1->setObjectName("fpSpread1");
    fpSpread1->SetGridName(QStringLiteral("等級別の回数"));
    fpSpread2 = new GridView(this);
    fpSpread2->setObjectName("fpSpread2");
    fpSpread2->SetGridName(QStringLiteral("4等以上に当選した回"));
    output_ = new GridOutput(this, [this] { return Document(); });
    output_->AddMenuTo(fpSpread1);
    output_->AddMenuTo(fpSpread2);

    QHBoxLayout* top = MakeTopRow(Label1, Command2, Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(fields);
    layout->addWidget(Label2);
    layout->addWidget(Label期待値);
    layout->addWidget(new QLabel(QStringLiteral("等級別の回数（すべての回）"), this));
    layout->addWidget(fpSpread1);
    layout->addWidget(new QLabel(QStringLiteral("4等以上に当選した回"), this));
    layout->addWidget(fpSpread2, 1);
}

void 当選番号チェック::Compute() {
    const GlobalBas& g = Host().Snapshot();
    draws_ = DrawMasks(g.Draws);
    Label期待値->setText(
        QString::fromStdString(TicketWorthText(1, g.LatestDrawNumber + 1, g.LatestCarryOver)));
}

void 当選番号チェック::Present() { Check(); }

void 当選番号チェック::Recompute() {
    Compute();
    Check();
}

void 当選番号チェック::SetNumbers(const std::array<int, kTicketNumberCount>& numbers) {
    for (int i = 0; i < kTicketNumberCount; ++i) {
        EditNumbers[static_cast<std::size_t>(i)]->setText(
            QString::number(numbers[static_cast<std::size_t>(i)]));
    }
}

// Checks as soon as the seven fields read; until then says what is missing
// or wrong, and shows the tables of the last combination that read.
void 当選番号チェック::Check() {
    std::vector<QString> texts;
    bool typed = false;
    for (QLineEdit* edit : EditNumbers) {
        texts.push_back(edit->text());
        typed = typed || !edit->text().trimmed().isEmpty();
    }
    try {
        if (!typed) throw UserError("1～37の数字を7個入力してください。");
        numbers_ = ReadTicketNumbers(texts);
    } catch (const UserError& e) {
        numbers_.reset();
        Label2->setText(QString::fromUtf8(e.what()));
        Command2->setEnabled(false);
        return;
    }
    result_ = QuickCheck(*numbers_, draws_);
    WriteQuickTierGrid(*result_, tierGrid_);
    WriteQuickWinGrid(*result_, winGrid_);
    fpSpread1->SetGrid(&tierGrid_);
    fpSpread1->setFixedHeight(fpSpread1->sizeHint().height());
    fpSpread2->SetGrid(&winGrid_);
    int wins = 0;
    for (int t = 1; t <= kPrizeTierCount; ++t)
        wins += result_->tierCounts[static_cast<std::size_t>(t)];
    Label2->setText(
        QStringLiteral("%1 を第%2回までの%3回と照合しました。当選は%4回、うち4等以上は%5回です。")
            .arg(QString::fromStdString(NumbersText(*numbers_)))
            .arg(Host().Snapshot().LatestDrawNumber)
            .arg(result_->draws)
            .arg(wins)
            .arg(result_->bigWins.size()));
    Command2->setEnabled(true);
}

GridDocument 当選番号チェック::Document() const {
    GridDocument document;
    document.caption = QString::fromUtf8(kQuickCheckWindowName);
    document.drawRange = DrawRangeText(Host().Snapshot().Draws);
    const QString numbers = numbers_ ? QString::fromStdString(NumbersText(*numbers_)) : QString();
    document.parts.push_back(
        {QStringLiteral("%1 の等級別の回数").arg(numbers), &tierGrid_, fpSpread1->Geometry()});
    document.parts.push_back(
        {QStringLiteral("4等以上に当選した回"), &winGrid_, fpSpread2->Geometry()});
    document.csv = {{kQuickTierGridName, &tierGrid_}, {kQuickWinGridName, &winGrid_}};
    return document;
}
