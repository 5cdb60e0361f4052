#pragma once

#include <QFrame>
#include <QImage>

#include <functional>

// A bordered box that shows a picture at one image pixel per logical pixel from the top-left
// corner of its inner area, clipped at the right and bottom, and never scaled to the box. Given
// a way to the picture drawn again at twice the resolution, it shows that one wherever it paints
// at more than one device pixel to a logical pixel, at the same logical size; it decodes it the
// first time it is needed, so that a window on an ordinary screen never pays for it. It takes the
// focus like any other stop of the Tab order.
class PictureBox final : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setImage(const QImage &image, std::function<QImage()> doubleResolution = {});
    const QImage &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QImage &doubleResolution();

    QImage m_image;
    std::function<QImage()> m_decodeDoubleResolution;
    QImage m_doubleResolution; // device pixel ratio 2, so it covers the same logical area
};
