#include "calc/failure_message.h"

#include <QTest>

#include <array>
#include <utility>

Q_DECLARE_METATYPE(Field)
Q_DECLARE_METATYPE(FailureKind)

class TestFailureMessage : public QObject {
    Q_OBJECT

private slots:
    void messages_data();
    void messages();
    void unreadableResultNamesAnInputToCheck();
    void everyBoxAndEveryKind_data();
    void everyBoxAndEveryKind();
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
                             << "Il campo «Pignone» contiene «abc», che non è un numero.";
    QTest::newRow("empty") << italian << FailureKind::ConversionError << Field::Txt9 << ""
                           << "Il campo «3° Marcia, Sec.» è vuoto: scrivi un numero.";
    QTest::newRow("spaces only") << italian << FailureKind::ConversionError << Field::txtCorona
                                 << " \t "
                                 << "Il campo «Corona» è vuoto: scrivi un numero.";
    QTest::newRow("point in Italian")
        << italian << FailureKind::ConversionError << Field::txtCirco << "87.5"
        << "Il campo «Circonferenza Gomma» contiene «87.5», che non è un numero. Usa la virgola "
           "come separatore decimale.";
    QTest::newRow("comma in C")
        << QLocale::c() << FailureKind::ConversionError << Field::txtGiri << "13,5"
        << "Il campo «Giri Motore» contiene «13,5», che non è un numero. Usa il punto come "
           "separatore decimale.";
    // A separator without a name of its own is quoted, as everything else the message cites.
    QTest::newRow("comma in Arabic")
        << QLocale(QLocale::Arabic, QLocale::Egypt) << FailureKind::ConversionError
        << Field::txtCirco << "87,5"
        << "Il campo «Circonferenza Gomma» contiene «87,5», che non è un numero. Usa «٫» "
           "come separatore decimale.";
    // A point between groups of three is a group separator where the comma is the decimal one:
    // such a text reads, and a point that cannot group draws the hint.
    QTest::newRow("point not grouping in Polish")
        << QLocale(QLocale::Polish, QLocale::Poland) << FailureKind::ConversionError
        << Field::txtGiri << "9.50"
        << "Il campo «Giri Motore» contiene «9.50», che non è un numero. Usa la virgola come "
           "separatore decimale.";
    QTest::newRow("division by zero")
        << italian << FailureKind::DivisionByZero << Field::Txt14 << ""
        << "Divisione per zero: il campo «Cor. Primaria» non può valere zero.";
    QTest::newRow("zero by zero")
        << italian << FailureKind::InvalidOperation << Field::Txt1 << ""
        << "Operazione non valida (zero diviso zero): il campo «1° Marcia, Prim.» non può valere "
           "zero.";
    QTest::newRow("overflow")
        << italian << FailureKind::Overflow << Field::txtCirco << ""
        << "Risultato troppo grande: controlla il campo «Circonferenza Gomma».";
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
             QStringLiteral("Il risultato «Primaria» («7.5e-05») non è leggibile come numero: "
                            "controlla il campo «Cor. Primaria»."));
}

