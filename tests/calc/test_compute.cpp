#include "calc/compute.h"
#include "calc/gear_sheet.h"
#include "calc/presets.h"
#include "fixtures/worked_example.h"
#include "runtime/number_text.h"

#include <QTest>

#include <cmath>
#include <map>

Q_DECLARE_METATYPE(Field)
Q_DECLARE_METATYPE(FailureKind)

class TestCompute : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void workedExample();
    void everyPresetEndToEnd_data();
    void everyPresetEndToEnd();
    void repeatedRunsWriteTheSameTexts();
    void zeroEngineSpeedGivesZeroSpeeds();
    void negativeValuesAreAccepted();
    void acceptsTheLocaleNumberForms();
    void groupedEngineSpeedReadsWhole_data();
    void groupedEngineSpeedReadsWhole();
    void failures_data();
    void failures();
    void failureClearsEveryResult();
    void successReplacesOldResults();
    void intermediatesTravelThroughTheirTexts();
    void laterStepsReadTheResultTextsBack_data();
    void laterStepsReadTheResultTextsBack();
    void twoBadTextsNameTheOneConvertedFirst_data();
    void twoBadTextsNameTheOneConvertedFirst();
    void exponentResultsReadBackInSwedish();
    void unreadableResultSendsTheUserToAnInput_data();
    void unreadableResultSendsTheUserToAnInput();
};

namespace {

double valueOf(const GearSheet &sheet, Field field) {
    const std::optional<double> value = textToNumber(sheet.text(field));
    if (!value) {
        qFatal("%s holds %s, not a number", qPrintable(fieldName(field)),
               qPrintable(sheet.text(field)));
    }
    return *value;
}

// Seven significant digits travel between the steps, so results agree with exact arithmetic to
// about one part in a million.
bool near(double actual, double expected) {
    return std::abs(actual - expected) <= 2e-6 * std::abs(expected) + 1e-12;
}

Field fieldNamed(const QString &name) {
    for (const Field field : allFields()) {
        if (fieldName(field) == name) {
            return field;
        }
    }
    qFatal("no field %s", qPrintable(name));
}

#define VERIFY_NEAR(actual, expected)                                                              \
    QVERIFY2(                                                                                      \
        near((actual), (expected)),                                                                \
        qPrintable(QStringLiteral("%1 is not near %2").arg(actual, 0, 'g', 10).arg(expected)))

} // namespace

void TestCompute::workedExample() {
    MemorySheet sheet = workedExampleSheet();
    QCOMPARE(compute(sheet), std::nullopt);

    VERIFY_NEAR(valueOf(sheet, Field::lblFinale), 1.764706);
    VERIFY_NEAR(valueOf(sheet, Field::lblP), 3.947368);
    VERIFY_NEAR(valueOf(sheet, Field::lblGc), 3546.667);
    const double ratios[] = {2.538462, 1.8125, 1.5, 1.227273, 1.045455, 0.925926};
    const double speeds[] = {41.80338, 58.54691, 70.74418, 86.46511, 101.5025, 114.6056};
    for (int gear = 1; gear <= gearCount; ++gear) {
        VERIFY_NEAR(valueOf(sheet, gearRatio(gear)), ratios[gear - 1]);
        VERIFY_NEAR(valueOf(sheet, gearSpeed(gear)), speeds[gear - 1]);
    }
    // The texts are what the mechanic reads: Italian decimal comma, seven digits.
    QCOMPARE(sheet.text(Field::lblP), QStringLiteral("3,947368"));
    QCOMPARE(sheet.text(Field::lbl2), QStringLiteral("1,8125"));
    QCOMPARE(sheet.text(Field::lbl3), QStringLiteral("1,5"));
}

void TestCompute::everyPresetEndToEnd_data() {
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < enginePresets().size(); ++i) {
        QTest::newRow(enginePresets()[i].caption) << static_cast<int>(i);
    }
}

