#include "ui/PredictionWindow.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "core/QtConversions.h"
#include "prediction/ReflectionShift.h"
#include "ui/ChildHost.h"
#include "ui/Twips.h"

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

}  // namespace

一発カゾリア予想::一発カゾリア予想(ChildHost& host, PredictionModel& model, QWidget* parent)
    : ChildWindow(host,
                  {.name = QString::fromUtf8(kPredictionWindowName),
                   .caption = QString::fromUtf8(kPredictionWindowName),
                   .widthTwips = kWindowWidthTwips,
                   .heightTwips = kWindowHeightTwips},
                  parent),
      model_(model) {
    const auto px = [this](int twips) { return TwipsToPixels(twips, this); };

    Command2 = new QPushButton(QStringLiteral("印刷"), this);
    Command2->setObjectName("Command2");
    Command2->setEnabled(false);
    Cmd閉じる = new QPushButton(QStringLiteral("閉じる"), this);
    Cmd閉じる->setObjectName(QStringLiteral("Cmd閉じる"));
    const int buttonTop = px(60);
    Cmd閉じる->setGeometry(
        px(kPredictionFrameLeftTwips + kPredictionFrameWidthTwips - kButtonWidthTwips), buttonTop,
        px(kButtonWidthTwips), px(kButtonHeightTwips));
    Command2->setGeometry(Cmd閉じる->x() - px(kButtonWidthTwips + 60), buttonTop,
                          px(kButtonWidthTwips), px(kButtonHeightTwips));
    connect(Cmd閉じる, &QPushButton::clicked, this, [this] { Cmd閉じる_Click(); });
    CreateOptionFrames();
    CreateGrids();
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
    Label15->setGeometry(px(120), px(240), inner, px(kFrameLabelHeightTwips) - px(120));
    const int first = px(kFrameLabelHeightTwips) + px(120);
    const int step = (px(kFrameHeightTwips) - first - px(60)) / ReflectOptions::kCount;
    for (int i = 0; i < ReflectOptions::kCount; ++i) {
        auto* frame = new QGroupBox(FromView(kReflectedAnalyses[i].caption), Frame3);
        frame->setObjectName(QStringLiteral("Frame%1").arg(i + 4));
        frame->setGeometry(px(120), first + i * step, inner, step - 2);
        // A compact frame: caption on the top edge, the two buttons below it.
        frame->setStyleSheet(QStringLiteral(
            "QGroupBox { border: 1px solid #a0a0a0; margin-top: 7px; }"
            "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
        auto* reflect = new QRadioButton(QStringLiteral("反映する"), frame);
        auto* ignore = new QRadioButton(QStringLiteral("反映しない"), frame);
        reflect->setObjectName(QStringLiteral("Opt反映する(%1)").arg(i));
        ignore->setObjectName(QStringLiteral("Opt反映しない(%1)").arg(i));
        const int radioTop = std::max(px(200), step - 2 - reflect->sizeHint().height() - 2);
        reflect->setGeometry(px(360), radioTop, inner / 2 - px(360), reflect->sizeHint().height());
        ignore->setGeometry(inner / 2, radioTop, inner / 2 - px(60), ignore->sizeHint().height());
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
    Label19->setGeometry(px(120), px(240), px(kPredictionFrameWidthTwips - 240), px(600));
    for (int i = 0; i < kPredictionGridCount; ++i) {
        auto* label = new QLabel(FromView(kPredictionGrids[i].label), this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        auto* grid = new GridView(this);
        grid->setObjectName(QStringLiteral("fpSpread1(%1)").arg(i));
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
    int below = 0;  // the bottom of the grid above
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
    if (!model_.Message().empty()) throw UserError(model_.Message());
}

void 一発カゾリア予想::SetOptionButtons() {
    for (int i = 0; i < ReflectOptions::kCount; ++i) {
        (model_.Options().Flag(i) ? Opt反映する[i] : Opt反映しない[i])->setChecked(true);
        Opt反映する[i]->setEnabled(true);
        Opt反映しない[i]->setEnabled(true);
    }
}

void 一発カゾリア予想::Present() {
    for (int i = 0; i < kPredictionGridCount; ++i) fpSpread1[i]->SetGrid(&model_.Grid(i));
    PlaceGrids();
    for (GridView* grid : fpSpread1) grid->FitToPresentSize(false);
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
