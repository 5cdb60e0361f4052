#include "ui/picture_box.h"

#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
}

void PictureBox::setImage(const QImage &image) {
    m_image = image;
    update();
}

void PictureBox::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.setClipRect(inner);
    // The image's device pixel ratio is 1, so on a high-dpi screen it is drawn at logical size,
    // like every other control of the window.
    painter.drawImage(inner.topLeft(), m_image);
}
