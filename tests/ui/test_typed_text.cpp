#include "calc/compute.h"
#include "calc/field.h"
#include "ui/application.h"
#include "ui/main_window.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPaintEngine>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextItem>
#include <QToolTip>

#include <algorithm>
#include <climits>
#include <map>
#include <memory>

namespace {

// A file that Qt's rich text would load for <img src="x.png">: a real picture, named relative to
// the working folder, so that the tag stays short enough to be quoted whole.
const QString pictureName = QStringLiteral("x.png");
// The same picture under a name short enough for a tag that fits in a result label.
const QString shortPictureName = QStringLiteral("p");

// One run of text a widget painted: where its baseline starts, what it says, how wide it is.
struct PaintedRun {
    QPointF origin;
    QString text;
    qreal width = 0;
};

// A paint engine that keeps the text it is asked to draw and draws nothing.
class TextRecorder final : public QPaintEngine {
public:
    TextRecorder()
        : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &state) override {
        if (state.state() & QPaintEngine::DirtyTransform) {
            m_transform = state.transform();
        }
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPath(const QPainterPath &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF &origin, const QTextItem &item) override {
        m_runs.append({m_transform.map(origin), item.text(), item.width()});
    }
    Type type() const override { return QPaintEngine::User; }

    QList<PaintedRun> m_runs;

private:
    QTransform m_transform;
};

// A surface of a widget's size and resolution that records the text painted on it.
class TextCanvas final : public QPaintDevice {
public:
    explicit TextCanvas(const QWidget &widget)
        : m_widget(widget) {}
    QPaintEngine *paintEngine() const override { return &m_engine; }
    const QList<PaintedRun> &runs() const { return m_engine.m_runs; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return m_widget.width();
        case PdmHeight:
            return m_widget.height();
        case PdmWidthMM:
            return m_widget.widthMM();
        case PdmHeightMM:
            return m_widget.heightMM();
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return m_widget.logicalDpiX();
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return m_widget.logicalDpiY();
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            // Qt 6.8 added metrics of its own (the ratio as an encoded float); the base class
            // derives them from the ones above.
            return QPaintDevice::metric(metric);
        }
    }

private:
    const QWidget &m_widget;
    mutable TextRecorder m_engine;
};

// The lines of text a widget paints, top to bottom, each with its left edge and width.
struct PaintedLine {
    QString text;
    qreal left = 0;
    qreal right = 0;
};

QList<PaintedLine> paintedLines(QWidget *widget) {
    TextCanvas canvas(*widget);
    widget->render(&canvas);
    std::map<qreal, QList<PaintedRun>> byBaseline;
    for (const PaintedRun &run : canvas.runs()) {
        byBaseline[std::round(run.origin.y() * 2) / 2].append(run);
    }
    QList<PaintedLine> lines;
    for (auto &[baseline, runs] : byBaseline) {
        std::sort(runs.begin(), runs.end(), [](const PaintedRun &a, const PaintedRun &b) {
            return a.origin.x() < b.origin.x();
        });
        PaintedLine line{QString(), runs.first().origin.x(), runs.first().origin.x()};
        for (const PaintedRun &run : runs) {
            line.text += run.text;
            line.right = std::max(line.right, run.origin.x() + run.width);
        }
        lines.append(line);
    }
    return lines;
}

// The text of the tooltip the widget shows when the pointer rests on it, as the reader sees it.
// QToolTip::hideText() lets a tooltip linger for a moment; this one hides it at once.
void hideToolTip() {
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QStringLiteral("qtooltip_label")) {
            window->hide();
        }
    }
}

QString toolTipOf(QWidget *widget) {
    hideToolTip();
    const QPoint middle = widget->rect().center();
    QHelpEvent help(QEvent::ToolTip, middle, widget->mapToGlobal(middle));
    QApplication::sendEvent(widget, &help);
    if (!QToolTip::isVisible()) {
        return QString();
    }
    const QString shown = QToolTip::text();
    hideToolTip();
    if (!Qt::mightBeRichText(shown)) {
        return shown;
    }
    QTextDocument document;
    document.setHtml(shown);
    return document.toRawText();
}

} // namespace

class TestTypedText : public QObject, public WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void messageBoxShowsTypedTextAsItIs_data();
    void messageBoxShowsTypedTextAsItIs();
    void resultsShowOnOneLineAndReadWhole_data();
    void resultsShowOnOneLineAndReadWhole();
    void resultLabelsShowMarkupAsText();
    void captionsWrapAtSpaces();

