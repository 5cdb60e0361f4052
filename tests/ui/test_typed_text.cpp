#include "calc/field.h"
#include "ui/main_window.h"
#include "window_test_support.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// A file that Qt's rich text would load for <img src="x.png">: a real picture, named relative to
// the working folder, so that the tag stays short enough to be quoted whole.
const QString pictureName = QStringLiteral("x.png");

// When the file was last read. A fresh QFileInfo each time, or the answer would be cached.
QDateTime lastRead(const QString &path) {
    return QFileInfo(path).lastRead();
}

// What a screen reader is told about an object.
QString spoken(QObject *object, QAccessible::Text text) {
    QAccessibleInterface *interface = QAccessible::queryAccessibleInterface(object);
    return interface ? interface->text(text) : QStringLiteral("(not accessible)");
}

// What the user met in the message box, noted while it was open.
struct ShownBox {
    int opened = 0;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::WindowModality modality = Qt::NonModal;
    QList<QMessageBox::StandardButton> buttons;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QString spokenLabel;
    QString spokenBox;
};

} // namespace

class TestTypedText : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void messageBoxShowsTypedTextAsItIs_data();
    void messageBoxShowsTypedTextAsItIs();

private:
    // Clicks "Calcola Cambio" with the window's own reporter and notes every box that opens,
    // painting it once before its OK button closes it.
    ShownBox calculateAndNoteTheBox();

    QTemporaryDir m_folder;
    QString m_previousFolder;
    std::unique_ptr<MainWindow> m_window;
    bool m_quitRequested = false;
};

void TestTypedText::initTestCase() {
    QVERIFY(m_folder.isValid());
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(m_folder.filePath(pictureName)));
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { m_quitRequested = true; });
}

void TestTypedText::init() {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    m_previousFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_folder.path()));
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestTypedText::cleanup() {
    m_window.reset();
    QDir::setCurrent(m_previousFolder);
    QVERIFY(!m_quitRequested);
}

ShownBox TestTypedText::calculateAndNoteTheBox() {
    ShownBox shown;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&shown] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            return;
        }
        ++shown.opened;
        auto *box = qobject_cast<QMessageBox *>(modal);
        const auto *label =
            box ? box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")) : nullptr;
        if (!label) {
            modal->close();
            return;
        }
        // Painted, as the user sees it: rich text would fetch its pictures by now.
        box->grab();
        shown.title = box->windowTitle();
        shown.icon = box->icon();
        shown.modality = box->windowModality();
        for (QAbstractButton *button : box->buttons()) {
            shown.buttons.append(box->standardButton(button));
        }
        shown.text = label->text();
        shown.format = label->textFormat();
        shown.spokenLabel = spoken(const_cast<QLabel *>(label), QAccessible::Name);
        shown.spokenBox = spoken(box, QAccessible::Value);
        QTest::mouseClick(box->buttons().value(0), Qt::LeftButton);
    });
    poll.start(20);
    QTest::mouseClick(controlOf(*m_window, QStringLiteral("cmdCalcola")), Qt::LeftButton);
    return shown;
}

void TestTypedText::messageBoxShowsTypedTextAsItIs_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");

    QTest::newRow("bold") << "<b>x</b>"
                          << "«Corona»: «<b>x</b>» non è un numero.";
    QTest::newRow("picture") << "<img src=\"x.png\">"
                             << "«Corona»: «<img src=\"x.png\">» non è un numero.";
    QTest::newRow("picture after a number") << "30<img src=x.png>"
                                            << "«Corona»: «30<img src=x.png>» non è un numero.";
    QTest::newRow("link") << "<a href=\"x.png\">30</a>"
                          << "«Corona»: «<a href=\"x.png\">30</a>» non è un numero.";
    QTest::newRow("entity") << "&amp;"
                            << "«Corona»: «&amp;» non è un numero.";
    QTest::newRow("escaped tag") << "&lt;b&gt;"
                                 << "«Corona»: «&lt;b&gt;» non è un numero.";
    QTest::newRow("lone <") << "3<0"
                            << "«Corona»: «3<0» non è un numero.";
}

// A mechanic pastes numbers from chats and web pages. Whatever came along is quoted in the
// message character for character: nothing of it is read as markup, and nothing it names is
// opened. The box is the one the user meets, and afterwards the program runs on with the paste
// still in its box.
void TestTypedText::messageBoxShowsTypedTextAsItIs() {
    QFETCH(QString, typed);
    QFETCH(QString, message);

    const QString picture = m_folder.filePath(pictureName);
    {
        QFile file(picture);
        QVERIFY(file.open(QIODevice::ReadWrite));
        // Days ago: a read now moves the access time even where it is kept lazily (relatime).
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-3),
                                 QFileDevice::FileAccessTime));
    }
    const QDateTime untouched = lastRead(picture);

    m_window->setText(Field::txtGiri, QStringLiteral("14000"));
    m_window->setText(Field::txtCirco, QStringLiteral("88"));
    m_window->setText(Field::txtPignone, QStringLiteral("17"));
    m_window->setText(Field::txtCorona, typed);
    const ShownBox shown = calculateAndNoteTheBox();

    QCOMPARE(shown.opened, 1);
    QCOMPARE(shown.title, QStringLiteral("Dentaro v.2.0"));
    QCOMPARE(shown.icon, QMessageBox::Warning);
    QCOMPARE(shown.modality, Qt::ApplicationModal);
    QCOMPARE(shown.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
    QCOMPARE(shown.text, message);
    QCOMPARE(shown.spokenLabel, message);
    QCOMPARE(shown.spokenBox, message);

    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->text(Field::txtCorona), typed);
    QCOMPARE(name(m_window->focusWidget()), QStringLiteral("txtCorona"));
    QCOMPARE(controlOf<QLineEdit>(*m_window, QStringLiteral("txtCorona"))->selectedText(), typed);

    QCOMPARE(lastRead(picture), untouched);
    // The check above can fail only where reading a file leaves a trace: read it here.
    {
        QFile file(picture);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!file.readAll().isEmpty());
    }
    const bool readsLeaveATrace = lastRead(picture) != untouched;

    // Plain text is painted as it is, so the user sees what the screen reader reads.
    QCOMPARE(shown.format, Qt::PlainText);
    if (!readsLeaveATrace) {
        QSKIP("this file system records no reads, so it cannot tell whether the box read the "
              "picture");
    }
}

QTEST_MAIN(TestTypedText)
#include "test_typed_text.moc"
