#include "calc/field.h"

#include <QTest>

Q_DECLARE_METATYPE(Field)

// What the window writes beside each field is what messages and screen readers call it.
class TestField : public QObject {
    Q_OBJECT

private slots:
    void namesAndCaptions_data();
    void namesAndCaptions();
};

void TestField::namesAndCaptions_data() {
    QTest::addColumn<Field>("field");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    const auto row = [](Field field, const char *name, const char *caption) {
        QTest::newRow(name) << field << QString::fromLatin1(name) << QString::fromUtf8(caption);
    };
    row(Field::txtGiri, "txtGiri", "Giri Motore");
    row(Field::txtCirco, "txtCirco", "Circonferenza Gomma");
    row(Field::txtPignone, "txtPignone", "Pignone");
    row(Field::txtCorona, "txtCorona", "Corona");
    row(Field::Txt13, "Txt13", "Pign. Primaria");
    row(Field::Txt14, "Txt14", "Cor. Primaria");
    row(Field::lblFinale, "lblFinale", "Rapporto Finale");
    row(Field::lblP, "lblP", "Primaria");
    row(Field::lblGc, "lblGc", "Giri Cambio");

    // The gear grid: a row per gear, captioned "n° Marcia", under four column headings.
    const char *speedLabels[] = {"lblA", "LblB", "LblC", "LblD", "LblE", "LblF"};
    for (int gear = 1; gear <= 6; ++gear) {
        const QString rowCaption = QStringLiteral("%1° Marcia, ").arg(gear);
        const QString gearName = QString::number(gear);
        QTest::addRow("Txt%d", gear)
            << primaryTeeth(gear) << "Txt" + gearName << rowCaption + "Prim.";
        QTest::addRow("Txt%d", gear + 6)
            << secondaryTeeth(gear) << "Txt" + QString::number(gear + 6) << rowCaption + "Sec.";
        QTest::addRow("lbl%d", gear)
            << gearRatio(gear) << "lbl" + gearName << rowCaption + "Rapp.Sec./Prim.";
        QTest::addRow("%s", speedLabels[gear - 1])
            << gearSpeed(gear) << QString::fromLatin1(speedLabels[gear - 1])
            << rowCaption + QStringLiteral("Velocità Km/h");
    }
}

void TestField::namesAndCaptions() {
    QFETCH(Field, field);
    QFETCH(QString, name);
    QFETCH(QString, caption);

    QCOMPARE(fieldName(field), name);
    QCOMPARE(fieldCaption(field), caption);
    QCOMPARE(isInput(field), !name.startsWith(QStringLiteral("lbl"), Qt::CaseInsensitive));
}

QTEST_GUILESS_MAIN(TestField)
#include "test_field.moc"
