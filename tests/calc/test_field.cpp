#include "calc/field.h"
#include "designed_fields.h"

#include <QTest>

#include <span>

Q_DECLARE_METATYPE(Field)

// What the window writes beside each field is what messages and screen readers call it.
class TestField : public QObject {
    Q_OBJECT

private slots:
    void namesAndCaptions_data();
    void namesAndCaptions();
    void gearFunctionsFindTheGridsFields();
};

void TestField::namesAndCaptions_data() {
    QTest::addColumn<Field>("field");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("input");

    for (const bool input : {true, false}) {
        for (const DesignedField &designed :
             input ? std::span<const DesignedField>(designedBoxes) : designedResults) {
            QTest::newRow(designed.name) << designed.field << QString::fromLatin1(designed.name)
                                         << QString::fromUtf8(designed.caption) << input;
        }
    }
}

void TestField::namesAndCaptions() {
    QFETCH(Field, field);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, input);

    QCOMPARE(fieldName(field), name);
    QCOMPARE(fieldCaption(field), caption);
    QCOMPARE(isInput(field), input);
}

// The gear grid: a row per gear, under four column headings.
void TestField::gearFunctionsFindTheGridsFields() {
    for (int gear = 1; gear <= gearCount; ++gear) {
        const auto row = static_cast<std::size_t>(gear);
        QCOMPARE(primaryTeeth(gear), designedBoxes[5 + row].field);
        QCOMPARE(secondaryTeeth(gear), designedBoxes[11 + row].field);
        QCOMPARE(gearRatio(gear), designedResults[2 + row].field);
        QCOMPARE(gearSpeed(gear), designedResults[8 + row].field);
    }
}

QTEST_GUILESS_MAIN(TestField)
#include "test_field.moc"
