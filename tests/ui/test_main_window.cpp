#include "calc/presets.h"
#include "designed_window.h"
#include "runtime/number_text.h"
#include "ui/application.h"
#include "ui/images.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"
#include "ui/window_centring.h"
#include "window_test_support.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <memory>

Q_DECLARE_METATYPE(Field)

namespace {

// What a widget paints for a screen of the given device pixel ratio: QWidget::render() paints at
// the ratio of the image it paints into. Pixels are addressed in device pixels.
QImage paintedAt(QWidget *widget, qreal ratio) {
    QImage image((QSizeF(widget->size()) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::magenta);
    widget->render(&image);
    return image;
}

// Mean over the pixels of area of the difference between the images, over the three colours.
double meanDifference(const QImage &a, const QImage &b, const QRect &area) {
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * area.width() * area.height());
}

// How much neighbouring pixels differ on average: the finer the detail, the more.
double sharpness(const QImage &image) {
    const QRect left(0, 0, image.width() - 1, image.height());
    return meanDifference(image.copy(left), image.copy(left.translated(1, 0)), left);
}

QString shown(const QRect &r) {
    return QStringLiteral("%1, %2 %3 x %4 px").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The names of the controls that receive the focus, in the order they receive it.
class FocusInLog final : public QObject {
public:
    QStringList names;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::FocusIn && watched->isWidgetType()) {
            names.append(watched->objectName());
        }
        return false;
    }
};

} // namespace

class TestMainWindow : public QObject, public WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase() { useWindowFontEverywhere(); }
    void init();
    void cleanup();

    void opensEmptyWithTheFocusInGiriMotore();
    void centredOnItsScreen();
    void opensCentredFrameIncluded();
    void centringCountsTheFrame_data();
    void centringCountsTheFrame();
    void everyControlStandsWhereTheDesignPutsIt();
    void looksFollowTheirGroups();
    void tabAndShiftTabWalkTheStops();
    void presetButtonFillsItsRow_data();
    void presetButtonFillsItsRow();
    void standardCircumferenceButton();
    void calcolaFillsEveryResult();
    void calcolaSweepsTheFocusThroughEveryBox();
    void failureIsReportedOnceAndKeepsTheInputs_data();
    void failureIsReportedOnceAndKeepsTheInputs();
    void textBoxesTakeAnyText();
    void messageForALongPasteFitsTheScreen();
    void messageBoxSpeaksInTheWindowsFont();
    void accessibleNamesAreTheCaptions();
    void embeddedImagesDecodeAtTheirSizes();
    void photoIsShownUnscaledFromItsTopLeftCorner();
    void doubleResolutionPhotoIsTheSameDrawingWithFinerDetail();
    void photoIsShownPixelForPixelAtEachRatio_data();
    void photoIsShownPixelForPixelAtEachRatio();
    void inBetweenRatiosReduceTheDoubleResolutionPhoto();
    void esciEndsTheProgram();
    void closingTheWindowEndsTheProgram();

private:
    QLineEdit *box(Field field) const { return control<QLineEdit>(fieldName(field)); }
    // Runs the event loop until the program asks to end, and returns its exit status.
    int runUntilTheProgramEnds();

    std::unique_ptr<ModalWatchdog> m_modalWatchdog;
};

void TestMainWindow::init() {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    openWindow();
    m_modalWatchdog = std::make_unique<ModalWatchdog>();
}

void TestMainWindow::cleanup() {
    const bool modalBoxOpened = m_modalWatchdog->sawModalBox();
    m_modalWatchdog.reset();
    m_window.reset();
    QVERIFY2(!modalBoxOpened, "a modal box opened during the test");
}

int TestMainWindow::runUntilTheProgramEnds() {
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(5000);
    return QCoreApplication::exec();
}

void TestMainWindow::centredOnItsScreen() {
    m_window->move(0, 0);
    centreOnScreen(*m_window);
    const QRect available = m_window->screen()->availableGeometry();
    const QPoint offset = m_window->frameGeometry().center() - available.center();
    QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
             qPrintable(QStringLiteral("%1, %2 from the middle").arg(offset.x()).arg(offset.y())));
}

