#include "calc/gear_sheet.h"
#include "designed_window.h"
#include "ui/application.h"
#include "ui/looks.h"
#include "ui/main_window.h"
#include "window_test_support.h"

#include <QApplication>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <array>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace {

using Role = QPalette::ColorRole;

constexpr std::array colourGroups{QPalette::Active, QPalette::Inactive};

// The "darker" scheme qt6ct ships, in the order of QPalette's roles, as qt6ct reads it.
QPalette qt6ctDarker() {
    constexpr std::array<QRgb, 21> scheme{
        0xffffffff, 0xff424245, 0xff979797, 0xff5e5c5b, 0xff302f2e, 0xff4a4947, 0xffffffff,
        0xffffffff, 0xffffffff, 0xff3d3d3d, 0xff222020, 0xffe7e4e0, 0xff12608a, 0xfff9f9f9,
        0xff0986d3, 0xffa70b06, 0xff5c5b5a, 0xffffffff, 0xff3f3f36, 0xffffffff, 0x80ffffff};
    QPalette palette;
    for (std::size_t role = 0; role < scheme.size(); ++role) {
        palette.setColor(static_cast<Role>(role), QColor::fromRgba(scheme[role]));
    }
    return palette;
}

// A high-contrast scheme: every surface one colour, every text and edge the other.
QPalette highContrast(const QColor &ink, const QColor &paper) {
    QPalette palette;
    for (const Role role : {Role::Window, Role::Base, Role::AlternateBase, Role::Button,
                            Role::ToolTipBase, Role::HighlightedText}) {
        palette.setColor(role, paper);
    }
    for (const Role role : {Role::WindowText, Role::Text, Role::ButtonText, Role::BrightText,
                            Role::ToolTipText, Role::PlaceholderText, Role::Highlight, Role::Light,
                            Role::Midlight, Role::Mid, Role::Dark, Role::Shadow}) {
        palette.setColor(role, ink);
    }
    return palette;
}

// A scheme of one surface colour, its boxes' colour, its dark shade and one text colour.
QPalette plainScheme(const QColor &window, const QColor &base, const QColor &dark,
                     const QColor &ink) {
    QPalette palette(window);
    palette.setColor(Role::Window, window);
    palette.setColor(Role::Base, base);
    palette.setColor(Role::Dark, dark);
    for (const Role role : {Role::WindowText, Role::Text, Role::ButtonText}) {
        palette.setColor(role, ink);
    }
    return palette;
}

// Dark, with boxes darker than the window, as Qt's own dark Fusion palette.
QPalette darkWithDeepBoxes() {
    return plainScheme(QColor(50, 50, 50), QColor(36, 36, 36), QColor(33, 33, 33),
                       QColor(240, 240, 240));
}

// A scheme whose own texts fall short of the contrast everywhere.
QPalette greyOnGrey() {
    return plainScheme(QColor(128, 128, 128), QColor(140, 140, 140), QColor(90, 90, 90),
                       QColor(100, 100, 100));
}

bool isDark(const QColor &colour) {
    // Below this luminance white text contrasts more than black.
    return relativeLuminance(colour) < 0.179;
}

const char *groupName(DesignedLook group) {
    constexpr std::array<const char *, 7> names{"caption labels", "result labels", "preset boxes",
                                                "user boxes",     "buttons",       "frame title",
                                                "plain"};
    return names[static_cast<std::size_t>(group)];
}

// The least contrast met in each look group, for the log.
class LeastContrast {
public:
    void note(DesignedLook group, double contrast) {
        const auto [it, fresh] = m_least.try_emplace(group, contrast);
        it->second = std::min(it->second, contrast);
    }
    QString figures() const {
        QString text;
        for (const auto &[group, contrast] : m_least) {
            text += QStringLiteral(" %1 %2;")
                        .arg(QLatin1String(groupName(group)))
                        .arg(contrast, 0, 'f', 2);
        }
        return text;
    }

private:
    std::map<DesignedLook, double> m_least;
};

// Pixels this far from the background are plainly part of the text, if only its soft edge.
constexpr double inkThreshold = 1.5;

