#include <gtest/gtest.h>

#include <QApplication>
#include <QCommonStyle>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <memory>
#include <vector>

#include "grid/ProgramStyle.h"

namespace {

// A base style that only notes what each paint of a complex control was
// asked to draw: the part of the control its painter reaches, and the parts.
class NotingStyle : public QCommonStyle {
  public:
    struct Paint {
        QRect reach;
        QStyle::SubControls parts;
    };
    std::vector<Paint>* paints = nullptr;

    void drawComplexControl(ComplexControl, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget*) const override {
        const QRect device(0, 0, painter->device()->width(), painter->device()->height());
        QRect reach = painter->transform().inverted().mapRect(device);
        if (painter->hasClipping()) reach &= painter->clipBoundingRect().toAlignedRect();
        paints->push_back({reach, option->subControls});
    }
};

std::vector<NotingStyle::Paint> PaintsOfScrollBar(Qt::Orientation orientation, QSize size) {
    std::vector<NotingStyle::Paint> paints;
    ProgramStyle style(QString{});
    auto* noting = new NotingStyle;
    noting->paints = &paints;
    style.setBaseStyle(noting);
    QStyleOptionSlider bar;
    bar.orientation = orientation;
    bar.rect = QRect(QPoint(0, 0), size);
    bar.minimum = 0;
    bar.maximum = 1000;
    bar.pageStep = 100;
    bar.subControls = QStyle::SC_All;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    style.drawComplexControl(QStyle::CC_ScrollBar, &bar, &painter);
    return paints;
}

// What `widget` looks like with `style`.
QImage Look(QWidget& widget, QStyle& style) {
    widget.setStyle(&style);
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
}

// `bar` painted by `style` at (7, 5) on a grey image with pixel ratio
// `ratio`.
QImage Painted(const QStyle& style, const QStyleOptionSlider& bar, qreal ratio) {
    QImage image((bar.rect.size() + QSize(14, 10)) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(200, 210, 220));
    QPainter painter(&image);
    painter.translate(7, 5);
    style.drawComplexControl(QStyle::CC_ScrollBar, &bar, &painter);
    return image;
}

// The bands of one paint, one after the other along `orientation`, each at
// most 90 pixels long, and the whole bar covered.
void ExpectBandsCover(const std::vector<NotingStyle::Paint>& paints, Qt::Orientation orientation,
                      QSize size) {
    QRect covered;
    for (size_t i = 0; i < paints.size(); ++i) {
        const QRect reach = paints[i].reach;
        EXPECT_LE(orientation == Qt::Vertical ? reach.height() : reach.width(), 90) << i;
        if (i > 0) {
            const QRect before = paints[i - 1].reach;
            EXPECT_EQ(orientation == Qt::Vertical ? reach.top() : reach.left(),
                      orientation == Qt::Vertical ? before.bottom() + 1 : before.right() + 1)
                << i;
        }
        // Each band gets every part: a part may leave the painter's state to
        // the next one.
        EXPECT_EQ(paints[i].parts, QStyle::SC_All) << i;
        covered |= reach;
    }
    EXPECT_TRUE(covered.contains(QRect(QPoint(0, 0), size)));
}

}  // namespace

TEST(ProgramStyle, PaintsLongScrollBarsInBandsShortOnesWhole) {
    const std::vector<NotingStyle::Paint> tall = PaintsOfScrollBar(Qt::Vertical, {16, 800});
    // 800 rows and a margin of 8 at each end in bands of 90: the tenth band
    // lies wholly in the margin below the image, and is left out.
    EXPECT_EQ(tall.size(), 9u);
    ExpectBandsCover(tall, Qt::Vertical, {16, 800});

    const std::vector<NotingStyle::Paint> wide = PaintsOfScrollBar(Qt::Horizontal, {200, 16});
    EXPECT_EQ(wide.size(), 3u);
    ExpectBandsCover(wide, Qt::Horizontal, {200, 16});

    const std::vector<NotingStyle::Paint> shortBar = PaintsOfScrollBar(Qt::Vertical, {16, 90});
    ASSERT_EQ(shortBar.size(), 1u);
    EXPECT_EQ(shortBar[0].reach, QRect(0, 0, 16, 90));
}

TEST(ProgramStyle, LooksExactlyLikeItsBaseStyle) {
    const QString base = BaseStyleName(*QApplication::style());
    ASSERT_FALSE(base.isEmpty());
    ProgramStyle program(base);
    const std::unique_ptr<QStyle> plain(QStyleFactory::create(base));
    ASSERT_TRUE(plain);

    for (const auto& [orientation, size] :
         {std::pair{Qt::Vertical, QSize(17, 803)}, std::pair{Qt::Horizontal, QSize(611, 17)}}) {
        QScrollBar bar(orientation);
        bar.resize(size);
        bar.setRange(0, 5000);
        bar.setPageStep(40);
        for (int value : {0, 2471, 5000}) {
            bar.setValue(value);
            EXPECT_EQ(Look(bar, program), Look(bar, *plain)) << orientation << " at " << value;
        }

        // The states a user brings about, at twice the pixels too.
        QStyleOptionSlider option;
        option.initFrom(&bar);
        option.orientation = orientation;
        if (orientation == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
        option.maximum = 5000;
        option.pageStep = 40;
        option.subControls = QStyle::SC_All;
        const std::pair<QStyle::State, QStyle::SubControl> states[] = {
            {QStyle::State_MouseOver, QStyle::SC_ScrollBarSlider},
            {QStyle::State_Sunken, QStyle::SC_ScrollBarSlider},
            {QStyle::State_Sunken, QStyle::SC_ScrollBarAddLine},
            {QStyle::State_None, QStyle::SC_None}};
        for (int position : {0, 300, 3000, 5000}) {
            for (const auto& [state, active] : states) {
                QStyleOptionSlider shown = option;
                shown.sliderPosition = shown.sliderValue = position;
                shown.state |= state;
                shown.activeSubControls = active;
                for (qreal ratio : {1.0, 2.0}) {
                    EXPECT_EQ(Painted(program, shown, ratio), Painted(*plain, shown, ratio))
                        << orientation << " state " << int(state) << " ratio " << ratio << " at "
                        << position;
                }
            }
        }
    }

    QGroupBox box(QStringLiteral("予想の条件"));
    box.setCheckable(true);
    box.resize(240, 431);
    EXPECT_EQ(Look(box, program), Look(box, *plain));
}

TEST(ProgramStyle, KeepsTheIconsOfAWindowsSystemMenu) {
    const QString base = BaseStyleName(*QApplication::style());
    ProgramStyle program(base);
    const std::unique_ptr<QStyle> plain(QStyleFactory::create(base));
    for (QStyle::StandardPixmap icon :
         {QStyle::SP_TitleBarNormalButton, QStyle::SP_TitleBarMinButton,
          QStyle::SP_TitleBarMaxButton, QStyle::SP_TitleBarCloseButton}) {
        const QIcon first = program.standardIcon(icon);
        EXPECT_EQ(program.standardIcon(icon).cacheKey(), first.cacheKey()) << icon;
        EXPECT_EQ(first.pixmap(16).toImage(), plain->standardIcon(icon).pixmap(16).toImage())
            << icon;
    }
    // With an option the icon may depend on it, and is asked for each time.
    QStyleOption option;
    EXPECT_NE(program.standardIcon(QStyle::SP_TitleBarCloseButton, &option).cacheKey(),
              program.standardIcon(QStyle::SP_TitleBarCloseButton, &option).cacheKey());
}
