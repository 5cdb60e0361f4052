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
    void longTextsAreQuotedByTheirEnds_data();
    void longTextsAreQuotedByTheirEnds();
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

void TestFailureMessage::longTextsAreQuotedByTheirEnds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("quote");

    const auto repeated = [](int count, char16_t c) {
        return QString(count, QChar(c));
    };
    const QString thumbsUp = QStringLiteral("\U0001F44D\U0001F3FD"); // with a skin tone: one
    const QString accented = QStringLiteral("e\u0301");              // e and a combining acute
    const QString doubleStruckZero = QStringLiteral("\U0001D7D8");   // a surrogate pair

    QTest::newRow("no characters") << QString() << QString();
    QTest::newRow("one") << "x"
                         << "«x»";
    QTest::newRow("a few") << "12a4"
                           << "«12a4»";
    QTest::newRow("at the limit") << repeated(40, u'7') << "«" + repeated(40, u'7') + "»";
    // 42 UTF-16 units, but 40 characters to the eye.
    QTest::newRow("emoji at the limit")
        << repeated(39, u'7') + thumbsUp << "«" + repeated(39, u'7') + thumbsUp + "»";
    QTest::newRow("one past the limit")
        << repeated(20, u'1') + repeated(21, u'2')
        << "«" + repeated(16, u'1') + "…" + repeated(16, u'2') + "» (41 caratteri)";
    QTest::newRow("a pasted column")
        << repeated(20000, u'1') + repeated(20000, u'2')
        << "«" + repeated(16, u'1') + "…" + repeated(16, u'2') + "» (40.000 caratteri)";
    QTest::newRow("emoji at the cut")
        << repeated(15, u'1') + thumbsUp + repeated(30, u'2')
        << "«" + repeated(15, u'1') + thumbsUp + "…" + repeated(16, u'2') + "» (46 caratteri)";
    QTest::newRow("surrogate pair at the cut")
        << repeated(15, u'1') + doubleStruckZero + repeated(30, u'2')
        << "«" + repeated(15, u'1') + doubleStruckZero + "…" + repeated(16, u'2') +
               "» (46 caratteri)";
    QTest::newRow("line breaks and a tab") << "12\n13\r\n14\t15"
                                           << "«12↵13↵14 15»";
    QTest::newRow("a pasted column of numbers")
        << QStringLiteral("1234\n").repeated(20)
        << "«1234↵1234↵1234↵1…↵1234↵1234↵1234↵» (100 caratteri)";
    QTest::newRow("combining accent at the cut")
        << repeated(30, u'3') + accented + repeated(15, u'4')
        << "«" + repeated(16, u'3') + "…" + accented + repeated(15, u'4') + "» (46 caratteri)";
}

// The box keeps whatever was pasted; the message quotes as much as a reader takes in at once.
void TestFailureMessage::longTextsAreQuotedByTheirEnds() {
    QFETCH(QString, text);
    QFETCH(QString, quote);

    const QString message =
        failureMessage({FailureKind::ConversionError, Field::txtGiri, text, std::nullopt},
                       QLocale(QLocale::Italian, QLocale::Italy));
    QCOMPARE(message, quote.isEmpty()
                          ? QStringLiteral("«Giri Motore» è vuoto: scrivi un numero.")
                          : QStringLiteral("«Giri Motore»: %1 non è un numero.").arg(quote));
}

QTEST_GUILESS_MAIN(TestFailureMessage)
#include "test_failure_message.moc"