void TestMainWindow::opensCentredFrameIncluded() {
    MainWindow window;
    window.setFailureReporter(std::make_unique<RecordingReporter>(m_reports));
    // The headless screen is smaller than the design and pushes larger windows back onto it.
    window.resize(window.screen()->availableSize() * 3 / 4);
    showCentred(window);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    const QRect available = window.screen()->availableGeometry();
    const QPointF offset = QRectF(window.frameGeometry()).center() - QRectF(available).center();
    QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
             qPrintable(QStringLiteral("%1, %2 from the middle").arg(offset.x()).arg(offset.y())));
}

void TestMainWindow::centringCountsTheFrame_data() {
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QRect>("available");

    const QRect screen(0, 0, 1280, 1024);
    QTest::newRow("no window manager") << QMargins() << screen;
    // openbox's title bar and borders: left, top, right, bottom.
    QTest::newRow("openbox") << QMargins(1, 20, 1, 5) << screen;
    QTest::newRow("thick frame") << QMargins(8, 31, 8, 8) << screen;
    QTest::newRow("panel at the top") << QMargins(1, 20, 1, 5) << QRect(0, 32, 1920, 1048);
    QTest::newRow("dock on the left, second screen")
        << QMargins(4, 24, 4, 4) << QRect(1344, 0, 1216, 1440);
}

// The window the user sees is the client area in its frame: that whole rectangle must stand in
// the middle of the area left free by panels, not the client area alone nor the whole screen.
void TestMainWindow::centringCountsTheFrame() {
    QFETCH(QMargins, frame);
    QFETCH(QRect, available);

    const QSize client(882, 725);
    const QRect framed(centredFramePosition(client, frame, available), client.grownBy(frame));
    const QPointF offset = QRectF(framed).center() - QRectF(available).center();
    QVERIFY2(qAbs(offset.x()) <= 0.5 && qAbs(offset.y()) <= 0.5,
             qPrintable(QStringLiteral("%1, %2 from the middle").arg(offset.x()).arg(offset.y())));
}