private:
    QTemporaryDir m_folder;
    QString m_previousFolder;
    bool m_quitRequested = false;
};

void TestTypedText::initTestCase() {
    useWindowFontEverywhere();
    QVERIFY(m_folder.isValid());
    QVERIFY(writePicture(m_folder.filePath(pictureName)));
    QVERIFY(writePicture(m_folder.filePath(shortPictureName)));
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { m_quitRequested = true; });
}

void TestTypedText::init() {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    m_previousFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_folder.path()));
    openWindow();
}

void TestTypedText::cleanup() {
    m_window.reset();
    QDir::setCurrent(m_previousFolder);
    QVERIFY(!m_quitRequested);
}

void TestTypedText::messageBoxShowsTypedTextAsItIs_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");

    QTest::newRow("bold") << "<b>x</b>"
                          << "Il campo «Corona» contiene «<b>x</b>», che non è un numero.";
    QTest::newRow("picture")
        << "<img src=\"x.png\">"
        << "Il campo «Corona» contiene «<img src=\"x.png\">», che non è un numero.";
    QTest::newRow("picture after a number")
        << "30<img src=x.png>"
        << "Il campo «Corona» contiene «30<img src=x.png>», che non è un numero.";
    QTest::newRow("link")
        << "<a href=\"x.png\">30</a>"
        << "Il campo «Corona» contiene «<a href=\"x.png\">30</a>», che non è un numero.";
    QTest::newRow("entity") << "&amp;"
                            << "Il campo «Corona» contiene «&amp;», che non è un numero.";
    QTest::newRow("escaped tag") << "&lt;b&gt;"
                                 << "Il campo «Corona» contiene «&lt;b&gt;», che non è un numero.";
    QTest::newRow("lone <") << "3<0"
                            << "Il campo «Corona» contiene «3<0», che non è un numero.";
}

// A mechanic pastes numbers from chats and web pages. Whatever came along is quoted in the
// message character for character: nothing of it is read as markup, and nothing it names is
// opened. The box is the one the user meets, and afterwards the program runs on with the paste
// still in its box.
void TestTypedText::messageBoxShowsTypedTextAsItIs() {
    QFETCH(QString, typed);
    QFETCH(QString, message);

    const QString picture = m_folder.filePath(pictureName);
    const QDateTime untouched = lastReadDaysAgo(picture);
    QVERIFY(untouched.isValid());

    m_window->setFailureReporter(std::make_unique<MessageBoxReporter>());
    fillWorkedExample();
    m_window->setText(Field::txtCorona, typed);
    const NotedBox shown = calculateAndNoteTheBox();

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
    QCOMPARE(control<QLineEdit>(QStringLiteral("txtCorona"))->selectedText(), typed);

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

void TestTypedText::resultsShowOnOneLineAndReadWhole_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("inputs");

    // In the order of the input fields, with a decimal comma that the C rows turn into a point.
    // Negative numbers, tiny and huge ratios: results in exponent form, seven digits and a sign.
    const QStringList widest{
        QStringLiteral("14000"),  QStringLiteral("88"),  QStringLiteral("-17"),
        QStringLiteral("0,0003"), QStringLiteral("-19"), QStringLiteral("0,00075"),
        QStringLiteral("-7"),     QStringLiteral("13"),  QStringLiteral("-17"),
        QStringLiteral("19"),     QStringLiteral("23"),  QStringLiteral("29"),
        QStringLiteral("0,001"),  QStringLiteral("19"),  QStringLiteral("23"),
        QStringLiteral("17"),     QStringLiteral("23"),  QStringLiteral("29")};
    QStringList inC = widest;
    inC.replaceInStrings(QStringLiteral(","), QStringLiteral("."));
    QTest::newRow("it_IT") << QLocale(QLocale::Italian, QLocale::Italy) << widest;
    QTest::newRow("C") << QLocale::c() << inC;
}

