#include "entry/EntryWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "core/CurrentException.h"
#include "core/GlobalBas.h"
#include "entry/CloseCheck.h"
#include "entry/DrawEntryModel.h"
#include "entry/EntryColumns.h"
#include "entry/EntryGrid.h"
#include "entry/EntryQuestions.h"
#include "entry/GridLineStyle.h"
#include "entry/NumberCellDelegate.h"
#include "entry/PrizeDialog.h"
#include "grid/Twips.h"
#include "ui/ChildHost.h"
#include "ui/EditMenu.h"
#include "ui/Messages.h"
#include "ui/WindowParts.h"
#include "ui/paste/PasteDialog.h"

namespace {

const QString kWindowName = QStringLiteral("当選データ入力");
constexpr int kHeightTwips = 13450;
constexpr int kWidthTwips = 9000;
constexpr int kVisibleRows = 50;
constexpr double kRowHeightPoints = 10;

}  // namespace

当選データ入力::当選データ入力(ChildHost& host, QWidget* parent)
    : ChildWindow(host,
                  {.name = kWindowName,
                   .caption = kWindowName,
                   .widthTwips = kWidthTwips,
                   .heightTwips = kHeightTwips},
                  parent) {
    Label1 = new QLabel(
        QStringLiteral("当選数字を開催回数毎に入力します。ここのデータが分析対象になります"), this);
    Label1->setObjectName("Label1");
    fpSpread1 = new EntryGrid(this);
    fpSpread1->setObjectName("fpSpread1");
    Command1 = new QPushButton(QStringLiteral("閉じる"), this);
    Command1->setObjectName("Command1");
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    BuildEditMenu();
}

void 当選データ入力::BuildEditMenu() {
    mnuEdit = MakeEditMenu(this);
    mnuAddLine = AddEditCommand(mnuEdit, QStringLiteral("行追加"), "mnuAddLine",
                                QKeySequence(Qt::CTRL | Qt::Key_A), [this] { mnuAddLine_Click(); });
    mnuDelLine = AddEditCommand(mnuEdit, QStringLiteral("行削除"), "mnuDelLine",
                                QKeySequence(Qt::CTRL | Qt::Key_D), [this] { mnuDelLine_Click(); });
    mnuEdit->addSeparator();
    mnuUndo = AddEditCommand(mnuEdit, QStringLiteral("元に戻す(&U)"), "mnuUndo",
                             QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { mnuUndo_Click(); });
    mnuRedo = AddEditCommand(mnuEdit, QStringLiteral("やり直し(&R)"), "mnuRedo",
                             QKeySequence(Qt::CTRL | Qt::Key_Y), [this] { mnuRedo_Click(); });
    mnuEdit->addSeparator();
    mnuPaste = AddEditCommand(mnuEdit, QStringLiteral("結果の貼り付け(&P)..."), "mnuPaste",
                              QKeySequence(Qt::CTRL | Qt::Key_V), [this] { mnuPaste_Click(); });
    mnuPrizes = AddEditCommand(mnuEdit, QStringLiteral("当選金額(&M)..."), "mnuPrizes",
                               QKeySequence(), [this] { mnuPrizes_Click(); });
}

// The record set is opened here and handed to the grid's model, which keeps
// the only reference to it.
void 当選データ入力::Compute() { MakeModel(); }

void 当選データ入力::MakeModel() {
    auto records = std::make_unique<EditableRecordSet>(Host().Snapshot().DatabaseFile);
    model_ = new DrawEntryModel(std::move(records), this);
    model_->SetErrorReporter(
        [this](const QModelIndex& cell, const QString& text) { QueueMessage(cell, text); });
    model_->SetChangeAsker([this](const QString& question, std::function<void()> write) {
        QueueQuestion(question, std::move(write));
    });
}

void 当選データ入力::LoadFailed() {
    QTimer::singleShot(0, this, [this] { CloseChildWindow(this); });
}

