#pragma once

#include <QLabel>

// A result of the computation: one line of plain text in a sunken panel. A text wider than the
// panel shows what fits of it with an ellipsis, so that no part of a number passes for the whole
// of it; text() keeps the whole, which the computation reads back, the tooltip shows and a screen
// reader reads.
class ResultLabel final : public QLabel {
    Q_OBJECT

public:
    explicit ResultLabel(QWidget *parent = nullptr);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textArea() const;
    QString shownText(int width) const;
};