void TestMainWindow::opensEmptyWithTheFocusInGiriMotore() {
    for (const Field field : allFields()) {
        QVERIFY2(m_window->text(field).isEmpty(), qPrintable(fieldName(field)));
    }
    QCOMPARE(name(QApplication::focusWidget()), QStringLiteral("txtGiri"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("13500"));
    QCOMPARE(m_window->text(Field::txtGiri), QStringLiteral("13500"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Dentaro v.2.0"));
    QCOMPARE(m_window->size(), QSize(882, 725));
}

void TestMainWindow::everyControlStandsWhereTheDesignPutsIt() {
    // Each container holds the design's controls and no others, in creation order, which is
    // also the order they stack in.
    QHash<QString, QStringList> created;
    for (const DesignedControl &design : designedControls) {
        created[QString::fromLatin1(design.container)].append(QString::fromUtf8(design.name));
    }
    QCOMPARE(m_window->objectName(), QStringLiteral("ve"));
    for (auto it = created.cbegin(); it != created.cend(); ++it) {
        const QWidget *container =
            it.key() == m_window->objectName() ? m_window.get() : control(it.key());
        QStringList children;
        for (const QWidget *child :
             container->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            children.append(child->objectName());
        }
        QCOMPARE(children, it.value());
    }

    for (const DesignedControl &design : designedControls) {
        const QString controlName = QString::fromUtf8(design.name);
        QWidget *widget = control(controlName);
        QCOMPARE(name(widget->parentWidget()), QString::fromLatin1(design.container));
        QVERIFY2(widget->isVisible() && widget->isEnabled(), qPrintable(controlName));

        // Twips at 96 dpi; a rule is a one-pixel strip from its first end point to its second.
        const bool rule = design.kind == DesignedKind::Line;
        const bool across = rule && design.top == design.height;
        const auto px = [](int twips) {
            return twips / designedTwipsPerPixel;
        };
        const QRect designed =
            rule ? QRect(px(design.left), px(design.top), qMax(1, px(design.width - design.left)),
                         qMax(1, px(design.height - design.top)))
                 : QRect(px(design.left), px(design.top), px(design.width), px(design.height));
        QVERIFY2(widget->geometry() == designed,
                 qPrintable(QStringLiteral("%1 at %2, designed at %3")
                                .arg(controlName, shown(widget->geometry()), shown(designed))));

        const QString caption = QString::fromUtf8(design.caption);
        switch (design.kind) {
        case DesignedKind::Label: {
            const auto *label = qobject_cast<QLabel *>(widget);
            QVERIFY2(label, qPrintable(controlName));
            QCOMPARE(label->text(), caption);
            QVERIFY(label->autoFillBackground()); // labels are opaque
            if (design.look == DesignedLook::CaptionLabel) {
                QVERIFY(label->wordWrap() && (label->alignment() & Qt::AlignLeft));
            } else {
                // Either a border or right-aligned figures sets a result apart.
                QVERIFY(label->frameShape() != QFrame::NoFrame ||
                        (label->alignment() & Qt::AlignRight));
            }
            break;
        }
        case DesignedKind::Button:
            QVERIFY2(qobject_cast<QPushButton *>(widget), qPrintable(controlName));
            QCOMPARE(qobject_cast<QPushButton *>(widget)->text(), caption);
            break;
        case DesignedKind::Frame:
            QVERIFY2(qobject_cast<QGroupBox *>(widget), qPrintable(controlName));
            QCOMPARE(qobject_cast<QGroupBox *>(widget)->title(), caption);
            break;
        case DesignedKind::TextBox:
            QVERIFY2(qobject_cast<QLineEdit *>(widget), qPrintable(controlName));
            break;
        case DesignedKind::PictureBox:
            QVERIFY2(qobject_cast<PictureBox *>(widget), qPrintable(controlName));
            break;
        case DesignedKind::Line: {
            const auto *line = qobject_cast<QFrame *>(widget);
            QVERIFY2(line && !qobject_cast<QLabel *>(widget), qPrintable(controlName));
            QCOMPARE(line->frameShape(), across ? QFrame::HLine : QFrame::VLine);
            QCOMPARE(widget->focusPolicy(), Qt::NoFocus);
            break;
        }
        }
    }
    // Gear n's boxes, ratio and speed share its row, left to right.
    for (int gear = 1; gear <= gearCount; ++gear) {
        const QRect prim = box(primaryTeeth(gear))->geometry();
        const QRect sec = box(secondaryTeeth(gear))->geometry();
        const QRect ratio = control(fieldName(gearRatio(gear)))->geometry();
        const QRect speed = control(fieldName(gearSpeed(gear)))->geometry();
        QCOMPARE(prim.top(), ratio.top());
        QCOMPARE(sec.top(), speed.top());
        QVERIFY(prim.right() < sec.left() && sec.right() < ratio.left() &&
                ratio.right() < speed.left());
    }
}

void TestMainWindow::looksFollowTheirGroups() {
    const QPalette desktop = QApplication::palette();
    // The filled grey is the system's inactive-border colour, whatever shade that is here.
    const QColor filled = control(QStringLiteral("lblP"))->palette().color(QPalette::Window);
    QVERIFY(filled != desktop.color(QPalette::Base));
    for (const DesignedControl &design : designedControls) {
        const QWidget *widget = control(QString::fromUtf8(design.name));
        const QString shown = QString::fromUtf8(design.name);
        const QFont font = widget->font();
        QVERIFY2(!font.italic() && !font.underline() && !font.strikeOut(), qPrintable(shown));
        if (design.points > 0) {
            QCOMPARE(font.family(), QStringLiteral("Comic Sans MS"));
            QVERIFY2(font.bold(), qPrintable(shown));
            QVERIFY2(font.pointSizeF() == design.points, qPrintable(shown));
        } else if (design.look != DesignedLook::None) {
            // The boxes and results keep the window's font even inside the 14-point frame.
            QVERIFY2(font == m_window->font(), qPrintable(shown));
        }
        const QPalette &colours = widget->palette();
        switch (design.look) {
        case DesignedLook::ResultLabel:
            QCOMPARE(colours.color(QPalette::Window), filled);
            break;
        case DesignedLook::PresetBox:
            QCOMPARE(colours.color(QPalette::Base), filled);
            break;
        case DesignedLook::UserBox:
            QCOMPARE(colours.color(QPalette::Base), desktop.color(QPalette::Base));
            break;
        case DesignedLook::CaptionLabel:
            QCOMPARE(colours.color(QPalette::Window), desktop.color(QPalette::Window));
            break;
        case DesignedLook::Button:
        case DesignedLook::Frame:
        case DesignedLook::None:
            break;
        }
    }
    // The design sets no font on the window: the program picks one that fits the boxes.
    QVERIFY(m_window->font().family() != QStringLiteral("Comic Sans MS") &&
            !m_window->font().bold());
}

void TestMainWindow::tabAndShiftTabWalkTheStops() {
    const auto &stops = designedTabStops;
    for (std::size_t i = 1; i <= stops.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(name(QApplication::focusWidget()), QString::fromLatin1(stops[i % stops.size()]));
    }
    for (std::size_t i = stops.size(); i > 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(name(QApplication::focusWidget()), QString::fromLatin1(stops[i - 1]));
    }
    // Clicking a label or the frame leaves the focus where it was.
    QTest::mouseClick(control(QStringLiteral("lblPignone")), Qt::LeftButton);
    QTest::mouseClick(control(QStringLiteral("frmCambio")), Qt::LeftButton);
    QCOMPARE(name(QApplication::focusWidget()), QStringLiteral("txtGiri"));
}

void TestMainWindow::presetButtonFillsItsRow_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < 6; ++i) {
        QTest::newRow(qPrintable(QStringLiteral("Command%1").arg(i + 1))) << i;
    }
}

void TestMainWindow::presetButtonFillsItsRow() {
    QFETCH(int, index);
    const EnginePreset &preset = enginePresets()[static_cast<std::size_t>(index)];
    const QString button = QStringLiteral("Command%1").arg(index + 1);
    QCOMPARE(control<QPushButton>(button)->text(), QString::fromUtf8(preset.caption));

    fillWorkedExample();
    box(Field::txtCirco)->setText(QStringLiteral("90,5"));
    click(QStringLiteral("cmdCalcola"));
    QVERIFY(m_reports.isEmpty());
    QStringList before;
    for (const Field field : allFields()) {
        before.append(m_window->text(field));
    }

    click(button);
    const std::span<const Field, 14> teeth = presetFields();
    for (std::size_t i = 0; i < teeth.size(); ++i) {
        QCOMPARE(m_window->text(teeth[i]), QString::number(preset.teeth[i]));
    }
    // The user's four boxes and every result stay as they were.
    for (const Field field : allFields()) {
        if (std::find(teeth.begin(), teeth.end(), field) == teeth.end()) {
            QCOMPARE(m_window->text(field), before[static_cast<int>(field)]);
        }
    }
    // The focus is where the click put it: on the button.
    QCOMPARE(name(QApplication::focusWidget()), button);
}

void TestMainWindow::standardCircumferenceButton() {
    box(Field::txtGiri)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("91"));
    click(QStringLiteral("Command7"));
    for (const Field field : allFields()) {
        QCOMPARE(m_window->text(field),
                 field == Field::txtCirco ? QStringLiteral("88") : QString());
    }
    QCOMPARE(name(QApplication::focusWidget()), QStringLiteral("Command7"));
}

