#include "ui/PredictionWindow.h"

#include <QAction>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

#include "core/QtConversions.h"
#include "grid/GridGeometry.h"
#include "grid/Twips.h"
#include "prediction/ReflectionShift.h"
#include "ui/CaptionFrame.h"
#include "ui/ChildHost.h"
#include "ui/GridOutput.h"
#include "ui/WindowDocuments.h"
#include "ui/WindowParts.h"

namespace {

constexpr int kWindowWidthTwips = 10080;
constexpr int kWindowHeightTwips = 8400;
constexpr int kFrameTopTwips = 480;
constexpr int kFrameHeightTwips = 7272;
constexpr int kOptionFrameLeftTwips = 120;
constexpr int kOptionFrameWidthTwips = 3855;
constexpr int kPredictionFrameLeftTwips = 4080;
constexpr int kPredictionFrameWidthTwips = 5775;
constexpr int kFrameLabelHeightTwips = 600;
constexpr int kButtonWidthTwips = 900;
constexpr int kButtonHeightTwips = 330;
constexpr int kGridLabelGapTwips = 20;
// The window's font, or the largest smaller one (down to the smallest grid
// text) in which every option frame's caption fits on the frame's top edge,
// clear of its right end.
QFont CaptionFont(const QFont& font, int frameWidth, double dpi) {
    const int room = frameWidth - 2 * (CaptionFrame::kCaptionLeft + CaptionFrame::kCaptionPadding);
    QFont caption = font;
    const int largest = QFontInfo(font).pixelSize();
    const int smallest =
        static_cast<int>(std::ceil(GridGeometry::kSmallestPoints * dpi / 72 - 1e-9));
    for (int pixels = largest; pixels >= smallest; --pixels) {
        caption.setPixelSize(pixels);
        const QFontMetricsF metrics(caption);
        if (std::all_of(kReflectedAnalyses.begin(), kReflectedAnalyses.end(), [&](const auto& a) {
                return metrics.horizontalAdvance(FromView(a.caption)) <= room;
            })) {
            break;
        }
    }
    return caption;
}

}  // namespace

一発カゾリア予想::一発カゾリア予想(ChildHost& host, PredictionModel& model, QWidget* parent)
    : ChildWindow(host,
                  ToolWindowSetup(kPredictionWindowName, kWindowWidthTwips, kWindowHeightTwips),
                  parent),
      model_(model) {
    const auto px = [this](int twips) { return TwipsToPixels(twips, this); };

    Command2 = new QPushButton(QStringLiteral("印刷"), this);
    Command2->setObjectName("Command2");
    Cmd閉じる = new QPushButton(QStringLiteral("閉じる"), this);
    Cmd閉じる->setObjectName(QStringLiteral("Cmd閉じる"));
    const int buttonTop = px(60);
    Cmd閉じる->setGeometry(
        px(kPredictionFrameLeftTwips + kPredictionFrameWidthTwips - kButtonWidthTwips), buttonTop,
        px(kButtonWidthTwips), px(kButtonHeightTwips));
    Command2->setGeometry(Cmd閉じる->x() - px(kButtonWidthTwips + 60), buttonTop,
                          px(kButtonWidthTwips), px(kButtonHeightTwips));
    connect(Cmd閉じる, &QPushButton::clicked, this, [this] { Cmd閉じる_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    CreateOptionFrames();
    CreateGrids();
    output_ = new GridOutput(this, [this] { return Document(); });
    mnuAddTickets = new QAction(QStringLiteral("購入番号に追加(&T)"), this);
    mnuAddTickets->setObjectName("mnuAddTickets");
    mnuAddTickets->setEnabled(false);
    connect(mnuAddTickets, &QAction::triggered, this, [this] {
        if (!clickedRow_.empty()) Host().AddTickets(this, {clickedRow_});
    });
    for (GridView* grid : fpSpread1) {
        if (Host().CanAddTickets()) {
            grid->addAction(mnuAddTickets);
            auto* separator = new QAction(grid);
            separator->setSeparator(true);
            grid->addAction(separator);
        }
        output_->AddMenuTo(grid);
        grid->viewport()->installEventFilter(this);
    }
}

std::vector<int> 一発カゾリア予想::RowNumbers(int index, int row) const {
    const ResultGrid& grid = model_.Grid(index);
    std::vector<int> numbers;
    if (row < 1 || row > grid.RowCount()) return numbers;
    for (int column = 2; column <= grid.ColumnCount(); ++column) {
        const std::string text = grid.ReadCell(column, row);
        if (text.empty() || text.size() > 2) continue;
        if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            continue;
        }
        const int n = std::stoi(text);
        if (n < kLowestNumber || n > kHighestNumber) continue;
        if (std::find(numbers.begin(), numbers.end(), n) == numbers.end()) numbers.push_back(n);
    }
    if (numbers.size() > static_cast<std::size_t>(kMainCount)) numbers.clear();
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

void 一発カゾリア予想::PrepareRowMenu(int index, int row) {
    clickedRow_ = Host().CanAddTickets() ? RowNumbers(index, row) : std::vector<int>{};
    mnuAddTickets->setEnabled(!clickedRow_.empty());
}

// A right-click remembers the row under the pointer for the menu it opens.
bool 一発カゾリア予想::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        for (int i = 0; i < kPredictionGridCount; ++i) {
            if (watched != fpSpread1[i]->viewport()) continue;
            const QPoint cell =
                fpSpread1[i]->CellAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            PrepareRowMenu(i, cell.y());
        }
    }
    return ChildWindow::eventFilter(watched, event);
}

