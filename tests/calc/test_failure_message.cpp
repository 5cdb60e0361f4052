#include "calc/failure_message.h"
#include "designed_fields.h"

#include <QTest>

Q_DECLARE_METATYPE(Field)
Q_DECLARE_METATYPE(FailureKind)

class TestFailureMessage : public QObject {
    Q_OBJECT

private slots:
    void everyBoxAndEveryKind_data();
    void everyBoxAndEveryKind();
    void longTextsAreQuotedByTheirEnds_data();
    void longTextsAreQuotedByTheirEnds();
};

namespace {

// What sets one message apart from another besides the box: the kind of failure, the text the
// box held, the locale. In the message, %1 stands for the box's caption.
struct Failure {
    const char *what;
    FailureKind kind;
    QString text;
    QLocale locale;
    const char *message;
};

} // namespace

void TestFailureMessage::everyBoxAndEveryKind_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<FailureKind>("kind");
    QTest::addColumn<Field>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("result"); // a Field, or -1 for none
    QTest::addColumn<QString>("message");

    using enum FailureKind;
    const QLocale it(QLocale::Italian, QLocale::Italy);
    const QLocale c = QLocale::c();
    const Failure failures[] = {
        {"empty", ConversionError, "", it, "Il campo «%1» è vuoto: scrivi un numero."},
        {"spaces only", ConversionError, " \t ", it, "Il campo «%1» è vuoto: scrivi un numero."},
        {"letters", ConversionError, "abc", it,
         "Il campo «%1» contiene «abc», che non è un numero."},
        {"not a number", ConversionError, "12a", it,
         "Il campo «%1» contiene «12a», che non è un numero."},
        {"point in Italian", ConversionError, "17.5", it,
         "Il campo «%1» contiene «17.5», che non è un numero. Usa la virgola come separatore "
         "decimale."},
        {"point in Italian, 87.5", ConversionError, "87.5", it,
         "Il campo «%1» contiene «87.5», che non è un numero. Usa la virgola come separatore "
         "decimale."},
        {"comma in C", ConversionError, "17,5", c,
         "Il campo «%1» contiene «17,5», che non è un numero. Usa il punto come separatore "
         "decimale."},
        {"comma in C, 13,5", ConversionError, "13,5", c,
         "Il campo «%1» contiene «13,5», che non è un numero. Usa il punto come separatore "
         "decimale."},
        // A separator without a name of its own is quoted, as everything else the message cites.
        {"comma in Arabic", ConversionError, "87,5", QLocale(QLocale::Arabic, QLocale::Egypt),
         "Il campo «%1» contiene «87,5», che non è un numero. Usa «٫» come separatore decimale."},
        // A point between groups of three is a group separator where the comma is the decimal
        // one: such a text reads, and a point that cannot group draws the hint.
        {"point not grouping in Polish", ConversionError, "9.50",
         QLocale(QLocale::Polish, QLocale::Poland),
         "Il campo «%1» contiene «9.50», che non è un numero. Usa la virgola come separatore "
         "decimale."},
        {"long paste", ConversionError, QString(25, u'1') + u'x' + QString(24, u'2'), it,
         "Il campo «%1» contiene «1111111111111111…2222222222222222» (50 caratteri), che non è "
         "un numero."},
        {"division by zero", DivisionByZero, "", it,
         "Divisione per zero: il campo «%1» non può valere zero."},
        {"zero by zero", InvalidOperation, "", it,
         "Operazione non valida (zero diviso zero): il campo «%1» non può valere zero."},
        {"overflow", Overflow, "", it, "Risultato troppo grande: controlla il campo «%1»."},
    };

    // Some captions are feminine (Corona, Circonferenza Gomma, Marcia), some masculine (Pignone,
    // Giri), some abbreviated: each message names the box as "il campo", which agrees with every
    // one of them.
    for (const DesignedField &box : designedBoxes) {
        const QString caption = QString::fromUtf8(box.caption);
        for (const Failure &failure : failures) {
            QTest::addRow("%s: %s", box.caption, failure.what)
                << failure.locale << failure.kind << box.field << failure.text << -1
                << QString::fromUtf8(failure.message).arg(caption);
        }
        // A result label cannot be typed into, so the message points at a box behind it.
        for (const DesignedField &result : designedResults) {
            QTest::addRow("%s: unreadable %s", box.caption, result.caption)
                << it << UnreadableResult << box.field << QStringLiteral("7.5e-05")
                << static_cast<int>(result.field)
                << QStringLiteral("Il risultato «%1» («7.5e-05») non è leggibile come numero: "
                                  "controlla il campo «%2».")
                       .arg(QString::fromUtf8(result.caption), caption);
        }
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
