#include "ui/ChartHolder.h"

#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/ChartLibrary.h"
#include "ui/Messages.h"

namespace {

void FillWith(QWidget* holder, QWidget* content) {
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

void ShowMissingChart(QWidget* holder) {
    auto* text = new QLabel(ChartLibraryProblem(), holder);
    text->setObjectName("MissingChart");
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FillWith(holder, text);
    static bool told = false;
    if (told) return;
    told = true;
    QTimer::singleShot(0, holder, [holder = QPointer<QWidget>(holder)] {
        if (holder) ShowMessage(holder->window(), ChartLibraryProblem());
    });
}

}  // namespace

void HoldChart(QWidget* holder, Chart* chart) {
    if (chart) {
        FillWith(holder, chart->Widget());
    } else {
        ShowMissingChart(holder);
    }
}

void RenderHeldChart(QWidget* holder, Chart* chart, QPainter& painter, const QRectF& target) {
    if (chart) {
        chart->Render(painter, target);
        return;
    }
    if (holder->width() <= 0 || holder->height() <= 0) return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / holder->width(), target.height() / holder->height());
    holder->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.restore();
}