// What a control's text area in a window grab shows: the colour most of it wears, how many pixels
// are plainly text on it, and the contrast of the text's full ink, its most contrasting pixel
// (the antialiased edges of small text are fainter than the ink).
struct Painted {
    QColor background;
    int inkPixels = 0;
    double inkContrast = 1;
};

// Where a control draws its text, inside its border; for the frame, its title.
QRect textArea(const QWidget *widget) {
    if (const auto *frame = qobject_cast<const QGroupBox *>(widget)) {
        const QFontMetrics metrics(frame->font());
        return QRect(8, 0, metrics.horizontalAdvance(frame->title()) + 4, metrics.height());
    }
    if (const auto *label = qobject_cast<const QLabel *>(widget)) {
        return label->contentsRect();
    }
    // Boxes and buttons: inside the two or three pixels of their edges.
    return widget->rect().adjusted(3, 3, -3, -3);
}

Painted paintedIn(const QImage &grab, const QRect &area) {
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            ++counts[grab.pixel(x, y)];
        }
    }
    Painted painted;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            painted.background = QColor(it.key());
        }
    }
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double contrast = contrastRatio(QColor(it.key()), painted.background);
        painted.inkContrast = std::max(painted.inkContrast, contrast);
        if (contrast >= inkThreshold) {
            painted.inkPixels += it.value();
        }
    }
    return painted;
}

} // namespace

class TestWindowPalette : public QObject, public WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void contrastFollowsTheLuminanceFormula_data();
    void contrastFollowsTheLuminanceFormula();
    void filledBackgroundSitsWithItsPalette_data();
    void filledBackgroundSitsWithItsPalette();
    void filledBackgroundStartsFromTheSystemColour_data();
    void filledBackgroundStartsFromTheSystemColour();
    void everyTextStandsOutFromItsBackground_data();
    void everyTextStandsOutFromItsBackground();
    void everyTextReadsOnScreen_data();
    void everyTextReadsOnScreen();
    void followsThePaletteWhileRunning();

private:
    void palettes();
    void openWindowWithWorkedExample(const QPalette &palette);
    // Every control that shows text (labels, boxes, buttons, the frame's title), with its group.
    std::vector<std::pair<const QWidget *, DesignedLook>> textControls() const;

    QPalette m_default;
};

void TestWindowPalette::initTestCase() {
    useWindowFontEverywhere();
    m_default = QApplication::palette();
    // The palette Qt gives a program when the desktop gives none is a light one.
    QVERIFY(!isDark(m_default.color(Role::Window)));
}

void TestWindowPalette::cleanup() {
    m_window.reset();
    QApplication::setPalette(m_default);
}

void TestWindowPalette::palettes() {
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("Qt light") << m_default;
    QTest::newRow("qt6ct darker") << qt6ctDarker();
    QTest::newRow("black on white") << highContrast(Qt::black, Qt::white);
    QTest::newRow("white on black") << highContrast(Qt::white, Qt::black);
    QTest::newRow("dark, deep boxes") << darkWithDeepBoxes();
    QTest::newRow("grey on grey") << greyOnGrey();
}

void TestWindowPalette::openWindowWithWorkedExample(const QPalette &palette) {
    QApplication::setPalette(palette);
    openWindow();
    fillWorkedExample();
    click("cmdCalcola");
    QVERIFY(m_reports.isEmpty());
}

std::vector<std::pair<const QWidget *, DesignedLook>> TestWindowPalette::textControls() const {
    std::vector<std::pair<const QWidget *, DesignedLook>> controls;
    for (const DesignedControl &design : designedControls) {
        if (design.kind != DesignedKind::Line && design.kind != DesignedKind::PictureBox) {
            controls.emplace_back(control(design.name), design.look);
        }
    }
    return controls;
}

void TestWindowPalette::contrastFollowsTheLuminanceFormula_data() {
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("white on black") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
    QTest::newRow("same colour") << QColor(120, 30, 200) << QColor(120, 30, 200) << 1.0;
    // The two greys either side of the AA limit on white.
    QTest::newRow("#767676 on white") << QColor(0x76, 0x76, 0x76) << QColor(Qt::white) << 4.54;
    QTest::newRow("#777777 on white") << QColor(0x77, 0x77, 0x77) << QColor(Qt::white) << 4.48;
    // Green weighs most in luminance, blue least.
    QTest::newRow("green on black") << QColor(0, 255, 0) << QColor(Qt::black) << 15.30;
    QTest::newRow("blue on black") << QColor(0, 0, 255) << QColor(Qt::black) << 2.44;
    QTest::newRow("the old grey, black text")
        << QColor(212, 208, 200) << QColor(Qt::black) << 13.66;
    QTest::newRow("the old grey, white text") << QColor(212, 208, 200) << QColor(Qt::white) << 1.54;
}

