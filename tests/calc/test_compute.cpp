#include "calc/compute.h"
#include "calc/gear_sheet.h"
#include "calc/presets.h"
#include "runtime/number_text.h"
#include "worked_example.h"

#include <QTest>

#include <cmath>

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
    void failures_data();
    void failures();
    void failureClearsEveryResult();
    void successReplacesOldResults();
    void intermediatesTravelThroughTheirTexts();
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

// A sheet that reports what it is asked, to show that later steps read the results back.
class RecordingSheet final : public GearSheet {
public:
    QString text(Field field) const override {
        m_reads.append(field);
        return m_sheet.text(field);
    }
    void setText(Field field, const QString &text) override { m_sheet.setText(field, text); }

    MemorySheet m_sheet;
    mutable QList<Field> m_reads;
};

void TestCompute::intermediatesTravelThroughTheirTexts() {
    RecordingSheet sheet;
    sheet.m_sheet = workedExampleSheet();
    QCOMPARE(compute(sheet), std::nullopt);

    const QList<Field> expectedStart{Field::txtPignone, Field::txtCorona, Field::Txt13,
                                     Field::Txt14,      Field::lblP,      Field::txtGiri,
                                     Field::Txt1,       Field::Txt7};
    QCOMPARE(sheet.m_reads.mid(0, expectedStart.size()), expectedStart);
    const QList<Field> firstSpeed{Field::lbl1, Field::lblFinale, Field::txtCirco, Field::lblGc};
    const qsizetype speedStart = sheet.m_reads.indexOf(Field::lbl1);
    QCOMPARE(sheet.m_reads.mid(speedStart, firstSpeed.size()), firstSpeed);
    QCOMPARE(sheet.m_reads.size(), 8 + 10 + 6 * 4);
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

// A sheet whose labels spoil what is written into one result, as no real one does.
class SpoilingSheet final : public GearSheet {
public:
    explicit SpoilingSheet(Field spoiled)
        : m_spoiled(spoiled) {}
    QString text(Field field) const override { return m_sheet.text(field); }
    void setText(Field field, const QString &text) override {
        const bool spoil = field == m_spoiled && !text.isEmpty();
        m_sheet.setText(field, spoil ? text + QStringLiteral("?") : text);
    }

    MemorySheet m_sheet = workedExampleSheet();

private:
    Field m_spoiled;
};

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

    SpoilingSheet sheet(result);
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
