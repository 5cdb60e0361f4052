#include "ui/captioned_frame.h"

#include <QPainter>

CaptionedFrame::CaptionedFrame(const QString &title, QWidget *parent)
    : QGroupBox(title, parent) {}

void CaptionedFrame::paintEvent(QPaintEvent * /*event*/) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QRect border = rect().adjusted(0, metrics.height() / 2, -1, -1);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(border.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.adjusted(1, 1, 0, 0));

    const QRect titleArea(8, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    painter.fillRect(titleArea, palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(titleArea, Qt::AlignCenter, title());
}