void 当選データ入力::Present() {
    QTableView* grid = fpSpread1;
    grid->setItemDelegate(new NumberCellDelegate(grid));
    const double dpi = logicalDpiY() > 0 ? logicalDpiY() : 96.0;
    const int rowHeight = static_cast<int>(std::lround(kRowHeightPoints * dpi / 72.0));
    QHeaderView* rows = grid->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(rowHeight);
    rows->setDefaultSectionSize(rowHeight);
    rows->setDefaultAlignment(Qt::AlignCenter);
    rows->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(rows, &QWidget::customContextMenuRequested, this, [this, rows](QPoint pos) {
        const int section = rows->logicalIndexAt(pos);
        fpSpread1_RightClick(0, 0, section < 0 ? 0 : section + 1, rows->mapToGlobal(pos));
    });
    // Field names wider than their column wrap onto a second line.
    QHeaderView* columns = grid->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setDefaultAlignment(Qt::AlignCenter | Qt::Alignment::fromInt(Qt::TextWordWrap));
    columns->setFixedHeight(2 * columns->fontMetrics().lineSpacing() + 2 * kEntryCellPadding);
    // The headers measure their texts as the model arrives: set up first,
    // they measure them once.
    if (model_) {
        grid->setModel(model_);
        SetColumnWidths();
    }
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid->setShowGrid(true);
    grid->setGridStyle(Qt::SolidLine);
    // Owned by the window, which the grid does not outlive.
    auto* lines = new GridLineStyle(Qt::black);
    lines->setParent(this);
    grid->setStyle(lines);
    grid->setWordWrap(false);
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    if (model_ && model_->rowCount() > 0) grid->setCurrentIndex(model_->index(0, 0));
    PlaceControls();
}

// The ten columns' widths, which a new model resets.
void 当選データ入力::SetColumnWidths() {
    const double charWidth = QFontMetricsF(fpSpread1->font()).horizontalAdvance(QLatin1Char('0'));
    for (int c = 0; c < kEntryColumnCount; ++c)
        fpSpread1->setColumnWidth(c, EntryColumnWidth(c, charWidth));
    FitHeadingWords();
}

// The headings wrap at their words: 「ボーナス」 over 「数字1」.  Where the
// bonus column is too narrow for 「ボーナス」 in the header's font, the
// headings get a font just small enough for it.
void 当選データ入力::FitHeadingWords() {
    QHeaderView* columns = fpSpread1->horizontalHeader();
    const int margins =
        2 * columns->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, columns);
    const int room = fpSpread1->columnWidth(kEntryColumnCount - 1) - margins - 2;
    QFont font = fpSpread1->font();
    const double word = QFontMetricsF(font).horizontalAdvance(QStringLiteral("ボーナス"));
    if (room > 0 && word > room) {
        const double scale = room / word;
        if (font.pointSizeF() > 0) {
            font.setPointSizeF(font.pointSizeF() * scale);
        } else {
            font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * scale)));
        }
    }
    columns->setFont(font);
}

// Label and button along the top; the grid below them, sized to show ten
// columns and fifty rows where the window has room for them.
void 当選データ入力::PlaceControls() {
    const int margin = TwipsToPixels(kWindowMarginTwips, this);
    const int buttonWidth = TwipsToPixels(kCommandButtonWidthTwips, this);
    const int buttonHeight = TwipsToPixels(kCommandButtonHeightTwips, this);
    Command1->setGeometry(width() - margin - buttonWidth, margin, buttonWidth, buttonHeight);
    // The description beside the button, on as many lines as it needs.
    Label1->setWordWrap(true);
    const int labelWidth = std::max(0, Command1->x() - 2 * margin);
    const int labelHeight = std::max(buttonHeight, Label1->heightForWidth(labelWidth));
    Label1->setGeometry(margin, margin, labelWidth, labelHeight);

    QTableView* grid = fpSpread1;
    const int frame = 2 * grid->frameWidth();
    int columnsWidth = 0;
    for (int c = 0; c < kEntryColumnCount; ++c) columnsWidth += grid->columnWidth(c);
    const int wanted = grid->verticalHeader()->sizeHint().width() + columnsWidth +
                       grid->verticalScrollBar()->sizeHint().width() + frame;
    const int tall = grid->horizontalHeader()->height() +
                     kVisibleRows * grid->verticalHeader()->defaultSectionSize() + frame;
    const int top =
        std::max(TwipsToPixels(kGridTopTwips, this), Label1->geometry().bottom() + margin);
    grid->setGeometry(margin, top, std::min(wanted, std::max(0, width() - 2 * margin)),
                      std::min(tall, std::max(0, height() - top - margin)));
}

