#pragma once

#include <QIcon>
#include <QProxyStyle>
#include <map>
#include <utility>

// The program's style: the platform's own, with long scroll bars and the
// frames of tall group boxes painted in bands.
//
// Qt's raster engine hands every fill of 96 spans or more (a span is a run of
// pixels in one row) to its thread pool and waits for the pool to finish.  A
// scroll bar 800 pixels long makes a dozen such hand-overs at each paint, and
// each one waits for a sleeping pool thread to wake: tens of microseconds on
// a virtual machine or a processor in a deep idle state, often longer than
// the fill itself.  Painted a band of at most `kBandLength` pixels at a time,
// every fill stays short enough for the GUI thread to do itself, and the
// pixels are those of the control painted whole.
class ProgramStyle : public QProxyStyle {
  public:
    // On the style `baseName` names (QStyleFactory's keys); the platform's
    // default style when empty or unknown.
    explicit ProgramStyle(const QString& baseName);

    static constexpr int kBandLength = 90;

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

    // The base style's icon, made once for each icon and direction when it
    // depends on nothing else.
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

  private:
    mutable std::map<std::pair<StandardPixmap, Qt::LayoutDirection>, QIcon> icons_;

    void DrawInBands(ComplexControl control, const QStyleOptionComplex& option,
                     Qt::Orientation along, QPainter& painter, const QImage& target,
                     const QWidget* widget) const;
};

// The name of the style `style` is, or is built on: what a style made for
// one widget passes to stay the program's style.
QString BaseStyleName(const QStyle& style);