// Each preset against the formulas worked out in full double precision, from the preset's own
// numbers rather than from the sheet.
void TestCompute::everyPresetEndToEnd() {
    QFETCH(int, index);
    const EnginePreset &preset = enginePresets()[static_cast<std::size_t>(index)];

    MemorySheet sheet;
    applyPreset(sheet, preset);
    sheet.setText(Field::txtGiri, QStringLiteral("13500"));
    sheet.setText(Field::txtCirco, QStringLiteral("87,5"));
    sheet.setText(Field::txtPignone, QStringLiteral("16"));
    sheet.setText(Field::txtCorona, QStringLiteral("31"));
    QCOMPARE(compute(sheet), std::nullopt);

    const double finalDrive = 31.0 / 16.0;
    const double primary = double(preset.teeth[13]) / preset.teeth[12];
    const double gearbox = 13500.0 / primary;
    VERIFY_NEAR(valueOf(sheet, Field::lblFinale), finalDrive);
    VERIFY_NEAR(valueOf(sheet, Field::lblP), primary);
    VERIFY_NEAR(valueOf(sheet, Field::lblGc), gearbox);
    for (int gear = 1; gear <= gearCount; ++gear) {
        const double ratio = double(preset.teeth[gear + 5]) / preset.teeth[gear - 1];
        const double kmh = 87.5 * gearbox / ratio / finalDrive * 60.0 / 100000.0;
        VERIFY_NEAR(valueOf(sheet, gearRatio(gear)), ratio);
        VERIFY_NEAR(valueOf(sheet, gearSpeed(gear)), kmh);
    }
}

void TestCompute::repeatedRunsWriteTheSameTexts() {
    MemorySheet sheet = workedExampleSheet();
    QCOMPARE(compute(sheet), std::nullopt);
    const MemorySheet first = sheet;
    QCOMPARE(compute(sheet), std::nullopt);
    for (const Field field : allFields()) {
        QCOMPARE(sheet.text(field), first.text(field));
    }
}

void TestCompute::zeroEngineSpeedGivesZeroSpeeds() {
    MemorySheet sheet = workedExampleSheet();
    sheet.setText(Field::txtGiri, QStringLiteral("0"));
    QCOMPARE(compute(sheet), std::nullopt);
    QCOMPARE(sheet.text(Field::lblGc), QStringLiteral("0"));
    for (int gear = 1; gear <= gearCount; ++gear) {
        QCOMPARE(sheet.text(gearSpeed(gear)), QStringLiteral("0"));
    }
}

void TestCompute::negativeValuesAreAccepted() {
    MemorySheet sheet = workedExampleSheet();
    sheet.setText(Field::txtGiri, QStringLiteral("-14000"));
    sheet.setText(Field::Txt1, QStringLiteral("-13"));
    QCOMPARE(compute(sheet), std::nullopt);
    VERIFY_NEAR(valueOf(sheet, Field::lblGc), -3546.667);
    VERIFY_NEAR(valueOf(sheet, Field::lbl1), -2.538462);
    VERIFY_NEAR(valueOf(sheet, Field::lblA), 41.80338);
    VERIFY_NEAR(valueOf(sheet, Field::LblB), -58.54691);
}

void TestCompute::acceptsTheLocaleNumberForms() {
    MemorySheet sheet = workedExampleSheet();
    sheet.setText(Field::txtGiri, QStringLiteral(" 14.000 "));
    sheet.setText(Field::txtCirco, QStringLiteral("8,8e1"));
    sheet.setText(Field::txtPignone, QStringLiteral("+17"));
    QCOMPARE(compute(sheet), std::nullopt);
    VERIFY_NEAR(valueOf(sheet, Field::lblA), 41.80338);
}

void TestCompute::groupedEngineSpeedReadsWhole_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("rpm");

    QTest::newRow("it") << QLocale(QLocale::Italian, QLocale::Italy) << "9.500";
    QTest::newRow("es") << QLocale(QLocale::Spanish, QLocale::Spain) << "9.500";
    QTest::newRow("pt") << QLocale(QLocale::Portuguese, QLocale::Brazil) << "9.500";
    QTest::newRow("pl") << QLocale(QLocale::Polish, QLocale::Poland) << "9 500";
    QTest::newRow("pl point") << QLocale(QLocale::Polish, QLocale::Poland) << "9.500";
    QTest::newRow("pt_PT point") << QLocale(QLocale::Portuguese, QLocale::Portugal) << "9.500";
    QTest::newRow("fr") << QLocale(QLocale::French, QLocale::France) << "9 500";
    QTest::newRow("de") << QLocale(QLocale::German, QLocale::Germany) << "9.500";
    QTest::newRow("sv") << QLocale(QLocale::Swedish, QLocale::Sweden) << "9\u00A0500";
    QTest::newRow("en") << QLocale(QLocale::English, QLocale::UnitedStates) << "9,500";
}