void 当選データ入力::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceControls();
}

void 当選データ入力::Command1_Click() {
    if (!model_) {
        CloseChildWindow(this);
        return;
    }
    FinishPendingEdit();
    // A refused entry is shown first, and the window stays open to fix it.
    if (ShowQueuedMessages()) return;
    const QModelIndex wrong = FirstWrongCell(*model_);
    if (wrong.isValid()) {
        ShowMessage(this, QStringLiteral("当選データの数字に誤りがあります。"));
        fpSpread1->setCurrentIndex(wrong);
        fpSpread1->scrollTo(wrong);
        return;
    }
    CloseChildWindow(this);
}

// The question names the active cell's draw; the new row, which the
// database numbers after every stored draw, is shown last, where its number
// sorts.
void 当選データ入力::mnuAddLine_Click() {
    if (!model_) return;
    FinishPendingEdit();
    const QModelIndex active = fpSpread1->currentIndex();
    const int column = active.isValid() ? active.column() : 1;
    const int lastRow = model_->rowCount() - 1;
    const EditableRow* last =
        lastRow >= 0 ? &model_->Records().Row(static_cast<std::size_t>(lastRow)) : nullptr;
    // A second empty draw would only leave a gap to fill: go to the first.
    if (last && model_->IsEmpty(lastRow)) {
        ShowMessage(this, EmptyLastRowNotice(*last), QMessageBox::Information);
        GoTo(model_->index(lastRow, std::max(column, 1)));
        return;
    }
    if (!AskYesNo(this, InsertQuestion(last))) return;
    const int added = model_->InsertRowAfter(model_->rowCount() - 1);
    if (added < 0) return;
    GoTo(model_->index(added, column));
}

void 当選データ入力::mnuUndo_Click() {
    if (!model_) return;
    FinishPendingEdit();
    GoTo(model_->Undo());
    ShowQueuedMessages();
}

void 当選データ入力::mnuRedo_Click() {
    if (!model_) return;
    FinishPendingEdit();
    GoTo(model_->Redo());
    ShowQueuedMessages();
}

void 当選データ入力::GoTo(const QModelIndex& cell) {
    if (!cell.isValid()) return;
    fpSpread1->setCurrentIndex(cell);
    fpSpread1->scrollTo(cell);
}

void 当選データ入力::mnuPaste_Click() {
    if (!model_) return;
    FinishPendingEdit();
    const QString text = ClipboardTextForPaste(this);
    if (text.isEmpty()) return;
    if (!PasteResults(this, Host().Snapshot().DatabaseFile, text)) return;
    pasted_ = true;
    Host().PrizesWritten();
    ReadRecordsAgain();
    // New draws sort last: show them.
    if (model_->rowCount() > 0) GoTo(model_->index(model_->rowCount() - 1, 1));
}

void 当選データ入力::mnuPrizes_Click() {
    if (!model_) return;
    FinishPendingEdit();
    const int row = EditRow();
    if (row < 0) return;
    const FieldValue& draw = model_->Records().Row(static_cast<std::size_t>(row)).drawNumber;
    const long long* number = std::get_if<long long>(&draw);
    if (!number) return;
    PrizeDialog dialog(Host().Snapshot().DatabaseFile, static_cast<int>(*number), this);
    if (dialog.exec() == QDialog::Accepted && dialog.Stored()) {
        pasted_ = true;
        Host().PrizesWritten();  // what the tickets won shows at once
    }
}

