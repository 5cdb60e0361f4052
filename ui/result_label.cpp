#include "ui/result_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>
#include <QToolTip>

namespace {

// The exponent of a number in exponent form, from its letter on ("E-05"); empty for any other
// text. Results write the exponent as E in every locale, e in C, whatever symbol the locale has.
QString exponentOf(const QString &text) {
    const qsizetype at = text.lastIndexOf(u'E', -1, Qt::CaseInsensitive);
    return at > 0 ? text.mid(at) : QString();
}

} // namespace

ResultLabel::ResultLabel(QWidget *parent)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setIndent(2);
    setAutoFillBackground(true);
}

bool ResultLabel::event(QEvent *event) {
    if (event->type() != QEvent::ToolTip) {
        return QLabel::event(event);
    }
    if (text().isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        // A tooltip guesses whether its text is markup; escaped, the text shows as it is.
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(),
                           Qt::convertFromPlainText(text(), Qt::WhiteSpaceNoWrap), this, rect());
    }
    return true;
}

// Where the label draws its text: inside the frame and the margin, past the indent, as QLabel
// lays out a plain text.
QRect ResultLabel::textArea() const {
    QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const Qt::Alignment aligned = QStyle::visualAlignment(layoutDirection(), alignment());
    if (indent() > 0) {
        if (aligned & Qt::AlignLeft) {
            area.setLeft(area.left() + indent());
        }
        if (aligned & Qt::AlignRight) {
            area.setRight(area.right() - indent());
        }
    }
    return area;
}

// What fits in the given width: the whole text, or its beginning and an ellipsis. A number in
// exponent form keeps its exponent, so that its magnitude shows even when its last digits do
// not: -3,947368E-05 becomes -3,9473…E-05, never a -3,947368 that reads as the whole number.
QString ResultLabel::shownText(int width) const {
    const QFontMetrics metrics = fontMetrics();
    QString whole = text();
    if (metrics.horizontalAdvance(whole) <= width) {
        return whole;
    }
    if (const QString exponent = exponentOf(whole); !exponent.isEmpty()) {
        const QString mantissa = metrics.elidedText(whole.chopped(exponent.size()), Qt::ElideRight,
                                                    width - metrics.horizontalAdvance(exponent));
        if (!mantissa.isEmpty()) {
            return mantissa + exponent;
        }
    }
    return metrics.elidedText(whole, Qt::ElideRight, width);
}

void ResultLabel::paintEvent(QPaintEvent * /*event*/) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = textArea();
    const QString shown = shownText(area.width());
    QStyleOption option;
    option.initFrom(this);
    // QStyle takes the alignment as the int of its flags.
    const auto flags = static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment()));
    style()->drawItemText(&painter, area, flags, option.palette, isEnabled(), shown,
                          foregroundRole());
}
