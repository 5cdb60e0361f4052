#include "ui/window_centring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace {

QMargins frameMargins(const QWidget &window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

// Waits for the window manager's frame: its title bar and borders are known only after the
// window is shown, when the manager has reparented it and the window has moved.
class CentreWhenFramed final : public QObject {
    Q_OBJECT

public:
    explicit CentreWhenFramed(QWidget &window)
        : QObject(&window)
        , m_window(window) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == &m_window && event->type() == QEvent::Move &&
            !frameMargins(m_window).isNull()) {
            m_window.removeEventFilter(this);
            centreOnScreen(m_window);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget &m_window;
};

} // namespace

QPoint centredFramePosition(QSize client, QMargins frame, QRect available) {
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, client.grownBy(frame), available)
        .topLeft();
}

void centreOnScreen(QWidget &window) {
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen) {
        window.move(
            centredFramePosition(window.size(), frameMargins(window), screen->availableGeometry()));
    }
}

void showCentred(QWidget &window) {
    centreOnScreen(window);
    new CentreWhenFramed(window);
    window.show();
}

#include "window_centring.moc"