void TestMainWindow::calcolaFillsEveryResult() {
    fillWorkedExample();
    click(QStringLiteral("cmdCalcola"));

    QVERIFY(m_reports.isEmpty());
    for (const Field field : resultFields()) {
        QVERIFY2(textToNumber(m_window->text(field)).has_value(), qPrintable(fieldName(field)));
    }
    QCOMPARE(m_window->text(Field::lblP), QStringLiteral("3,947368"));
    QVERIFY(std::abs(*textToNumber(m_window->text(Field::LblF)) - 114.6056) < 1e-3);
    QCOMPARE(name(QApplication::focusWidget()), QStringLiteral("Txt12"));

    // Pressed from the keyboard, the same command.
    box(Field::txtGiri)->setText(QStringLiteral("0"));
    control(QStringLiteral("cmdCalcola"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(m_window->text(Field::lblA), QStringLiteral("0"));
    QCOMPARE(name(QApplication::focusWidget()), QStringLiteral("Txt12"));
}

void TestMainWindow::calcolaSweepsTheFocusThroughEveryBox() {
    fillWorkedExample();
    control(QStringLiteral("cmdCalcola"))->setFocus();
    FocusInLog log;
    qApp->installEventFilter(&log);
    click(QStringLiteral("cmdCalcola"));
    qApp->removeEventFilter(&log);
    QVERIFY(m_reports.isEmpty());
    QStringList sweep;
    for (const char *box : designedFocusSweep) {
        sweep.append(QString::fromLatin1(box));
    }
    QCOMPARE(log.names, sweep);
}

void TestMainWindow::failureIsReportedOnceAndKeepsTheInputs_data() {
    QTest::addColumn<Field>("changed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Field>("box");
    QTest::addColumn<QString>("message");

    QTest::newRow("not a number") << Field::txtPignone << "abc" << Field::txtPignone
                                  << "Il campo «Pignone» contiene «abc», che non è un numero.";
    QTest::newRow("other separator")
        << Field::txtCirco << "87.5" << Field::txtCirco
        << "Il campo «Circonferenza Gomma» contiene «87.5», che non è un numero. Usa la virgola "
           "come separatore decimale.";
    QTest::newRow("division by zero")
        << Field::Txt14 << "0" << Field::Txt14
        << "Divisione per zero: il campo «Cor. Primaria» non può valere zero.";
    QTest::newRow("overflow")
        << Field::txtCirco << "1e306" << Field::txtCirco
        << "Risultato troppo grande: controlla il campo «Circonferenza Gomma».";
}

void TestMainWindow::failureIsReportedOnceAndKeepsTheInputs() {
    QFETCH(Field, changed);
    QFETCH(QString, text);
    QFETCH(Field, box);
    QFETCH(QString, message);

    fillWorkedExample();
    click(QStringLiteral("cmdCalcola"));
    QVERIFY(m_reports.isEmpty());
    m_window->setText(changed, text);
    QStringList inputs;
    for (const Field field : inputFields()) {
        inputs.append(m_window->text(field));
    }

    click(QStringLiteral("cmdCalcola"));
    QCOMPARE(m_reports, QStringList{message});
    for (const Field field : inputFields()) {
        QCOMPARE(m_window->text(field), inputs[static_cast<int>(field)]);
    }
    for (const Field field : resultFields()) {
        QVERIFY2(m_window->text(field).isEmpty(), qPrintable(fieldName(field)));
    }
    QCOMPARE(name(QApplication::focusWidget()), fieldName(box));
    QCOMPARE(this->box(box)->selectedText(), text);
}

void TestMainWindow::textBoxesTakeAnyText() {
    const QString typed = QStringLiteral("-+,.e àè°ß€ 日本");
    for (const QChar c : typed) {
        QTest::sendKeyEvent(QTest::Click, box(Field::txtGiri), Qt::Key_unknown, QString(c),
                            Qt::NoModifier);
    }
    QCOMPARE(m_window->text(Field::txtGiri), typed);

    const QString longText(40000, u'7');
    box(Field::Txt3)->setText(longText);
    QTest::keyClicks(box(Field::Txt3), QStringLiteral("8"));
    QCOMPARE(m_window->text(Field::Txt3).size(), 40001);
}

// The message box is a window of its own, which takes the program's font, not its parent's.
void TestMainWindow::messageBoxSpeaksInTheWindowsFont() {
    const std::unique_ptr<QMessageBox> box =
        failureMessageBox(m_window.get(), QStringLiteral("«Giri Motore»"));
    QCOMPARE(box->font().family(), m_window->font().family());
    QCOMPARE(box->font().pointSizeF(), m_window->font().pointSizeF());
}

// A spreadsheet column pasted by mistake: the real message box opens with its whole message in
// view, well within a 1024 x 768 screen, and its button closes it; the box keeps the paste.
void TestMainWindow::messageForALongPasteFitsTheScreen() {
    m_modalWatchdog.reset(); // this test opens the box on purpose and closes it itself
    m_window->setFailureReporter(std::make_unique<MessageBoxReporter>());
    fillWorkedExample();
    const QString pasted = QString(20000, u'1') + QString(20000, u'2');
    box(Field::txtGiri)->setText(pasted);

    const NotedBox shown = calculateAndNoteTheBox();
    m_modalWatchdog = std::make_unique<ModalWatchdog>();

    QVERIFY2(shown.text.startsWith(QStringLiteral("Il campo «Giri Motore» contiene «1111")),
             qPrintable(shown.text));
    QVERIFY2(shown.text.contains(QStringLiteral("…2222")), qPrintable(shown.text));
    QVERIFY2(
        shown.frameSize.width() <= 1024 && shown.frameSize.height() <= 768,
        qPrintable(
            QStringLiteral("%1 x %2").arg(shown.frameSize.width()).arg(shown.frameSize.height())));
    QVERIFY2(shown.labelNeeds <= shown.labelWidth,
             qPrintable(
                 QStringLiteral("needs %1 of %2 px").arg(shown.labelNeeds).arg(shown.labelWidth)));
    QVERIFY2(shown.labelLines <= 4, qPrintable(QString::number(shown.labelLines)));
    QVERIFY(shown.buttonInside);
    QCOMPARE(m_window->text(Field::txtGiri), pasted);
    QCOMPARE(name(m_window->focusWidget()), QStringLiteral("txtGiri"));
}

void TestMainWindow::accessibleNamesAreTheCaptions() {
    QCOMPARE(box(Field::txtGiri)->accessibleName(), QStringLiteral("Giri Motore"));
    QCOMPARE(box(Field::Txt13)->accessibleName(), QStringLiteral("Pign. Primaria"));
    QCOMPARE(box(Field::Txt8)->accessibleName(), QStringLiteral("2° Marcia, Sec."));
    const QWidget *speed = control(QStringLiteral("LblC"));
    QCOMPARE(speed->accessibleDescription(), QStringLiteral("3° Marcia, Velocità Km/h"));
    QVERIFY(speed->accessibleName().isEmpty()); // the toolkit reads the label's text instead
}

void TestMainWindow::embeddedImagesDecodeAtTheirSizes() {
    QFile icon(QStringLiteral(":/images/helmet.ico"));
    QVERIFY(icon.open(QIODevice::ReadOnly));
    QCOMPARE(icon.size(), 3262);
    QImageReader iconReader(&icon, "ico");
    QCOMPARE(iconReader.imageCount(), 1);
    const QImage colours = iconReader.read();
    QCOMPARE(colours.depth(), 32); // 24-bit colour, padded by the reader

    // The window's helmet is the one the artwork generator drew at 32 pixels, as the theme's
    // PNG holds it: every pixel's transparency, and the colour of every pixel that shows.
    const QImage helmet = helmetImage();
    const QImage drawn(QStringLiteral(DENTARO_HELMET_PNG));
    QCOMPARE(helmet.size(), QSize(32, 32));
    QCOMPARE(drawn.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb ours = helmet.pixel(x, y);
            const QRgb theirs = drawn.pixel(x, y);
            QVERIFY2(qAlpha(ours) == qAlpha(theirs) &&
                         (qAlpha(ours) == 0 || (ours & 0xffffff) == (theirs & 0xffffff)),
                     qPrintable(QStringLiteral("pixel %1, %2: %3, drawn %4")
                                    .arg(x)
                                    .arg(y)
                                    .arg(ours, 8, 16)
                                    .arg(theirs, 8, 16)));
        }
    }
    // The corners lie outside the helmet's outline, its middle inside.
    for (const QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)}) {
        QCOMPARE(qAlpha(helmet.pixel(corner)), 0);
    }
    QCOMPARE(qAlpha(helmet.pixel(16, 16)), 255);
    QCOMPARE(m_window->windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});

    const QImage photo = enginePhoto();
    QCOMPARE(photo.size(), QSize(297, 250));
    QCOMPARE(photo.pixel(0, 249), qRgb(255, 255, 255)); // the white around the engine
    QCOMPARE(control<PictureBox>(QStringLiteral("Picture1"))->image(), photo);
}