// Nine thousand five hundred revolutions per minute, grouped as the mechanic's language groups
// thousands, gives the speeds of 9500 rpm, never a failure and never those of 9.5 rpm.
void TestCompute::groupedEngineSpeedReadsWhole() {
    QFETCH(QLocale, locale);
    QFETCH(QString, rpm);

    QLocale::setDefault(locale);
    MemorySheet sheet = workedExampleSheet();
    sheet.setText(Field::txtGiri, rpm);
    QCOMPARE(compute(sheet), std::nullopt);
    // The worked example's speeds at 14000 rpm, scaled to 9500.
    VERIFY_NEAR(valueOf(sheet, Field::lblGc), 3546.667 * 9500.0 / 14000.0);
    VERIFY_NEAR(valueOf(sheet, Field::LblF), 114.6056 * 9500.0 / 14000.0);
}

void TestCompute::failures_data() {
    QTest::addColumn<Field>("changed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<FailureKind>("kind");
    QTest::addColumn<Field>("box");

    const auto conversion = FailureKind::ConversionError;
    const auto byZero = FailureKind::DivisionByZero;
    const auto overflow = FailureKind::Overflow;

    QTest::newRow("empty rpm") << Field::txtGiri << "" << conversion << Field::txtGiri;
    QTest::newRow("letters in circumference")
        << Field::txtCirco << "abc" << conversion << Field::txtCirco;
    QTest::newRow("point in Italian")
        << Field::txtPignone << "17.5" << conversion << Field::txtPignone;
    QTest::newRow("nan crown") << Field::txtCorona << "nan" << conversion << Field::txtCorona;
    QTest::newRow("empty primary pinion") << Field::Txt13 << "" << conversion << Field::Txt13;
    QTest::newRow("junk primary crown") << Field::Txt14 << "75x" << conversion << Field::Txt14;
    // The failure carries the text as typed, spaces included, for the message to quote.
    QTest::newRow("junk among spaces") << Field::Txt5 << " 2 2 " << conversion << Field::Txt5;
    QTest::newRow("empty 3rd primary") << Field::Txt3 << "" << conversion << Field::Txt3;
    QTest::newRow("empty 6th secondary") << Field::Txt12 << "" << conversion << Field::Txt12;

    QTest::newRow("zero chain pinion") << Field::txtPignone << "0" << byZero << Field::txtPignone;
    QTest::newRow("zero primary pinion") << Field::Txt13 << "0" << byZero << Field::Txt13;
    QTest::newRow("zero primary crown") << Field::Txt14 << "0" << byZero << Field::Txt14;
    QTest::newRow("zero 4th primary") << Field::Txt4 << "0" << byZero << Field::Txt4;
    QTest::newRow("zero 2nd secondary") << Field::Txt8 << "0" << byZero << Field::Txt8;
    QTest::newRow("zero crown") << Field::txtCorona << "0" << byZero << Field::txtCorona;

    QTest::newRow("final drive overflows")
        << Field::txtPignone << "1e-307" << overflow << Field::txtPignone;
    QTest::newRow("primary overflows") << Field::Txt13 << "1e-307" << overflow << Field::Txt13;
    QTest::newRow("gearbox overflows") << Field::Txt14 << "1e-306" << overflow << Field::Txt14;
    QTest::newRow("gear ratio overflows") << Field::Txt3 << "1e-307" << overflow << Field::Txt3;
    QTest::newRow("tiny ratio overflows the wheel")
        << Field::Txt10 << "1e-307" << overflow << Field::Txt10;
    QTest::newRow("speed overflows") << Field::txtCirco << "1e305" << overflow << Field::txtCirco;
}

void TestCompute::failures() {
    QFETCH(Field, changed);
    QFETCH(QString, text);
    QFETCH(FailureKind, kind);
    QFETCH(Field, box);

    MemorySheet sheet = workedExampleSheet();
    sheet.setText(changed, text);
    const std::optional<ComputeFailure> failure = compute(sheet);
    QVERIFY(failure.has_value());
    QCOMPARE(failure->kind, kind);
    QCOMPARE(failure->field, box);
    QCOMPARE(failure->text, kind == FailureKind::ConversionError ? text : QString());
}

void TestCompute::failureClearsEveryResult() {
    struct Case {
        Field divisor;
        Field dividend;
        const char *text;
        FailureKind kind;
        Field box;
    };
    // Zero over zero in each step that divides two boxes, and two bad boxes in one step.
    const Case cases[] = {
        {Field::txtPignone, Field::txtCorona, "0", FailureKind::InvalidOperation,
         Field::txtPignone},
        {Field::Txt13, Field::Txt14, "0", FailureKind::InvalidOperation, Field::Txt13},
        {Field::Txt1, Field::Txt7, "0", FailureKind::InvalidOperation, Field::Txt1},
        {Field::Txt6, Field::Txt12, "", FailureKind::ConversionError, Field::Txt12},
    };
    for (const Case &c : cases) {
        MemorySheet sheet = workedExampleSheet();
        QCOMPARE(compute(sheet), std::nullopt);
        sheet.setText(c.divisor, QString::fromUtf8(c.text));
        sheet.setText(c.dividend, QString::fromUtf8(c.text));
        const MemorySheet inputs = sheet;

        const std::optional<ComputeFailure> failure = compute(sheet);
        QVERIFY(failure.has_value());
        QCOMPARE(failure->kind, c.kind);
        QCOMPARE(failure->field, c.box);
        for (const Field field : resultFields()) {
            QVERIFY2(sheet.text(field).isEmpty(), qPrintable(fieldName(field)));
        }
        for (const Field field : inputFields()) {
            QCOMPARE(sheet.text(field), inputs.text(field));
        }
    }
}

void TestCompute::successReplacesOldResults() {
    MemorySheet sheet = workedExampleSheet();
    for (const Field field : resultFields()) {
        sheet.setText(field, QStringLiteral("stale"));
    }
    QCOMPARE(compute(sheet), std::nullopt);
    for (const Field field : resultFields()) {
        QVERIFY(textToNumber(sheet.text(field)).has_value());
    }
}

// A sheet that logs what the computation reads and writes, in order, and that can put another
// text in a result's place the moment it is written, as if the label had been changed there.
class ScriptedSheet final : public GearSheet {
public:
    QString text(Field field) const override {
        m_log.append(QStringLiteral("read ") + fieldName(field));
        return m_sheet.text(field);
    }
    void setText(Field field, const QString &text) override {
        m_log.append(QStringLiteral("write ") + fieldName(field));
        const auto rewrite = m_rewrites.find(field);
        m_sheet.setText(field,
                        rewrite == m_rewrites.end() || text.isEmpty() ? text : rewrite->second);
    }

    MemorySheet m_sheet = workedExampleSheet();
    std::map<Field, QString> m_rewrites;
    mutable QStringList m_log;
};

const QStringList speedLabels{"lblA", "LblB", "LblC", "LblD", "LblE", "LblF"};

// Each step reads its texts, then writes its result, in the order of the steps; the final ratio
// comes first though only the speeds use it.
void TestCompute::intermediatesTravelThroughTheirTexts() {
    ScriptedSheet sheet;
    QCOMPARE(compute(sheet), std::nullopt);

    QStringList steps{"read txtPignone", "read txtCorona", "write lblFinale",
                      "read Txt13",      "read Txt14",     "write lblP",
                      "read lblP",       "read txtGiri",   "write lblGc"};
    for (int gear = 1; gear <= 6; ++gear) {
        steps << QStringLiteral("read Txt%1").arg(gear)
              << QStringLiteral("read Txt%1").arg(gear + 6)
              << QStringLiteral("write lbl%1").arg(gear);
    }
    for (int gear = 1; gear <= 6; ++gear) {
        steps << QStringLiteral("read lbl%1").arg(gear) << "read lblFinale"
              << "read txtCirco"
              << "read lblGc"
              << "write " + speedLabels[gear - 1];
    }
    QCOMPARE(sheet.m_log, steps);
}

void TestCompute::laterStepsReadTheResultTextsBack_data() {
    QTest::addColumn<QStringList>("rewrites"); // result, text in its place, ...
    QTest::addColumn<QStringList>("expected"); // result, text, ...

    QTest::newRow("primary ratio") << QStringList{"lblP", "2"} << QStringList{"lblGc", "7000"};
    // 88 cm x (10000 rpm / gear n / 0.5) x 60 in km/h.
    QTest::newRow("gearbox, ratios and final ratio")
        << QStringList{"lblGc", "10000", "lblFinale", "0,5", "lbl1", "1", "lbl2", "2",
                       "lbl3",  "3",     "lbl4",      "4",   "lbl5", "5", "lbl6", "6"}
        << QStringList{"lblA", "1056", "LblB", "528",   "LblC", "352",
                       "LblD", "264",  "LblE", "211,2", "LblF", "176"};
}

// A result changed between the step that writes it and the one that reads it: the later step
// follows the changed text, not the number it computed.
void TestCompute::laterStepsReadTheResultTextsBack() {
    QFETCH(QStringList, rewrites);
    QFETCH(QStringList, expected);
    ScriptedSheet sheet;
    for (qsizetype i = 0; i < rewrites.size(); i += 2) {
        sheet.m_rewrites[fieldNamed(rewrites[i])] = rewrites[i + 1];
    }
    QCOMPARE(compute(sheet), std::nullopt);
    for (qsizetype i = 0; i < expected.size(); i += 2) {
        QCOMPARE(sheet.text(fieldNamed(expected[i])), expected[i + 1]);
    }
}

void TestCompute::twoBadTextsNameTheOneConvertedFirst_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    QTest::newRow("final ratio: crown, then pinion") << "txtCorona"
                                                     << "txtPignone";
    QTest::newRow("primary ratio: crown, then pinion") << "Txt14"
                                                       << "Txt13";
    QTest::newRow("gearbox: engine, then primary ratio") << "txtGiri"
                                                         << "lblP";
    for (int gear = 1; gear <= 6; ++gear) {
        QTest::addRow("gear %d: secondary, then primary", gear)
            << QStringLiteral("Txt%1").arg(gear + 6) << QStringLiteral("Txt%1").arg(gear);
    }
    QTest::newRow("speed: gearbox, then ratio") << "lblGc"
                                                << "lbl1";
    QTest::newRow("speed: ratio, then final ratio") << "lbl1"
                                                    << "lblFinale";
    QTest::newRow("speed: final ratio, then tyre") << "lblFinale"
                                                   << "txtCirco";
}

