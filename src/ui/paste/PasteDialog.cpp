#include "ui/paste/PasteDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/CurrentException.h"
#include "data/CsvImport.h"
#include "ui/Messages.h"

namespace {

enum Column { kTick, kStatus, kDraw, kDate, kNumbers, kPrizes, kStoredOrWhy, kColumnCount };

const char* const kHeadings[kColumnCount] = {"登録",
                                             "状態",
                                             "回",
                                             "抽せん日",
                                             "本数字／ボーナス数字",
                                             "当選金額",
                                             "登録済みの数字・読めない理由"};

QTableWidgetItem* Cell(const QString& text, const QString& tip = {}) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setToolTip(tip.isEmpty() ? text : tip);
    return item;
}

}  // namespace

PasteDialog::PasteDialog(std::string databasePath, const QString& text, QWidget* parent)
    : QDialog(parent), databasePath_(std::move(databasePath)) {
    setObjectName(QStringLiteral("PasteDialog"));
    setWindowTitle(QStringLiteral("結果の貼り付け"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral(
            "結果のページや表からコピーした文字です。直したら「読み直す」を押してください。"),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("pasteText"));
    text_->setAccessibleName(QStringLiteral("貼り付けた文字"));
    // Text past what a paste reads is not put in the box, which would take
    // long to lay it out; the refusal says why.
    const bool tooMuch = PastedTextTooLong(text);
    if (!tooMuch) text_->setPlainText(text);
    intro->setBuddy(text_);
    layout->addWidget(text_, 1);
    auto* readAgain = new QPushButton(QStringLiteral("読み直す(&R)"), this);
    readAgain->setObjectName(QStringLiteral("readAgainButton"));
    connect(readAgain, &QPushButton::clicked, this, [this] { ReadAgain(); });
    layout->addWidget(readAgain, 0, Qt::AlignLeft);

    auto* rowsLabel =
        new QLabel(QStringLiteral("読み取った回（印を付けた回を登録します）(&L):"), this);
    layout->addWidget(rowsLabel);
    rows_ = new QTableWidget(0, kColumnCount, this);
    rows_->setObjectName(QStringLiteral("pasteRows"));
    rows_->setAccessibleName(QStringLiteral("読み取った回"));
    rowsLabel->setBuddy(rows_);
    QStringList headings;
    for (const char* h : kHeadings) headings.append(QString::fromUtf8(h));
    rows_->setHorizontalHeaderLabels(headings);
    rows_->verticalHeader()->hide();
    rows_->horizontalHeader()->setStretchLastSection(true);
    rows_->setSelectionBehavior(QAbstractItemView::SelectRows);
    connect(rows_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == kTick) UpdateSummary();
    });
    layout->addWidget(rows_, 2);
    detail_ = new QLabel(this);
    detail_->setObjectName(QStringLiteral("pasteDetail"));
    detail_->setWordWrap(true);
    detail_->setTextFormat(Qt::PlainText);
    detail_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    connect(rows_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { ShowDetail(row); });
    layout->addWidget(detail_);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("pasteSummary"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(summary_);

    auto* buttons = new QDialogButtonBox(this);
    register_ = buttons->addButton(QStringLiteral("登録(&S)"), QDialogButtonBox::AcceptRole);
    register_->setObjectName(QStringLiteral("registerButton"));
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(register_, &QPushButton::clicked, this, [this] { Register(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(900, 560);
    if (tooMuch) {
        preview_ = PreviewPaste(text, databasePath_);
        FillRows();
    } else {
        ReadAgain();
    }
}

void PasteDialog::ReadAgain() {
    try {
        preview_ = PreviewPaste(text_->toPlainText(), databasePath_);
    } catch (...) {
        preview_ = {};
        preview_.refusal = QString::fromStdString(MessageOfCurrentException());
    }
    FillRows();
}

void PasteDialog::FillRows() {
    const QSignalBlocker quiet(rows_);
    rows_->setRowCount(static_cast<int>(preview_.rows.size()));
    const std::vector<bool> ticks = FirstTicks(preview_);
    for (int r = 0; r < rows_->rowCount(); ++r) {
        const PreviewRow& row = preview_.rows[static_cast<std::size_t>(r)];
        const PastedDraw& p = row.pasted;
        auto* tick = new QTableWidgetItem;
        const bool readable = row.status != PasteStatus::Unreadable;
        tick->setFlags(readable ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable : Qt::NoItemFlags);
        tick->setCheckState(ticks[static_cast<std::size_t>(r)] ? Qt::Checked : Qt::Unchecked);
        tick->setData(Qt::AccessibleTextRole, QStringLiteral("登録"));
        rows_->setItem(r, kTick, tick);
        rows_->setItem(r, kStatus, Cell(StatusText(row.status)));
        rows_->setItem(r, kDraw,
                       Cell(p.drawNumber > 0 ? QStringLiteral("第%1回").arg(p.drawNumber)
                                             : QStringLiteral("（不明）")));
        rows_->setItem(
            r, kDate,
            Cell(p.date.isValid() ? p.date.toString(QStringLiteral("yyyy/MM/dd")) : QString()));
        rows_->setItem(r, kNumbers,
                       Cell(readable && p.hasNumbers ? PastedNumbersText(p.numbers) : QString()));
        rows_->setItem(r, kPrizes, Cell(PrizeLinesFound(p.prizes), PrizeLinesText(p.prizes)));
        QString note;
        if (!readable) {
            note = p.problem;
        } else if (row.status == PasteStatus::Changed) {
            note = QStringLiteral("登録済み: ") + StoredNumbersText(row);
            if (!row.storedPrizes.Empty()) {
                note += QStringLiteral("　当選金額: ") + PrizeLinesFound(row.storedPrizes);
            }
        } else if (row.status == PasteStatus::Same && row.addsPrizes) {
            note = QStringLiteral("当選金額を追加します");
        }
        rows_->setItem(r, kStoredOrWhy, Cell(note, readable ? note : p.problem + u'\n' + p.source));
    }
    rows_->resizeColumnsToContents();
    UpdateSummary();
    if (rows_->rowCount() > 0) rows_->setCurrentCell(0, kStatus);
    ShowDetail(rows_->currentRow());
}

void PasteDialog::ShowDetail(int row) {
    if (row < 0 || row >= static_cast<int>(preview_.rows.size())) {
        detail_->clear();
        return;
    }
    const PreviewRow& r = preview_.rows[static_cast<std::size_t>(row)];
    QString text;
    if (!r.pasted.problem.isEmpty()) text = r.pasted.problem + u'\n';
    const QString prizes = PrizeLinesText(r.pasted.prizes);
    if (!prizes.isEmpty()) text += QString(prizes).replace(u'\n', QStringLiteral("、")) + u'\n';
    text += QStringLiteral("元の文字:「%1」").arg(QString(r.pasted.source).replace(u'\n', u' '));
    detail_->setText(text);
}

bool PasteDialog::Ticked(int row) const {
    const QTableWidgetItem* item = rows_->item(row, kTick);
    return item && item->checkState() == Qt::Checked;
}

void PasteDialog::SetTicked(int row, bool on) {
    if (QTableWidgetItem* item = rows_->item(row, kTick)) {
        if (item->flags() & Qt::ItemIsUserCheckable)
            item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
}

void PasteDialog::UpdateSummary() {
    if (!preview_.refusal.isEmpty()) {
        summary_->setText(preview_.refusal);
        register_->setEnabled(false);
        return;
    }
    int counts[4] = {};
    int ticked = 0;
    for (int r = 0; r < rows_->rowCount(); ++r) {
        ++counts[static_cast<int>(preview_.rows[static_cast<std::size_t>(r)].status)];
        ticked += Ticked(r) ? 1 : 0;
    }
    QString text = QStringLiteral(
                       "%1回分を読み取りました（新規 %2、登録済みと同じ %3、登録済みと違う %4、"
                       "読めません %5）。登録するのは %6回分です。")
                       .arg(rows_->rowCount())
                       .arg(counts[0])
                       .arg(counts[1])
                       .arg(counts[2])
                       .arg(counts[3])
                       .arg(ticked);
    if (!preview_.gaps.empty())
        text += u'\n' + QString::fromStdString(MissingDrawsWarning(preview_.gaps));
    summary_->setText(text);
    register_->setEnabled(ticked > 0);
}

void PasteDialog::Register() {
    std::vector<bool> ticked;
    for (int r = 0; r < rows_->rowCount(); ++r) ticked.push_back(Ticked(r));
    for (std::size_t r = 0; r < ticked.size(); ++r) {
        if (!ticked[r] || preview_.rows[r].status != PasteStatus::Changed) continue;
        if (!AskYesNo(this, ReplaceQuestion(preview_.rows[r]))) {
            ticked[r] = false;
            SetTicked(static_cast<int>(r), false);
        }
    }
    const std::vector<CsvDraw> draws = DrawsToStore(preview_, ticked);
    if (draws.empty()) {
        ShowMessage(this, QStringLiteral("登録する回がありません。"), QMessageBox::Information,
                    QStringLiteral("結果の貼り付け"));
        return;
    }
    try {
        report_ = ImportDraws(draws, databasePath_, ImportMode::ReplaceStored);
    } catch (...) {
        ShowMessage(this, QString::fromStdString(MessageOfCurrentException()));
        return;
    }
    accept();
}

std::optional<ImportReport> PasteResults(QWidget* parent, const std::string& databasePath,
                                         const QString& text) {
    PasteDialog dialog(databasePath, text, parent);
    if (dialog.exec() != QDialog::Accepted || !dialog.Report()) return std::nullopt;
    const ImportReport& report = *dialog.Report();
    ShowMessage(parent, QString::fromStdString(ImportReportText(report, databasePath)),
                report.missing.empty() ? QMessageBox::Information : QMessageBox::Warning,
                QStringLiteral("結果の貼り付け"));
    return report;
}

QString ClipboardTextForPaste(QWidget* parent) {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data && data->hasText()) return data->text();
    if (data && data->hasHtml()) return data->html();
    ShowMessage(parent,
                data && data->hasImage()
                    ? QStringLiteral("クリップボードにあるのは画像です。画像は読めないので、結果の"
                                     "文字を選んでコピーしてください。")
                    : QStringLiteral("クリップボードに文字がありません。結果のページで当選番号の部"
                                     "分を選んでコピーしてから、もう一度選んでください。"),
                QMessageBox::Information, QStringLiteral("結果の貼り付け"));
    return {};
}