void TestMainWindow::photoIsShownUnscaledFromItsTopLeftCorner() {
    auto *picture = control<PictureBox>(QStringLiteral("Picture1"));
    const QImage shown = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage photo = enginePhoto().convertToFormat(QImage::Format_RGB32);
    const QRect inner = picture->contentsRect();
    QVERIFY(inner.width() < photo.width() && inner.height() < photo.height());
    // One photo pixel per screen pixel, so the part that fits is the photo's own corner.
    for (const QPoint p : {QPoint(0, 0), QPoint(120, 80), QPoint(150, 140),
                           QPoint(inner.width() - 1, inner.height() - 1)}) {
        QCOMPARE(QColor(shown.pixel(inner.topLeft() + p)), QColor(photo.pixel(p)));
    }
}

void TestMainWindow::doubleResolutionPhotoIsTheSameDrawingWithFinerDetail() {
    const QImage photo = enginePhoto().convertToFormat(QImage::Format_RGB32);
    const QImage sharp = enginePhotoAtDoubleResolution().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(sharp.size(), QSize(594, 500));
    QCOMPARE(sharp.pixel(0, 499), qRgb(255, 255, 255));

    // Reduced to the designed size it is the designed photo, up to the losses of two JPEGs...
    const QImage reduced =
        sharp.scaled(photo.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double difference = meanDifference(reduced, photo, photo.rect());
    QVERIFY2(difference < 4, qPrintable(QString::number(difference)));
    // ...but drawn at its own size, not enlarged from it.
    const QImage enlarged =
        photo.scaled(sharp.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY2(
        sharpness(sharp) > 1.2 * sharpness(enlarged),
        qPrintable(QStringLiteral("%1 against %2").arg(sharpness(sharp)).arg(sharpness(enlarged))));
}

void TestMainWindow::photoIsShownPixelForPixelAtEachRatio_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QImage>("expected");
    QTest::newRow("ratio 1: the designed photo") << 1.0 << enginePhoto();
    QTest::newRow("ratio 2: the double-resolution photo") << 2.0 << enginePhotoAtDoubleResolution();
}

void TestMainWindow::photoIsShownPixelForPixelAtEachRatio() {
    QFETCH(qreal, ratio);
    QFETCH(QImage, expected);
    auto *picture = control<PictureBox>(QStringLiteral("Picture1"));
    const QImage shown = paintedAt(picture, ratio);
    const QImage photo = expected.convertToFormat(QImage::Format_RGB32);
    // The photo covers the whole inner area at either ratio, one photo pixel per device pixel
    // from the corner on.
    const QRect inner = picture->contentsRect();
    const QPoint corner = inner.topLeft() * ratio;
    const QSize area = inner.size() * ratio;
    QVERIFY(area.width() < photo.width() && area.height() < photo.height());
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            if (shown.pixel(corner + QPoint(x, y)) != photo.pixel(x, y)) {
                QFAIL(qPrintable(QStringLiteral("differs at %1, %2").arg(x).arg(y)));
            }
        }
    }
}