void TestWindowPalette::contrastFollowsTheLuminanceFormula() {
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, ratio);
    QVERIFY2(qAbs(contrastRatio(a, b) - ratio) < 0.01,
             qPrintable(QString::number(contrastRatio(a, b))));
}

void TestWindowPalette::filledBackgroundSitsWithItsPalette_data() {
    palettes();
}

void TestWindowPalette::filledBackgroundSitsWithItsPalette() {
    QFETCH(QPalette, palette);
    for (const QPalette::ColorGroup group : colourGroups) {
        const QColor filled = filledBackground(palette, group);
        const QColor window = palette.color(group, Role::Window);
        const QString shown = filled.name();
        QVERIFY2(contrastRatio(filled, palette.color(group, Role::Text)) >= comfortableContrast,
                 qPrintable(shown));
        QVERIFY2(contrastRatio(filled, palette.color(group, Role::Base)) >= minimumSeparation,
                 qPrintable(shown));
        // A dark scheme gets a dark grey, a light one a light grey.
        QVERIFY2(isDark(filled) == isDark(window), qPrintable(shown));
    }
    if (QTest::currentDataTag() == QByteArrayLiteral("Qt light")) {
        const QColor filled = filledBackground(palette, QPalette::Active, std::nullopt);
        const QColor classic(212, 208, 200);
        QVERIFY2(qAbs(filled.red() - classic.red()) <= 16 &&
                     qAbs(filled.green() - classic.green()) <= 16 &&
                     qAbs(filled.blue() - classic.blue()) <= 16,
                 qPrintable(filled.name()));
    }
}

// Windows' system colours, as its colour schemes set them, and the background they give.
void TestWindowPalette::filledBackgroundStartsFromTheSystemColour_data() {
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<QColor>("inactiveBorder");
    QTest::addColumn<QColor>("filled");

    const QPalette light =
        plainScheme(QColor(240, 240, 240), Qt::white, QColor(160, 160, 160), Qt::black);
    // Windows 10 and 11: a border so pale that it would melt into the white boxes.
    QTest::newRow("Windows 10 and 11") << light << QColor(244, 247, 252) << QColor(225, 228, 232);
    // The classic scheme's grey reads as it is.
    QTest::newRow("classic") << light << QColor(212, 208, 200) << QColor(212, 208, 200);
    // High contrast: black boxes on a black border, white text; the border lifts off the boxes.
    QTest::newRow("high contrast black")
        << highContrast(Qt::white, Qt::black) << QColor(Qt::black) << QColor(32, 32, 32);
    QTest::newRow("high contrast white")
        << highContrast(Qt::black, Qt::white) << QColor(Qt::white) << QColor(227, 227, 227);
    // A border colour the user picked that black text would not read on.
    QTest::newRow("dark border, light scheme")
        << light << QColor(40, 40, 90) << QColor(121, 121, 152);
}

void TestWindowPalette::filledBackgroundStartsFromTheSystemColour() {
    QFETCH(QPalette, palette);
    QFETCH(QColor, inactiveBorder);
    QFETCH(QColor, filled);

    const QColor got = filledBackground(palette, QPalette::Active, inactiveBorder);
    QCOMPARE(got, filled);
    QVERIFY(contrastRatio(got, palette.color(Role::Text)) >= comfortableContrast);
    QVERIFY(contrastRatio(got, palette.color(Role::Base)) >= minimumSeparation);
}

void TestWindowPalette::everyTextStandsOutFromItsBackground_data() {
    palettes();
}