// A result is one line. One too wide for its label shows its beginning and an ellipsis, and
// keeps its exponent in view, so that no part of a number passes for the whole of it; the
// whole text stays the label's, and is its tooltip and what a screen reader reads.
void TestTypedText::resultsShowOnOneLineAndReadWhole() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, inputs);
    QLocale::setDefault(locale);

    MemorySheet expected;
    for (const Field field : inputFields()) {
        m_window->setText(field, inputs.at(static_cast<int>(field)));
        expected.setText(field, inputs.at(static_cast<int>(field)));
    }
    QVERIFY(!compute(expected));
    click("cmdCalcola");
    QVERIFY2(m_reports.isEmpty(), qPrintable(m_reports.join(u'\n')));

    int cut = 0;
    for (const Field field : resultFields()) {
        auto *label = control<QLabel>(fieldName(field));
        const QString whole = m_window->text(field);
        const QString where = fieldName(field) + QStringLiteral(" holding ") + whole;
        QCOMPARE(whole, expected.text(field));

        const QList<PaintedLine> lines = paintedLines(label);
        QVERIFY2(lines.size() == 1,
                 qPrintable(where + QStringLiteral(": %1 lines painted").arg(lines.size())));
        const PaintedLine &line = lines.first();
        const QRect inside = label->contentsRect();
        QVERIFY2(line.left >= inside.left() && line.right <= inside.right() + 1,
                 qPrintable(where + QStringLiteral(": painted from %1 to %2, inside is %3 to %4")
                                        .arg(line.left)
                                        .arg(line.right)
                                        .arg(inside.left())
                                        .arg(inside.right())));
        if (line.text != whole) {
            ++cut;
            const qsizetype ellipsis = line.text.indexOf(u'…');
            QVERIFY2(ellipsis > 0, qPrintable(where + QStringLiteral(", painted ") + line.text));
            const QString head = line.text.left(ellipsis);
            const QString tail = line.text.mid(ellipsis + 1);
            QVERIFY2(whole.startsWith(head) && whole.endsWith(tail) &&
                         head.size() + tail.size() < whole.size(),
                     qPrintable(where + QStringLiteral(", painted ") + line.text));
            const qsizetype exponent = whole.lastIndexOf(u'E', -1, Qt::CaseInsensitive);
            if (exponent > 0) {
                QVERIFY2(tail == whole.mid(exponent),
                         qPrintable(where + QStringLiteral(", painted ") + line.text));
            }
        }
        QCOMPARE(toolTipOf(label), whole);
        QCOMPARE(spoken(label, QAccessible::Name), whole);
        QCOMPARE(spoken(label, QAccessible::Description), fieldCaption(field));
    }
    // These inputs make results wider than their labels (how many depends on the window's face,
    // narrower under Wine than on Debian), and leave some that fit.
    QVERIFY2(cut >= 1, qPrintable(QString::number(cut)));
    QVERIFY2(cut < resultFieldCount, qPrintable(QString::number(cut)));
}

// A text the sheet puts into a result label is shown, read and offered as its tooltip as it is,
// whatever it looks like, and names nothing to be opened.
void TestTypedText::resultLabelsShowMarkupAsText() {
    const QString picture = m_folder.filePath(shortPictureName);
    const QDateTime untouched = lastReadDaysAgo(picture);
    QVERIFY(untouched.isValid());

    const QString markup = QStringLiteral("<img src=p>");
    m_window->setText(Field::lblFinale, markup);
    auto *label = control<QLabel>(QStringLiteral("lblFinale"));
    label->grab();
    const QList<PaintedLine> lines = paintedLines(label);
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines.first().text, markup);
    QCOMPARE(spoken(label, QAccessible::Name), markup);
    QCOMPARE(toolTipOf(label), markup);
    QCOMPARE(m_window->text(Field::lblFinale), markup);
    QCOMPARE(lastRead(picture), untouched);

    // An empty result offers no tooltip.
    m_window->setText(Field::lblFinale, QString());
    QCOMPARE(toolTipOf(label), QString());
}

// Captions are not results: one narrower than its text wraps at its spaces.
void TestTypedText::captionsWrapAtSpaces() {
    auto *caption = control<QLabel>(QStringLiteral("lblgirimotore"));
    caption->resize(caption->fontMetrics().horizontalAdvance(QStringLiteral("Motore")) + 4,
                    caption->height());
    QStringList texts;
    for (const PaintedLine &line : paintedLines(caption)) {
        texts.append(line.text);
    }
    QCOMPARE(texts, (QStringList{QStringLiteral("Giri"), QStringLiteral("Motore")}));
}

QTEST_MAIN(TestTypedText)
#include "test_typed_text.moc"
