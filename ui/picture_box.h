#pragma once

#include <QFrame>
#include <QImage>

// A bordered box that shows a picture at one image pixel per screen pixel from the top-left
// corner of its inner area, clipped at the right and bottom, and never scaled. It takes the focus
// like any other stop of the Tab order.
class PictureBox final : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};
