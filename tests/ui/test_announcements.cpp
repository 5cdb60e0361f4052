#include "calc/field.h"
#include "ui/application.h"
#include "ui/main_window.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(Field)

// What the window tells a screen reader beyond the focus and the message box: Qt's
// accessibility announcements, which the build tests only where Qt has them.

// What a screen reader would have been told: Qt hands every accessibility event to the handler
// in place of the platform's bridge while accessibility is active.
class ScreenReader {
public:
    struct Announcement {
        QString message;
        QAccessible::AnnouncementPoliteness politeness;
        QString focus; // the control that had the focus when it was said
    };

    ScreenReader()
        : m_previousHandler(QAccessible::installUpdateHandler(&ScreenReader::record)) {
        s_heard.clear();
        QAccessible::setActive(true);
    }
    ~ScreenReader() {
        QAccessible::setActive(false);
        QAccessible::installUpdateHandler(m_previousHandler);
    }
    ScreenReader(const ScreenReader &) = delete;
    ScreenReader &operator=(const ScreenReader &) = delete;

    static const QList<Announcement> &heard() { return s_heard; }

private:
    static void record(QAccessibleEvent *event) {
        if (event->type() == QAccessible::Announcement) {
            const auto *announcement = static_cast<QAccessibleAnnouncementEvent *>(event);
            s_heard.append({announcement->message(), announcement->politeness(),
                            name(QApplication::focusWidget())});
        }
    }

    static inline QList<Announcement> s_heard;
    QAccessible::UpdateHandler m_previousHandler;
};

class TestAnnouncements : public QObject, public WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase() { useWindowFontEverywhere(); }
    void init();
    void cleanup();

    void screenReaderHearsTheTopSpeed();
    void screenReaderHearsTheFailure_data();
    void screenReaderHearsTheFailure();

private:
    std::unique_ptr<ModalWatchdog> m_modalWatchdog;
};

void TestAnnouncements::init() {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    openWindow();
    m_modalWatchdog = std::make_unique<ModalWatchdog>();
}

void TestAnnouncements::cleanup() {
    const bool modalBoxOpened = m_modalWatchdog->sawModalBox();
    m_modalWatchdog.reset();
    m_window.reset();
    QVERIFY2(!modalBoxOpened, "a modal box opened during the test");
}

// Fifteen results appear without a sound: a blind mechanic is told that they are ready, and the
// top speed first, after the focus has come to rest where it always does.
void TestAnnouncements::screenReaderHearsTheTopSpeed() {
    const ScreenReader reader;
    fillWorkedExample();
    click(QStringLiteral("cmdCalcola"));

    QCOMPARE(reader.heard().size(), 1);
    QCOMPARE(reader.heard()[0].message,
             QStringLiteral("Risultati pronti. 6° Marcia, Velocità Km/h: 114,6056"));
    QCOMPARE(reader.heard()[0].politeness, QAccessible::AnnouncementPoliteness::Polite);
    QCOMPARE(reader.heard()[0].focus, QStringLiteral("Txt12"));
    QCOMPARE(name(QApplication::focusWidget()), QStringLiteral("Txt12"));
}

void TestAnnouncements::screenReaderHearsTheFailure_data() {
    QTest::addColumn<Field>("changed");
    QTest::addColumn<QString>("text");

    QTest::newRow("not a number") << Field::txtPignone << "abc";
    QTest::newRow("markup typed") << Field::txtCirco << "<b>88</b>";
    QTest::newRow("division by zero") << Field::Txt14 << "0";
}

// The message the box shows is said as it stands, the user's text in it as typed, and the focus
// then goes to the box to correct.
void TestAnnouncements::screenReaderHearsTheFailure() {
    QFETCH(Field, changed);
    QFETCH(QString, text);

    const ScreenReader reader;
    fillWorkedExample();
    m_window->setText(changed, text);
    click(QStringLiteral("cmdCalcola"));

    QCOMPARE(m_reports.size(), 1);
    QCOMPARE(reader.heard().size(), 1);
    QCOMPARE(reader.heard()[0].message, m_reports[0]);
    QCOMPARE(reader.heard()[0].politeness, QAccessible::AnnouncementPoliteness::Assertive);
    if (text != QStringLiteral("0")) {
        QVERIFY2(reader.heard()[0].message.contains(QStringLiteral("«%1»").arg(text)),
                 qPrintable(reader.heard()[0].message));
    }
    QCOMPARE(name(QApplication::focusWidget()), fieldName(changed));
}

QTEST_MAIN(TestAnnouncements)
#include "test_announcements.moc"