// Two texts of one step that are not numbers, a box typed wrong or a result changed where it
// stands: the failure names the one the step converts first.
void TestCompute::twoBadTextsNameTheOneConvertedFirst() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    ScriptedSheet sheet;
    for (const QString &bad : {first, second}) {
        const Field field = fieldNamed(bad);
        if (isInput(field)) {
            sheet.m_sheet.setText(field, QStringLiteral("x"));
        } else {
            sheet.m_rewrites[field] = QStringLiteral("x");
        }
    }
    const std::optional<ComputeFailure> failure = compute(sheet);
    QVERIFY(failure.has_value());
    const Field named = failure->result.value_or(failure->field);
    QCOMPARE(fieldName(named), first);
    QCOMPARE(failure->text, QStringLiteral("x"));
}

// Swedish writes exponents as "×10^", which it cannot read: a huge primary pinion makes the
// primary ratio one of those, and the next step has to read it back.
void TestCompute::exponentResultsReadBackInSwedish() {
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    MemorySheet sheet = workedExampleSheet();
    sheet.setText(Field::Txt13, QStringLiteral("1000000"));
    QCOMPARE(compute(sheet), std::nullopt);
    QCOMPARE(sheet.text(Field::lblP), QStringLiteral("7,5E\u221205"));
    QCOMPARE(sheet.text(Field::lblGc), QStringLiteral("1,866667E+08"));
}