void TestWindowPalette::everyTextStandsOutFromItsBackground() {
    QFETCH(QPalette, palette);
    openWindowWithWorkedExample(palette);
    if (QTest::currentTestFailed()) {
        return;
    }

    LeastContrast least;
    for (const auto &[widget, look] : textControls()) {
        const QPalette &painted = widget->palette();
        for (const QPalette::ColorGroup group : colourGroups) {
            const double contrast = contrastRatio(painted.color(group, widget->foregroundRole()),
                                                  painted.color(group, widget->backgroundRole()));
            QVERIFY2(contrast >= minimumContrast,
                     qPrintable(QStringLiteral("%1: %2").arg(widget->objectName()).arg(contrast)));
            least.note(look, contrast);
        }
    }
    qInfo("least contrast of the roles:%s", qPrintable(least.figures()));

    // What the presets and the computation filled differs from what the user types into.
    const QPalette &user = control("txtGiri")->palette();
    const QPalette &preset = control("Txt5")->palette();
    const QPalette &result = control("lblA")->palette();
    QCOMPARE(preset.color(Role::Base), result.color(Role::Window));
    QCOMPARE(result.color(Role::WindowText), preset.color(Role::Text));
    QVERIFY(contrastRatio(preset.color(Role::Base), user.color(Role::Base)) >= minimumSeparation);
}

void TestWindowPalette::everyTextReadsOnScreen_data() {
    palettes();
}

void TestWindowPalette::everyTextReadsOnScreen() {
    QFETCH(QPalette, palette);
    openWindowWithWorkedExample(palette);
    if (QTest::currentTestFailed()) {
        return;
    }
    const QImage grab = m_window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(grab.size(), m_window->size());

    LeastContrast least;
    for (const auto &[widget, look] : textControls()) {
        const Painted painted =
            paintedIn(grab, textArea(widget).translated(widget->mapTo(m_window.get(), QPoint())));
        const QString shown = QStringLiteral("%1 on %2: %3 pixels of text, ink at %4")
                                  .arg(widget->objectName(), painted.background.name())
                                  .arg(painted.inkPixels)
                                  .arg(painted.inkContrast);
        // The least text here, two digits in a box, is some thirty-five pixels.
        QVERIFY2(painted.inkPixels >= 20, qPrintable(shown));
        QVERIFY2(painted.inkContrast >= minimumContrast, qPrintable(shown));
        if (look == DesignedLook::ResultLabel || look == DesignedLook::PresetBox) {
            QCOMPARE(painted.background, widget->palette().color(widget->backgroundRole()));
        }
        least.note(look, painted.inkContrast);
    }
    qInfo("least contrast on screen:%s", qPrintable(least.figures()));
}

void TestWindowPalette::followsThePaletteWhileRunning() {
    openWindowWithWorkedExample(m_default);
    if (QTest::currentTestFailed()) {
        return;
    }
    const auto *result = control<QLabel>("lblGc");
    const auto *preset = control<QLineEdit>("Txt13");
    const auto *caption = control<QLabel>("lblPignone");
    const QColor light = result->palette().color(Role::Window);

    const QPalette dark = qt6ctDarker();
    QApplication::setPalette(dark);
    QCoreApplication::processEvents();
    QCOMPARE(result->palette().color(Role::Window), filledBackground(dark, QPalette::Active));
    QCOMPARE(preset->palette().color(Role::Base), filledBackground(dark, QPalette::Active));
    QCOMPARE(result->palette().color(Role::WindowText), dark.color(Role::Text));
    QCOMPARE(caption->palette().color(Role::WindowText), dark.color(Role::WindowText));
    const QImage shot = m_window->grab().toImage();
    QCOMPARE(QColor(shot.pixel(result->geometry().center() + QPoint(result->width() / 2 - 4, 0))),
             filledBackground(dark, QPalette::Active));

    // A palette whose captions fall short has them darkened; a good palette takes that back.
    QApplication::setPalette(greyOnGrey());
    QCoreApplication::processEvents();
    QCOMPARE(caption->palette().color(Role::WindowText), QColor(Qt::black));
    QApplication::setPalette(m_default);
    QCoreApplication::processEvents();
    QCOMPARE(caption->palette().color(Role::WindowText), m_default.color(Role::WindowText));
    QVERIFY(!caption->testAttribute(Qt::WA_SetPalette));
    QCOMPARE(result->palette().color(Role::Window), light);
}

QTEST_MAIN(TestWindowPalette)
#include "test_window_palette.moc"
