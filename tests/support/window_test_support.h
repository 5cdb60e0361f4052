#pragma once

#include "ui/failure_reporter.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

// A control's name for messages, also when there is none.
inline QString name(const QWidget *widget) {
    return widget ? widget->objectName() : QStringLiteral("(none)");
}

// The window's control of that name; a test cannot go on without it.
template<typename T = QWidget>
T *controlOf(const QWidget &window, const QString &objectName) {
    T *widget = window.findChild<T *>(objectName);
    if (!widget) {
        qFatal("no control %s", qPrintable(objectName));
    }
    return widget;
}

// Keeps what the window would have shown in a message box.
class RecordingReporter final : public FailureReporter {
public:
    explicit RecordingReporter(QStringList &messages)
        : m_messages(messages) {}
    void report(QWidget *, const QString &message) override { m_messages.append(message); }

private:
    QStringList &m_messages;
};

// A real modal box would wait for a click that never comes in a headless run. While it lives,
// the watchdog closes any that opens and remembers it, so that the test fails instead of hanging.
class ModalWatchdog {
public:
    ModalWatchdog() {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                m_seen = true;
                modal->close();
            }
        });
        m_timer.start(200);
    }
    ModalWatchdog(const ModalWatchdog &) = delete;
    ModalWatchdog &operator=(const ModalWatchdog &) = delete;

    bool sawModalBox() const { return m_seen; }

private:
    QTimer m_timer;
    bool m_seen = false;
};

// A small real picture, the kind a pasted <img> tag could name for rich text to load.
inline bool writePicture(const QString &path) {
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    return picture.save(path, "PNG");
}

// When the file was last read. A fresh QFileInfo each time, or the answer would be cached.
inline QDateTime lastRead(const QString &path) {
    return QFileInfo(path).lastRead();
}

// Marks the file as last read days ago, so that a read now moves its access time even where
// that is kept lazily (relatime), and returns that time; an invalid time if it cannot.
inline QDateTime lastReadDaysAgo(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) ||
        !file.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileAccessTime)) {
        return {};
    }
    file.close();
    return lastRead(path);
}