void TestCompute::unreadableResultSendsTheUserToAnInput_data() {
    QTest::addColumn<Field>("result");
    QTest::addColumn<Field>("box");

    QTest::newRow("final ratio") << Field::lblFinale << Field::txtCorona;
    QTest::newRow("primary ratio") << Field::lblP << Field::Txt14;
    QTest::newRow("gearbox revolutions") << Field::lblGc << Field::txtGiri;
    QTest::newRow("third gear ratio") << Field::lbl3 << Field::Txt9;
}

void TestCompute::unreadableResultSendsTheUserToAnInput() {
    QFETCH(Field, result);
    QFETCH(Field, box);

    ScriptedSheet sheet;
    sheet.m_rewrites[result] = QStringLiteral("3,9?");
    const std::optional<ComputeFailure> failure = compute(sheet);
    QVERIFY(failure.has_value());
    QCOMPARE(failure->kind, FailureKind::UnreadableResult);
    QCOMPARE(failure->field, box);
    QCOMPARE(failure->result, std::optional<Field>(result));
    QVERIFY(failure->text.endsWith(u'?'));
    for (const Field field : resultFields()) {
        QVERIFY2(sheet.text(field).isEmpty(), qPrintable(fieldName(field)));
    }
}

QTEST_GUILESS_MAIN(TestCompute)
#include "test_compute.moc"
