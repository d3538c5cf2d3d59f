#pragma once

#include <QFont>
#include <QGroupBox>

// A compact group box: a one-pixel grey line round its contents, with the
// caption set into the top line near its left end.  It paints itself, so a
// window with a dozen of them needs no style sheet, which Qt would match
// against every widget inside at every polish and paint.
//
// The caption has a font of its own; the widgets inside keep the window's.
class CaptionFrame : public QGroupBox {
  public:
    // Left of the caption's gap in the top line, the room on each side of
    // the caption inside it, and how far down the top line runs.
    static constexpr int kCaptionLeft = 6;
    static constexpr int kCaptionPadding = 2;
    static constexpr int kLineTop = 7;

    CaptionFrame(const QString& caption, const QFont& captionFont, QWidget* parent = nullptr);

    const QFont& CaptionFont() const { return captionFont_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QFont captionFont_;
};
