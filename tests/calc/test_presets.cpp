#include "calc/compute.h"
#include "calc/gear_sheet.h"
#include "calc/presets.h"
#include "fixtures/worked_example.h"

#include <QTest>

class TestPresets : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void rows_data();
    void rows();
    void touchesOnlyTheToothCounts();
    void leavesResultsOnShow();
    void theTmEnginesShareOneGearing();
    void standardCircumference();
    void writesPlainWholeNumbersInAnyLocale();
};

void TestPresets::rows_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("texts");

    const auto row = [](const char *teeth) {
        return QString::fromLatin1(teeth).split(u' ');
    };
    QTest::newRow("Command1") << 0 << "Tm Kv95" << row("13 16 18 23 22 23 33 30 28 29 24 22 20 73");
    QTest::newRow("Command2") << 1 << "Tm K8" << row("13 16 18 22 22 27 33 29 27 27 23 25 19 75");
    QTest::newRow("Command3") << 2 << "Tm K9" << row("13 16 18 22 22 27 33 29 27 27 23 25 19 75");
    QTest::newRow("Command4") << 3 << "Vortex RVS"
                              << row("13 15 16 19 24 23 33 28 24 24 26 22 15 59");
    QTest::newRow("Command5") << 4 << "Pavesi 25°"
                              << row("15 19 21 23 25 27 32 29 26 24 22 21 18 75");
    QTest::newRow("Command6") << 5 << "Tm K9b" << row("13 16 18 22 22 27 33 29 27 27 23 25 19 75");
}

void TestPresets::rows() {
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(QStringList, texts);

    QCOMPARE(enginePresets().size(), std::size_t{6});
    const EnginePreset &preset = enginePresets()[static_cast<std::size_t>(index)];
    QCOMPARE(QString::fromUtf8(preset.caption), caption);

    MemorySheet sheet;
    applyPreset(sheet, preset);
    const Field boxes[] = {Field::Txt1,  Field::Txt2,  Field::Txt3,  Field::Txt4, Field::Txt5,
                           Field::Txt6,  Field::Txt7,  Field::Txt8,  Field::Txt9, Field::Txt10,
                           Field::Txt11, Field::Txt12, Field::Txt13, Field::Txt14};
    for (int i = 0; i < 14; ++i) {
        QCOMPARE(sheet.text(boxes[i]), texts[i]);
    }
}

void TestPresets::touchesOnlyTheToothCounts() {
    MemorySheet sheet;
    const QList<std::pair<Field, QString>> typed{{Field::txtGiri, "14000"},
                                                 {Field::txtCirco, "abc"},
                                                 {Field::txtPignone, "17"},
                                                 {Field::txtCorona, ""}};
    for (const auto &[field, text] : typed) {
        sheet.setText(field, text);
    }
    sheet.setText(Field::Txt5, QStringLiteral("old"));
    applyPreset(sheet, enginePresets()[3]);
    applyPreset(sheet, enginePresets()[3]);

    for (const auto &[field, text] : typed) {
        QCOMPARE(sheet.text(field), text);
    }
    QCOMPARE(sheet.text(Field::Txt5), QStringLiteral("24"));
}

void TestPresets::leavesResultsOnShow() {
    MemorySheet sheet = workedExampleSheet();
    QCOMPARE(compute(sheet), std::nullopt);
    const MemorySheet before = sheet;

    applyPreset(sheet, enginePresets()[4]);
    applyStandardCircumference(sheet);
    for (const Field field : resultFields()) {
        QCOMPARE(sheet.text(field), before.text(field));
    }
}

void TestPresets::theTmEnginesShareOneGearing() {
    MemorySheet k9;
    applyPreset(k9, enginePresets()[2]);
    MemorySheet k8AfterK9 = k9;
    applyPreset(k8AfterK9, enginePresets()[1]);
    MemorySheet k9b;
    applyPreset(k9b, enginePresets()[5]);
    for (const Field field : allFields()) {
        QCOMPARE(k8AfterK9.text(field), k9.text(field));
        QCOMPARE(k9b.text(field), k9.text(field));
    }
}

void TestPresets::standardCircumference() {
    MemorySheet sheet;
    sheet.setText(Field::txtCirco, QStringLiteral("90,5"));
    applyStandardCircumference(sheet);
    for (const Field field : allFields()) {
        QCOMPARE(sheet.text(field), field == Field::txtCirco ? QStringLiteral("88") : QString());
    }
}

void TestPresets::writesPlainWholeNumbersInAnyLocale() {
    for (const char *name : {"it_IT", "ar_EG", "fa_IR", "hi_IN"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        MemorySheet sheet;
        applyPreset(sheet, enginePresets()[0]);
        QCOMPARE(sheet.text(Field::Txt14), QStringLiteral("73"));
    }
}

QTEST_GUILESS_MAIN(TestPresets)
#include "test_presets.moc"