// The grid keeps its place: the same draw's row, the same column.
void 当選データ入力::ReadRecordsAgain() {
    const QModelIndex active = fpSpread1->currentIndex();
    DrawEntryModel* old = model_;
    try {
        MakeModel();
    } catch (...) {
        model_ = old;
        ShowMessage(this, QString::fromStdString(MessageOfCurrentException()));
        return;
    }
    QItemSelectionModel* oldSelection = fpSpread1->selectionModel();
    fpSpread1->setModel(model_);
    delete oldSelection;
    delete old;
    SetColumnWidths();
    const int last = model_->rowCount() - 1;
    if (last >= 0)
        GoTo(model_->index(std::min(active.isValid() ? active.row() : last, last),
                           active.isValid() ? active.column() : 1));
}

void 当選データ入力::mnuDelLine_Click() {
    if (!model_) return;
    const int row = EditRow();
    if (row < 0) return;
    FinishPendingEdit();
    if (!AskYesNo(this, DeleteQuestion(model_->Records().Row(static_cast<std::size_t>(row)))))
        return;
    model_->DeleteRow(row);
}

void 当選データ入力::fpSpread1_RightClick(int clickType, int column, int row, QPoint globalPos) {
    if (!model_ || clickType != 0 || column != 0) return;
    if (row < 1 || row > model_->rowCount() || !SelectionSpansOneRow()) return;
    mnuEdit->popup(globalPos);
}

// The selected block, or the active cell when nothing is selected.
bool 当選データ入力::SelectionSpansOneRow() const {
    if (fpSpread1->selectionModel()->selection().isEmpty()) {
        return fpSpread1->currentIndex().isValid();
    }
    return SelectedRow() >= 0;
}

// The one row the selection covers, or -1.
int 当選データ入力::SelectedRow() const {
    const QItemSelection selection = fpSpread1->selectionModel()->selection();
    if (selection.isEmpty()) return -1;
    int top = INT_MAX;
    int bottom = INT_MIN;
    for (const QItemSelectionRange& range : selection) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
    }
    return top == bottom ? top : -1;
}

// The row a menu command works on and its question names: the selected row,
// else the active cell's row; -1 when there is neither.
int 当選データ入力::EditRow() const {
    const int selected = SelectedRow();
    if (selected >= 0) return selected;
    const QModelIndex active = fpSpread1->currentIndex();
    return active.isValid() ? active.row() : -1;
}

// A refusal or a database error is shown once the grid has finished
// committing the cell: a message box opened from inside the commit would take
// the focus from the editor and make it commit a second time.
void 当選データ入力::QueueMessage(const QModelIndex&, const QString& text) {
    queued_.append(text);
    QTimer::singleShot(0, this, [this] { ShowQueuedMessages(); });
}

bool 当選データ入力::ShowQueuedMessages() {
    if (queued_.isEmpty()) return false;
    const QStringList texts = std::exchange(queued_, {});
    for (const QString& text : texts) ShowMessage(this, text);
    return true;
}

// A question about a complete stored draw waits, like a refusal, until the
// grid has finished committing; a yes writes the change.
void 当選データ入力::QueueQuestion(const QString& question, std::function<void()> write) {
    questions_.push_back({question, std::move(write)});
    QTimer::singleShot(0, this, [this] { AskQueuedQuestions(); });
}

void 当選データ入力::AskQueuedQuestions() {
    const std::vector<Question> questions = std::exchange(questions_, {});
    for (const Question& question : questions) {
        if (AskYesNo(this, question.text)) question.write();
    }
    ShowQueuedMessages();
}

void 当選データ入力::FinishPendingEdit() {
    if (!model_) return;
    static_cast<EntryGrid*>(fpSpread1)->CommitPendingEdit();
    AskQueuedQuestions();
}

// A value still being typed counts like any other edit; once the window is
// closed, the main window reads the snapshot again if the database changed.
void 当選データ入力::closeEvent(QCloseEvent* event) {
    FinishPendingEdit();
    ShowQueuedMessages();
    ChildWindow::closeEvent(event);
    if (model_ && (model_->Written() || pasted_) && !writeReported_) {
        writeReported_ = true;
        Host().DrawsWritten();
    }
}