void TestFailureMessage::everyBoxAndEveryKind_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<FailureKind>("kind");
    QTest::addColumn<Field>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("result"); // a Field, or -1 for none
    QTest::addColumn<QString>("message");

    // The boxes as the window captions them. Some captions are feminine (Corona, Circonferenza
    // Gomma, Marcia), some masculine (Pignone, Giri), some abbreviated: each message names the
    // box as "il campo", which agrees with every one of them.
    const std::array<std::pair<Field, const char *>, 18> boxes{{
        {Field::txtGiri, "Giri Motore"},
        {Field::txtCirco, "Circonferenza Gomma"},
        {Field::txtPignone, "Pignone"},
        {Field::txtCorona, "Corona"},
        {Field::Txt13, "Pign. Primaria"},
        {Field::Txt14, "Cor. Primaria"},
        {Field::Txt1, "1° Marcia, Prim."},
        {Field::Txt2, "2° Marcia, Prim."},
        {Field::Txt3, "3° Marcia, Prim."},
        {Field::Txt4, "4° Marcia, Prim."},
        {Field::Txt5, "5° Marcia, Prim."},
        {Field::Txt6, "6° Marcia, Prim."},
        {Field::Txt7, "1° Marcia, Sec."},
        {Field::Txt8, "2° Marcia, Sec."},
        {Field::Txt9, "3° Marcia, Sec."},
        {Field::Txt10, "4° Marcia, Sec."},
        {Field::Txt11, "5° Marcia, Sec."},
        {Field::Txt12, "6° Marcia, Sec."},
    }};
    const std::array<std::pair<Field, const char *>, 15> results{{
        {Field::lblFinale, "Rapporto Finale"},
        {Field::lblP, "Primaria"},
        {Field::lblGc, "Giri Cambio"},
        {Field::lbl1, "1° Marcia, Rapp.Sec./Prim."},
        {Field::lbl2, "2° Marcia, Rapp.Sec./Prim."},
        {Field::lbl3, "3° Marcia, Rapp.Sec./Prim."},
        {Field::lbl4, "4° Marcia, Rapp.Sec./Prim."},
        {Field::lbl5, "5° Marcia, Rapp.Sec./Prim."},
        {Field::lbl6, "6° Marcia, Rapp.Sec./Prim."},
        {Field::lblA, "1° Marcia, Velocità Km/h"},
        {Field::LblB, "2° Marcia, Velocità Km/h"},
        {Field::LblC, "3° Marcia, Velocità Km/h"},
        {Field::LblD, "4° Marcia, Velocità Km/h"},
        {Field::LblE, "5° Marcia, Velocità Km/h"},
        {Field::LblF, "6° Marcia, Velocità Km/h"},
    }};

    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const QString pasted = QString(25, u'1') + u'x' + QString(24, u'2');
    const auto row = [](const char *box, const char *what) -> QTestData & {
        return QTest::newRow(
            qPrintable(QStringLiteral("%1: %2").arg(QString::fromUtf8(box), QLatin1String(what))));
    };
    for (const auto &[field, caption] : boxes) {
        const QString box = QString::fromUtf8(caption);
        row(caption, "empty")
            << italian << FailureKind::ConversionError << field << QString() << -1
            << QStringLiteral("Il campo «%1» è vuoto: scrivi un numero.").arg(box);
        row(caption, "not a number")
            << italian << FailureKind::ConversionError << field << QStringLiteral("12a") << -1
            << QStringLiteral("Il campo «%1» contiene «12a», che non è un numero.").arg(box);
        row(caption, "point in Italian")
            << italian << FailureKind::ConversionError << field << QStringLiteral("17.5") << -1
            << QStringLiteral("Il campo «%1» contiene «17.5», che non è un numero. Usa la virgola "
                              "come separatore decimale.")
                   .arg(box);
        row(caption, "comma in C")
            << QLocale::c() << FailureKind::ConversionError << field << QStringLiteral("17,5") << -1
            << QStringLiteral("Il campo «%1» contiene «17,5», che non è un numero. Usa il punto "
                              "come separatore decimale.")
                   .arg(box);
        row(caption, "long paste")
            << italian << FailureKind::ConversionError << field << pasted << -1
            << QStringLiteral("Il campo «%1» contiene «1111111111111111…2222222222222222» (50 "
                              "caratteri), che non è un numero.")
                   .arg(box);
        row(caption, "division by zero")
            << italian << FailureKind::DivisionByZero << field << QString() << -1
            << QStringLiteral("Divisione per zero: il campo «%1» non può valere zero.").arg(box);
        row(caption, "zero by zero")
            << italian << FailureKind::InvalidOperation << field << QString() << -1
            << QStringLiteral(
                   "Operazione non valida (zero diviso zero): il campo «%1» non può valere zero.")
                   .arg(box);
        row(caption, "overflow")
            << italian << FailureKind::Overflow << field << QString() << -1
            << QStringLiteral("Risultato troppo grande: controlla il campo «%1».").arg(box);
    }
    for (std::size_t i = 0; i < results.size(); ++i) {
        const auto &[result, caption] = results[i];
        const auto &[field, box] = boxes[i];
        row(caption, "unreadable") << italian << FailureKind::UnreadableResult << field
                                   << QStringLiteral("7.5e-05") << static_cast<int>(result)
                                   << QStringLiteral("Il risultato «%1» («7.5e-05») non è "
                                                     "leggibile come numero: controlla il campo "
                                                     "«%2».")
                                          .arg(QString::fromUtf8(caption), QString::fromUtf8(box));
    }
}

// Every message Dentaro can show, for every box it can name, as an Italian mechanic reads it.
void TestFailureMessage::everyBoxAndEveryKind() {
    QFETCH(QLocale, locale);
    QFETCH(FailureKind, kind);
    QFETCH(Field, field);
    QFETCH(QString, text);
    QFETCH(int, result);
    QFETCH(QString, message);

    const std::optional<Field> resultField =
        result < 0 ? std::nullopt : std::optional<Field>(static_cast<Field>(result));
    QCOMPARE(failureMessage({kind, field, text, resultField}, locale), message);
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
    QTest::newRow("every kind of line break") << "1\r2\u20283\u20294\r\n"
                                              << "«1↵2↵3↵4↵»";
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
    QCOMPARE(message,
             quote.isEmpty()
                 ? QStringLiteral("Il campo «Giri Motore» è vuoto: scrivi un numero.")
                 : QStringLiteral("Il campo «Giri Motore» contiene %1, che non è un numero.")
                       .arg(quote));
}

QTEST_GUILESS_MAIN(TestFailureMessage)
#include "test_failure_message.moc"