void TestMainWindow::inBetweenRatiosReduceTheDoubleResolutionPhoto() {
    constexpr qreal ratio = 1.5;
    auto *picture = control<PictureBox>(QStringLiteral("Picture1"));
    const QImage shown = paintedAt(picture, ratio);
    const QRect inner = picture->contentsRect();
    const QRect area(inner.topLeft() * ratio, inner.size() * ratio);
    const QSize size = enginePhoto().size() * ratio;
    const auto placed = [&](const QImage &photo) {
        QImage canvas(shown.size(), QImage::Format_RGB32);
        canvas.fill(Qt::magenta);
        QPainter(&canvas).drawImage(
            area.topLeft(), photo.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        return canvas;
    };
    const double fromSharp = meanDifference(shown, placed(enginePhotoAtDoubleResolution()), area);
    const double fromDesigned = meanDifference(shown, placed(enginePhoto()), area);
    QVERIFY2(fromSharp < fromDesigned,
             qPrintable(QStringLiteral("%1 against %2").arg(fromSharp).arg(fromDesigned)));
}

void TestMainWindow::esciEndsTheProgram() {
    fillWorkedExample();
    click(QStringLiteral("cmdCalcola"));
    QTimer::singleShot(0, this, [this] { click(QStringLiteral("cmdFine")); });
    QCOMPARE(runUntilTheProgramEnds(), 0);
}

void TestMainWindow::closingTheWindowEndsTheProgram() {
    QTimer::singleShot(0, m_window.get(), &QWidget::close);
    QCOMPARE(runUntilTheProgramEnds(), 0);
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