// The left frame: a description and one frame per analysis family with its
// "反映する" / "反映しない" pair.
void 一発カゾリア予想::CreateOptionFrames() {
    const auto px = [this](int twips) { return TwipsToPixels(twips, this); };
    Frame3 = new QGroupBox(QStringLiteral("データ分析オプション"), this);
    Frame3->setObjectName("Frame3");
    Frame3->setGeometry(px(kOptionFrameLeftTwips), px(kFrameTopTwips), px(kOptionFrameWidthTwips),
                        px(kFrameHeightTwips));
    Label15 = new QLabel(
        QStringLiteral("各データ分析の分析結果を当選予想へ反映するかを設定します。"), Frame3);
    Label15->setObjectName("Label15");
    Label15->setWordWrap(true);
    const int inner = px(kOptionFrameWidthTwips) - px(240);
    // The description under the frame's caption, as many lines as it needs,
    // then the option frames.
    const int labelTop = std::max(px(240), Frame3->contentsRect().top());
    Label15->setGeometry(px(120), labelTop, inner, Label15->heightForWidth(inner));
    const int first =
        std::max(px(kFrameLabelHeightTwips), Label15->geometry().bottom() + 1) + px(30);
    const int step = (px(kFrameHeightTwips) - first - px(30)) / ReflectOptions::kCount;
    const QFont captionFont = CaptionFont(font(), inner, logicalDpiY());
    // Compact option frames: caption on the top edge, the two buttons below
    // it.
    for (int i = 0; i < ReflectOptions::kCount; ++i) {
        auto* frame =
            new CaptionFrame(FromView(kReflectedAnalyses[i].caption), captionFont, Frame3);
        frame->setObjectName(QStringLiteral("Frame%1").arg(i + 4));
        frame->setGeometry(px(120), first + i * step, inner, step - 1);
        auto* reflect = new QRadioButton(QStringLiteral("反映する"), frame);
        auto* ignore = new QRadioButton(QStringLiteral("反映しない"), frame);
        reflect->setObjectName(QStringLiteral("Opt反映する(%1)").arg(i));
        ignore->setObjectName(QStringLiteral("Opt反映しない(%1)").arg(i));
        // The buttons along the bottom, inside the frame's line, no higher
        // than their text so as to stay clear of the caption.
        const int radioHeight =
            std::min(reflect->sizeHint().height(), reflect->fontMetrics().height());
        const int radioTop = frame->height() - 1 - radioHeight;
        reflect->setGeometry(px(360), radioTop, inner / 2 - px(360), radioHeight);
        ignore->setGeometry(inner / 2, radioTop, inner / 2 - px(60), radioHeight);
        connect(reflect, &QRadioButton::clicked, this, [this, i] { Opt反映する_Click(i); });
        connect(ignore, &QRadioButton::clicked, this, [this, i] { Opt反映しない_Click(i); });
        Frames[i] = frame;
        Opt反映する[i] = reflect;
        Opt反映しない[i] = ignore;
    }
}

