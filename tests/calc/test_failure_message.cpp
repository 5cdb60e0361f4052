#include "calc/failure_message.h"

#include <QTest>

Q_DECLARE_METATYPE(Field)
Q_DECLARE_METATYPE(FailureKind)

class TestFailureMessage : public QObject {
    Q_OBJECT

private slots:
    void messages_data();
    void messages();
    void unreadableResultNamesAnInputToCheck();
};

void TestFailureMessage::messages_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<FailureKind>("kind");
    QTest::addColumn<Field>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QTest::newRow("letters") << italian << FailureKind::ConversionError << Field::txtPignone
                             << "abc"
                             << "«Pignone»: «abc» non è un numero.";
    QTest::newRow("empty") << italian << FailureKind::ConversionError << Field::Txt9 << ""
                           << "«3° Marcia, Sec.» è vuoto: scrivi un numero.";
    QTest::newRow("point in Italian")
        << italian << FailureKind::ConversionError << Field::txtCirco << "87.5"
        << "«Circonferenza Gomma»: «87.5» non è un numero. Usa la virgola come separatore "
           "decimale.";
    QTest::newRow("comma in C")
        << QLocale::c() << FailureKind::ConversionError << Field::txtGiri << "13,5"
        << "«Giri Motore»: «13,5» non è un numero. Usa il punto come separatore decimale.";
    QTest::newRow("division by zero")
        << italian << FailureKind::DivisionByZero << Field::Txt14 << ""
        << "Divisione per zero: «Cor. Primaria» non può essere zero.";
    QTest::newRow("zero by zero")
        << italian << FailureKind::InvalidOperation << Field::Txt1 << ""
        << "Operazione non valida (zero diviso zero): «1° Marcia, Prim.» non può essere zero.";
    QTest::newRow("overflow") << italian << FailureKind::Overflow << Field::txtCirco << ""
                              << "Risultato troppo grande: controlla «Circonferenza Gomma».";
}

void TestFailureMessage::messages() {
    QFETCH(QLocale, locale);
    QFETCH(FailureKind, kind);
    QFETCH(Field, field);
    QFETCH(QString, text);
    QFETCH(QString, message);

    QCOMPARE(failureMessage({kind, field, text, std::nullopt}, locale), message);
}

// The label cannot be typed into, so the message points at the box behind it.
void TestFailureMessage::unreadableResultNamesAnInputToCheck() {
    const ComputeFailure failure{FailureKind::UnreadableResult, Field::Txt14,
                                 QStringLiteral("7.5e-05"), Field::lblP};
    QCOMPARE(failureMessage(failure, QLocale(QLocale::Italian, QLocale::Italy)),
             QStringLiteral("Il risultato «Primaria» («7.5e-05») non si può rileggere come "
                            "numero: controlla «Cor. Primaria»."));
}

QTEST_GUILESS_MAIN(TestFailureMessage)
#include "test_failure_message.moc"
