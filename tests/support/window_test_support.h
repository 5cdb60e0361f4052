#pragma once

#include "calc/field.h"
#include "fixtures/worked_example.h"
#include "ui/failure_reporter.h"
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAnyStringView>
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <memory>

// A control's name for messages, also when there is none.
inline QString name(const QWidget *widget) {
    return widget ? widget->objectName() : QStringLiteral("(none)");
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

// What the user met in a message box, noted while it was open.
struct NotedBox {
    int opened = 0; // modal windows that opened, message boxes or not
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::WindowModality modality = Qt::NonModal;
    QList<QMessageBox::StandardButton> buttons;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QString spokenLabel;
    QString spokenBox;
    QSize frameSize;
    int labelWidth = 0; // what the message's label has
    int labelNeeds = 0; // and what it needs, in pixels
    int labelLines = 0;
    bool buttonInside = false; // its first button shown whole within the box
};

// What a screen reader is told about an object.
inline QString spoken(QObject *object, QAccessible::Text text) {
    QAccessibleInterface *interface = QAccessible::queryAccessibleInterface(object);
    return interface ? interface->text(text) : QStringLiteral("(not accessible)");
}

// What the widget tests share: the main window, its controls found by name, the worked example
// filled in as a mechanic fills it, and the message box noted while it is open.
class WindowFixture {
protected:
    // Opens the window, its failures noted in m_reports rather than shown, and waits until it is
    // active.
    void openWindow() {
        m_reports.clear();
        m_window = std::make_unique<MainWindow>();
        m_window->setFailureReporter(std::make_unique<RecordingReporter>(m_reports));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    // The window's control of that name; a test cannot go on without it.
    template<typename T = QWidget>
    T *control(QAnyStringView objectName) const {
        T *widget = m_window->findChild<T *>(objectName.toString());
        if (!widget) {
            qFatal("no control %s", qPrintable(objectName.toString()));
        }
        return widget;
    }

    void click(QAnyStringView button) const { QTest::mouseClick(control(button), Qt::LeftButton); }

    // The "Tm K8" preset's button clicked, the four boxes typed in as the worked example has
    // them.
    void fillWorkedExample() const {
        click("Command2");
        const MemorySheet example = workedExampleSheet();
        for (const Field field :
             {Field::txtGiri, Field::txtCirco, Field::txtPignone, Field::txtCorona}) {
            control<QLineEdit>(fieldName(field))->setText(example.text(field));
        }
    }

    // Clicks "Calcola Cambio" and notes every modal window that opens meanwhile. The first message
    // box is painted once, as the user sees it (rich text would fetch its pictures then), noted,
    // and closed with its first button; any other modal window is closed.
    NotedBox calculateAndNoteTheBox() const {
        NotedBox noted;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &poll, [&noted] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal) {
                return;
            }
            ++noted.opened;
            auto *box = qobject_cast<QMessageBox *>(modal);
            auto *label =
                box ? box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")) : nullptr;
            QAbstractButton *button = box ? box->buttons().value(0) : nullptr;
            if (!label || !button || noted.opened > 1) {
                modal->close();
                return;
            }
            box->grab();
            noted.title = box->windowTitle();
            noted.icon = box->icon();
            noted.modality = box->windowModality();
            for (QAbstractButton *each : box->buttons()) {
                noted.buttons.append(box->standardButton(each));
            }
            noted.text = label->text();
            noted.format = label->textFormat();
            noted.spokenLabel = spoken(label, QAccessible::Name);
            noted.spokenBox = spoken(box, QAccessible::Value);
            noted.frameSize = box->frameGeometry().size();
            noted.labelWidth = label->width();
            noted.labelNeeds = label->minimumSizeHint().width();
            noted.labelLines = label->height() / label->fontMetrics().lineSpacing();
            noted.buttonInside =
                button->isVisible() &&
                box->rect().contains(QRect(button->mapTo(box, QPoint()), button->size()));
            QTest::mouseClick(button, Qt::LeftButton);
        });
        poll.start(20);
        click("cmdCalcola");
        return noted;
    }

    std::unique_ptr<MainWindow> m_window;
    QStringList m_reports;
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