// The right frame: a description and the four labelled prediction grids,
// placed in window coordinates.
void 一発カゾリア予想::CreateGrids() {
    const auto px = [this](int twips) { return TwipsToPixels(twips, this); };
    Frame2 = new QGroupBox(QStringLiteral("当選予想"), this);
    Frame2->setObjectName("Frame2");
    Frame2->setGeometry(px(kPredictionFrameLeftTwips), px(kFrameTopTwips),
                        px(kPredictionFrameWidthTwips), px(kFrameHeightTwips));
    Label19 = new QLabel(QStringLiteral("各データ分析の結果を元に周期法、消去法、連発カゾリア、"
                                        "一発カゾリアの各手法を用いて当選数字を予想します。"),
                         Frame2);
    Label19->setObjectName("Label19");
    Label19->setWordWrap(true);
    const int labelWidth = px(kPredictionFrameWidthTwips - 240);
    Label19->setGeometry(px(120), std::max(px(240), Frame2->contentsRect().top()), labelWidth,
                         Label19->heightForWidth(labelWidth));
    for (int i = 0; i < kPredictionGridCount; ++i) {
        auto* label = new QLabel(FromView(kPredictionGrids[i].label), this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        auto* grid = new GridView(this);
        grid->setObjectName(QStringLiteral("fpSpread1(%1)").arg(i));
        grid->SetGridName(label->text());
        GridLabels[i] = label;
        fpSpread1[i] = grid;
    }
    PlaceGrids();
}

// Each grid under its label, at its place in the window or lower where the
// grid above it needed more room, and as high as its rows need.
void 一発カゾリア予想::PlaceGrids() {
    const auto px = [this](int twips) { return TwipsToPixels(twips, this); };
    const int left = px(kPredictionGridLeftTwips);
    const int width = px(kPredictionGridWidthTwips);
    const int gap = px(kGridLabelGapTwips);
    // The bottom of what is above: the description, then each grid.
    int below = Frame2->y() + Label19->geometry().bottom() + 1;
    for (int i = 0; i < kPredictionGridCount; ++i) {
        const PredictionGridLayout& layout = kPredictionGrids[i];
        QLabel* label = GridLabels[i];
        GridView* grid = fpSpread1[i];
        const int labelHeight = label->sizeHint().height();
        const int top = std::max(px(layout.topTwips), below + px(120) + labelHeight + gap);
        label->setGeometry(left, top - gap - labelHeight, width, labelHeight);
        const int height = std::max(px(layout.heightTwips), grid->sizeHint().height());
        grid->setGeometry(left, top, width, height);
        below = top + height;
    }
}

void 一発カゾリア予想::Compute() {
    SetOptionButtons();
    model_.Load(Host().Snapshot());
    drawRange_ = DrawRangeText(Host().Snapshot().Draws);
    if (!model_.Message().empty()) throw UserError(model_.Message());
}

void 一発カゾリア予想::SetOptionButtons() {
    for (int i = 0; i < ReflectOptions::kCount; ++i) {
        (model_.Options().Flag(i) ? Opt反映する[i] : Opt反映しない[i])->setChecked(true);
        Opt反映する[i]->setEnabled(true);
        Opt反映しない[i]->setEnabled(true);
    }
}

// The grids' widths are fixed, so each is laid out once, fitted to its
// width, before the grids are placed as high as they then need.
void 一発カゾリア予想::Present() {
    for (int i = 0; i < kPredictionGridCount; ++i) {
        fpSpread1[i]->SetGridFitted(&model_.Grid(i), false);
    }
    PlaceGrids();
}

void 一発カゾリア予想::Opt反映する_Click(int index) {
    Opt反映する.at(index)->setChecked(true);
    model_.SetOption(index, true);
    Present();
}

void 一発カゾリア予想::Opt反映しない_Click(int index) {
    Opt反映しない.at(index)->setChecked(true);
    model_.SetOption(index, false);
    Present();
}

void 一発カゾリア予想::Cmd閉じる_Click() { CloseChildWindow(this); }

void 一発カゾリア予想::Command2_Click() { output_->Print(); }

GridDocument 一発カゾリア予想::Document() const {
    std::array<GridGeometry, kPredictionGridCount> geometries;
    for (int i = 0; i < kPredictionGridCount; ++i) geometries[i] = fpSpread1[i]->Geometry();
    return PredictionDocument(model_, geometries, drawRange_, fpSpread1[0]->font(),
                              fpSpread1[0]->logicalDpiY());
}
