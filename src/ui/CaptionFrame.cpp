#include "ui/CaptionFrame.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegion>
#include <QStyle>

namespace {

const QColor kLineColour(0xa0, 0xa0, 0xa0);

}  // namespace

CaptionFrame::CaptionFrame(const QString& caption, const QFont& captionFont, QWidget* parent)
    : QGroupBox(caption, parent), captionFont_(captionFont) {
    // Otherwise a reader names a group inside another group after the outer
    // one's title.
    setAccessibleName(QString(caption).remove(QLatin1Char('&')));
}

// The caption is centred in a box as wide as its text and a space, as a
// group box's style lays out its title.  The line runs round the frame below
// `kLineTop`, broken by the caption's box and its padding.
void CaptionFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(captionFont_);
    const QFontMetrics metrics(captionFont_, this);
    const QRect caption(kCaptionLeft + kCaptionPadding, 0,
                        metrics.size(Qt::TextShowMnemonic, title() + QLatin1Char(' ')).width(),
                        metrics.height());
    painter.setClipRegion(QRegion(rect()) -
                          caption.adjusted(-kCaptionPadding, 0, kCaptionPadding, 0));
    const QRect line(0, kLineTop, width(), height() - kLineTop);
    painter.fillRect(line.left(), line.top(), line.width(), 1, kLineColour);
    painter.fillRect(line.left(), line.bottom(), line.width(), 1, kLineColour);
    painter.fillRect(line.left(), line.top(), 1, line.height(), kLineColour);
    painter.fillRect(line.right(), line.top(), 1, line.height(), kLineColour);
    painter.setClipping(false);
    int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this)) {
        flags |= Qt::TextHideMnemonic;
    }
    style()->drawItemText(&painter, caption, flags, palette(), isEnabled(), title(),
                          QPalette::WindowText);
}
