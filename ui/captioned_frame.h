#pragma once

#include <QGroupBox>

// A group box drawn as a plain etched rectangle whose title interrupts its top edge. The
// platform style would tint the inside and drop the top edge below the title, right through the
// gear grid's headings.
class CaptionedFrame final : public QGroupBox {
    Q_OBJECT

public:
    explicit CaptionedFrame(const QString &title, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
