#include "ui/AnalysisWindow.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "core/QtConversions.h"
#include "grid/Twips.h"
#include "ui/ChildHost.h"
#include "ui/GridOutput.h"
#include "ui/Legend.h"
#include "ui/WindowDocuments.h"
#include "ui/WindowParts.h"

namespace {

ChildWindowSetup SetupOf(const AnalysisInfo& info) {
    return {.name = FromView(info.name),
            .caption = FromView(info.caption),
            .widthTwips = info.widthTwips,
            .heightTwips = info.heightTwips,
            .clearsPropEnd = info.clearsPropEnd,
            .events = info.events};
}

}  // namespace

AnalysisWindow::AnalysisWindow(ChildHost& host, const AnalysisInfo& info, QWidget* parent)
    : ChildWindow(host, SetupOf(info), parent), info_(info) {
    Label1 = new QLabel(FromView(info.label), this);
    Label1->setObjectName("Label1");
    fpSpread1 = new GridView(this);
    fpSpread1->setObjectName("fpSpread1");
    Command1 = new QPushButton(QStringLiteral("閉じる"), this);
    Command1->setObjectName("Command1");
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    output_ = new GridOutput(this, [this] { return Document(); });
    output_->AddMenuTo(fpSpread1);
    if (info.hasPrintButton) {
        Command2 = new QPushButton(QStringLiteral("印刷"), this);
        Command2->setObjectName("Command2");
        connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    }
    legend_ = MakeLegend(info.legend, this);
    fpSpread1->Model()->SetCellMeanings(LegendMeanings(info.legend));
}

void AnalysisWindow::Compute() {
    if (!info_.build) return;
    info_.build(Host().Snapshot(), grid_);
    grid_.DoneWriting();
    drawRange_ = DrawRangeText(Host().Snapshot().Draws);
}

void AnalysisWindow::Present() {
    // The grid's place does not depend on its layout: place it first and
    // lay the grid out once, for that size.
    PlaceControls();
    fpSpread1->SetGridFitted(&grid_, true);
}

void AnalysisWindow::Command1_Click() { CloseChildWindow(this); }

void AnalysisWindow::Command2_Click() { output_->Print(); }

GridDocument AnalysisWindow::Document() const {
    return AnalysisDocument(info_, grid_, fpSpread1->Geometry(), drawRange_);
}

void AnalysisWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceControls();
}

// Label and buttons along the top, the grid from 600 twips down (or where the
// window fixes it), the legend under the grid.  The grid follows the window's
// size unless the window fixes its size.
void AnalysisWindow::PlaceControls() {
    const int margin = TwipsToPixels(kWindowMarginTwips, this);
    const int buttonWidth = TwipsToPixels(kCommandButtonWidthTwips, this);
    const int buttonHeight = TwipsToPixels(kCommandButtonHeightTwips, this);
    const int w = width();
    const int h = height();

    Command1->setGeometry(w - margin - buttonWidth, margin, buttonWidth, buttonHeight);
    int labelRight = Command1->x() - margin;
    if (Command2) {
        Command2->setGeometry(Command1->x() - buttonWidth - margin / 2, margin, buttonWidth,
                              buttonHeight);
        labelRight = Command2->x() - margin;
    }
    const int gridLeft =
        TwipsToPixels(info_.gridLeftTwips ? info_.gridLeftTwips : kWindowMarginTwips, this);
    int gridTop = TwipsToPixels(info_.gridTopTwips ? info_.gridTopTwips : kGridTopTwips, this);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Measured as one line: a word-wrapped label's size hint is narrower.
    const int lineWidth = Label1->fontMetrics().horizontalAdvance(Label1->text());
    if (lineWidth <= labelRight - margin) {
        Label1->setGeometry(margin, margin, labelRight - margin, buttonHeight);
    } else {
        // A description longer than the room beside the buttons goes under
        // them, across the window, on as many lines as it needs, and the
        // grid moves down to make room.
        const int labelWidth = std::max(0, w - 2 * margin);
        const int labelTop = margin + buttonHeight + margin / 2;
        const int labelHeight = Label1->heightForWidth(labelWidth);
        Label1->setGeometry(margin, labelTop, labelWidth, labelHeight);
        gridTop = std::max(gridTop, labelTop + labelHeight + margin / 2);
    }

    const int legendHeight = legend_ ? legend_->sizeHint().height() + margin / 2 : 0;
    const int gridWidth = info_.gridWidthTwips ? TwipsToPixels(info_.gridWidthTwips, this)
                                               : std::max(0, w - gridLeft - margin);
    // A grid of a fixed height still ends inside the window.
    const int room = std::max(0, h - gridTop - margin - legendHeight);
    const int gridHeight =
        info_.gridHeightTwips ? std::min(room, TwipsToPixels(info_.gridHeightTwips, this)) : room;
    fpSpread1->setGeometry(gridLeft, gridTop, gridWidth, gridHeight);
    if (legend_) {
        legend_->setGeometry(gridLeft, gridTop + gridHeight + margin / 2, gridWidth,
                             legend_->sizeHint().height());
    }
}
