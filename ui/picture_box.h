#pragma once

#include <QFrame>
#include <QImage>

// A bordered box that shows a picture at one image pixel per logical pixel from the top-left
// corner of its inner area, clipped at the right and bottom, and never scaled to the box. Given
// the picture drawn again at twice the resolution, it shows that one wherever it paints at more
// than one device pixel to a logical pixel, at the same logical size. It takes the focus like any
// other stop of the Tab order.
class PictureBox final : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setImage(const QImage &image, const QImage &doubleResolution = QImage());
    const QImage &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
    QImage m_doubleResolution; // device pixel ratio 2, so it covers the same logical area
};
