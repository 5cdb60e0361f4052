#include "ui/picture_box.h"

#include <QPaintEngine>
#include <QPainter>

#include <utility>

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
}

void PictureBox::setImage(const QImage &image, std::function<QImage()> doubleResolution) {
    m_image = image;
    m_decodeDoubleResolution = std::move(doubleResolution);
    m_doubleResolution = QImage();
    update();
}

const QImage &PictureBox::doubleResolution() {
    if (m_decodeDoubleResolution) {
        m_doubleResolution = std::exchange(m_decodeDoubleResolution, nullptr)();
        m_doubleResolution.setDevicePixelRatio(2);
    }
    return m_doubleResolution;
}

void PictureBox::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.setClipRect(inner);
    // The ratio of what is painted on now: the backing store of the screen the window is on, or
    // the image that QWidget::render() paints into, which the widget's own ratio does not know.
    const QPaintDevice *target = painter.paintEngine()->paintDevice();
    const qreal ratio = target ? target->devicePixelRatio() : devicePixelRatioF();
    if (ratio > 1 && !doubleResolution().isNull()) {
        // At a ratio of 2 this is one image pixel per device pixel; in between the image is
        // reduced, which keeps more of its detail than enlarging the designed one would.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(inner.topLeft(), m_doubleResolution);
    } else {
        painter.drawImage(inner.topLeft(), m_image);
    }
}
