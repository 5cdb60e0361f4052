// What the window takes from Windows itself, checked on Qt's windows platform: the dialog face,
// the captions' face, the inactive-border colour as it changes, and the centring with the frame.
#include "ui/application.h"
#include "ui/looks.h"
#include "ui/main_window.h"
#include "ui/system_look.h"
#include "ui/window_centring.h"
#include "window_test_support.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include <memory>
#include <windows.h>

namespace {

// Sets the colour as the Control Panel does: for the whole session, with WM_SYSCOLORCHANGE
// sent to every top-level window.
bool setSystemInactiveBorder(const QColor &colour) {
    const int element = COLOR_INACTIVEBORDER;
    const COLORREF value = RGB(colour.red(), colour.green(), colour.blue());
    return SetSysColors(1, &element, &value) != 0;
}

} // namespace

class TestWindowsDesktop : public QObject, public WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void boxesAndResultsWearTheDialogFace();
    void captionsWearComicSansOrItsStandIn();
    void filledBoxesFollowTheInactiveBorderColour();
    void opensCentredWithItsFrame();

private:
    QColor m_inactiveBorder;
};

void TestWindowsDesktop::initTestCase() {
    useWindowFontEverywhere();
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("windows"));
    QVERIFY(inactiveBorderColour());
    m_inactiveBorder = *inactiveBorderColour();
    qInfo("inactive border %s gives %s", qPrintable(m_inactiveBorder.name()),
          qPrintable(filledBackground(QApplication::palette(), QPalette::Active).name()));
}

void TestWindowsDesktop::init() {
    m_window = std::make_unique<MainWindow>();
    m_window->setFailureReporter(std::make_unique<RecordingReporter>(m_reports));
    showCentred(*m_window);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestWindowsDesktop::cleanup() {
    m_window.reset();
    if (inactiveBorderColour().value() != m_inactiveBorder) {
        QVERIFY(setSystemInactiveBorder(m_inactiveBorder));
    }
}

// The face Windows' dialogs are drawn in (Tahoma behind "MS Shell Dlg 2"), at 8 points: what
// the design's 19-pixel boxes and 17-pixel labels were made for.
void TestWindowsDesktop::boxesAndResultsWearTheDialogFace() {
    for (const char *name : {"txtGiri", "Txt13", "lblP", "LblF"}) {
        const QFontInfo face(control(name)->font());
        QCOMPARE(face.family(), QStringLiteral("Tahoma"));
        QCOMPARE(face.pointSize(), 8);
        QVERIFY(!face.bold());
    }
}

// Windows has the face; where it is missing (under Wine), Comic Neue stands in.
void TestWindowsDesktop::captionsWearComicSansOrItsStandIn() {
    for (const char *name : {"lblPignone", "LblMotori", "Command7", "cmdCalcola"}) {
        const QFontInfo face(control(name)->font());
        QVERIFY2(face.family() == QStringLiteral("Comic Sans MS") ||
                     face.family() == QStringLiteral("Comic Neue"),
                 qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(name), face.family())));
        QVERIFY(face.bold());
    }
}

// The user picks another colour for inactive borders; the open window takes it at once, as it
// is where it reads, and adjusted where it would not.
void TestWindowsDesktop::filledBoxesFollowTheInactiveBorderColour() {
    const auto *result = control<QLabel>("lblGc");
    const auto *preset = control<QLineEdit>("Txt5");

    const QColor classic(212, 208, 200);
    QVERIFY(setSystemInactiveBorder(classic));
    QTRY_COMPARE(result->palette().color(QPalette::Window), classic);
    QCOMPARE(preset->palette().color(QPalette::Base), classic);

    // White would melt into the white boxes the user types into.
    QVERIFY(setSystemInactiveBorder(Qt::white));
    QTRY_VERIFY(result->palette().color(QPalette::Window) != classic);
    const QColor adjusted = result->palette().color(QPalette::Window);
    QVERIFY2(adjusted != QColor(Qt::white), qPrintable(adjusted.name()));
    QVERIFY(contrastRatio(adjusted, preset->palette().color(QPalette::Text)) >=
            comfortableContrast);
    QVERIFY(contrastRatio(adjusted, control<QLineEdit>("txtGiri")->palette().color(
                                        QPalette::Base)) >= minimumSeparation);
}

void TestWindowsDesktop::opensCentredWithItsFrame() {
    QCOMPARE(m_window->size(), QSize(882, 725));
    const QRect available = m_window->screen()->availableGeometry();
    const QPointF offset = QRectF(m_window->frameGeometry()).center() - QRectF(available).center();
    QVERIFY2(m_window->frameGeometry() != m_window->geometry(), "the window has no frame");
    QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
             qPrintable(QStringLiteral("%1, %2 from the middle").arg(offset.x()).arg(offset.y())));
}

QTEST_MAIN(TestWindowsDesktop)
#include "test_windows_desktop.moc"
