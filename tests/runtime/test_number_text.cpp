#include "runtime/number_text.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <bit>
#include <cmath>
#include <limits>

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void textToNumber_data();
    void textToNumber();
    void rejectsNonNumbers_data();
    void rejectsNonNumbers();
    void numberToText_data();
    void numberToText();
    void readsBackInEveryLocale_data();
    void readsBackInEveryLocale();
    void followsTheDefaultLocale();
    void wholeToText_data();
    void wholeToText();
    void separatorHint_data();
    void separatorHint();
    void hintedSeparatorMakesTheNumber_data();
    void hintedSeparatorMakesTheNumber();
    void hintNeverMakesGroupedThousandsADecimal_data();
    void hintNeverMakesGroupedThousandsADecimal();
};

namespace {

const QLocale italian(QLocale::Italian, QLocale::Italy);
const QLocale c = QLocale::c();
const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
const QLocale persian(QLocale::Persian, QLocale::Iran);

// The languages whose results must look alike on every Qt release the program is built with.
const char *const everyReleaseLocales[] = {"C",     "it_IT", "de_DE", "fr_FR", "es_ES",
                                           "pt_BR", "pt_PT", "pl_PL", "sv_SE", "fi_FI",
                                           "cs_CZ", "nl_NL", "en_GB", "en_US"};

QLocale localeNamed(const char *name) {
    return qstrcmp(name, "C") == 0 ? c : QLocale(QString::fromLatin1(name));
}

} // namespace

void TestNumberText::textToNumber_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("it whole") << italian << "13" << 13.0;
    QTest::newRow("it decimal comma") << italian << "87,5" << 87.5;
    QTest::newRow("it grouped thousands") << italian << "14.000" << 14000.0;
    QTest::newRow("it grouped millions") << italian << "1.000.000" << 1e6;
    QTest::newRow("it exponent") << italian << "1,5e3" << 1500.0;
    QTest::newRow("it upper exponent") << italian << "1,5E+03" << 1500.0;
    QTest::newRow("it spaces around") << italian << "  88 " << 88.0;
    QTest::newRow("it plus sign") << italian << "+17" << 17.0;
    QTest::newRow("it minus sign") << italian << "-17" << -17.0;
    QTest::newRow("it zero") << italian << "0" << 0.0;
    // Either minus a keyboard gives, and the exponent as the locale itself writes it.
    QTest::newRow("it typographic minus") << italian << "\u221217" << -17.0;
    const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
    QTest::newRow("sv hyphen minus") << swedish << "-17" << -17.0;
    QTest::newRow("sv own exponent") << swedish << "1,5" + swedish.exponential() + "3" << 1500.0;
    QTest::newRow("C decimal point") << c << "87.5" << 87.5;
    QTest::newRow("C exponent") << c << "2.5e-3" << 0.0025;
    QTest::newRow("C negative") << c << "-0.5" << -0.5;
    QTest::newRow("C tabs around") << c << "\t30\t" << 30.0;
    QTest::newRow("C largest double")
        << c << "1.7976931348623157e308" << std::numeric_limits<double>::max();
    QTest::newRow("C subnormal") << c << "4.940656e-324"
                                 << std::numeric_limits<double>::denorm_min();
    // Arabic and Persian write their own digits and decimal separator, yet a keyboard there types
    // ASCII numbers too, which nothing else could mean.
    for (const QLocale &locale : {arabic, persian}) {
        const QString tag = locale.name() + QStringLiteral(" ASCII ");
        QTest::newRow(qPrintable(tag + "decimal point")) << locale << "87.5" << 87.5;
        QTest::newRow(qPrintable(tag + "negative")) << locale << "-17.25" << -17.25;
        QTest::newRow(qPrintable(tag + "exponent")) << locale << "1.5e3" << 1500.0;
        QTest::newRow(qPrintable(tag + "spaces around")) << locale << " 0.5 " << 0.5;
    }

    // Grouped as a mechanic types them, they read as the whole number they show, on every Qt
    // release: Qt 6.8 reads neither "9.500" nor "1.000.000" in Italian, and no release reads
    // "9.500" in Spanish.
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    const QLocale french(QLocale::French, QLocale::France);
    const QLocale swiss(QLocale::German, QLocale::Switzerland);
    const QLocale indian(QLocale::English, QLocale::India);
    QTest::newRow("it nine thousand five hundred") << italian << "9.500" << 9500.0;
    QTest::newRow("it a million") << italian << "1.000.000" << 1e6;
    QTest::newRow("it grouped with decimals") << italian << "9.500,25" << 9500.25;
    QTest::newRow("it grouped negative") << italian << "-14.000" << -14000.0;
    QTest::newRow("it grouped exponent") << italian << "1.000,5e3" << 1000500.0;
    QTest::newRow("es nine thousand five hundred") << spanish << "9.500" << 9500.0;
    QTest::newRow("es a million") << spanish << "1.000.000" << 1e6;
    QTest::newRow("pt nine thousand five hundred")
        << QLocale(QLocale::Portuguese) << "9.500" << 9500.0;
    QTest::newRow("pl point") << polish << "9.500" << 9500.0;
    QTest::newRow("pl point with decimals") << polish << "1.000.000,5" << 1000000.5;
    QTest::newRow("pt_PT point") << QLocale(QLocale::Portuguese, QLocale::Portugal) << "9.500"
                                 << 9500.0;
    QTest::newRow("fr point") << french << "9.500" << 9500.0;
    QTest::newRow("pl typed space") << polish << "9 500" << 9500.0;
    QTest::newRow("pl no-break space") << polish << "9\u00A0500" << 9500.0;
    QTest::newRow("fr typed space") << french << "9 500" << 9500.0;
    QTest::newRow("fr no-break space") << french << "1\u00A0000\u00A0000" << 1e6;
    QTest::newRow("de_CH apostrophe") << swiss << "9'500" << 9500.0;
    QTest::newRow("de_CH right quote") << swiss << "9\u2019500.5" << 9500.5;
    QTest::newRow("en_IN lakh") << indian << "1,00,000" << 1e5;
    QTest::newRow("en_IN thousands") << indian << "1,000,000" << 1e6;
    QTest::newRow("en_US grouped") << QLocale(QLocale::English) << "9,500.25" << 9500.25;

    // Each language with its own group separator, whatever the Qt release calls it.
    for (const char *name : everyReleaseLocales) {
        const QLocale locale = localeNamed(name);
        const QString group = locale.groupSeparator();
        const QString point = locale.decimalPoint();
        const QString tag = QString::fromLatin1(name) + QStringLiteral(" own separator: ");
        QTest::newRow(qPrintable(tag + "9 500")) << locale << "9" + group + "500" << 9500.0;
        QTest::newRow(qPrintable(tag + "1 000 000"))
            << locale << "1" + group + "000" + group + "000" << 1e6;
        QTest::newRow(qPrintable(tag + "-9 500.25"))
            << locale << locale.negativeSign() + "9" + group + "500" + point + "25" << -9500.25;
    }
}

void TestNumberText::textToNumber() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(double, expected);

    QCOMPARE(::textToNumber(text, locale), std::optional<double>(expected));
}

void TestNumberText::rejectsNonNumbers_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");

    for (const QLocale &locale : {italian, c}) {
        const QString tag = locale.name() + QStringLiteral(": ");
        QTest::newRow(qPrintable(tag + "empty")) << locale << "";
        QTest::newRow(qPrintable(tag + "spaces")) << locale << "   ";
        QTest::newRow(qPrintable(tag + "lone minus")) << locale << "-";
        QTest::newRow(qPrintable(tag + "lone plus")) << locale << "+";
        QTest::newRow(qPrintable(tag + "nan")) << locale << "nan";
        QTest::newRow(qPrintable(tag + "NaN")) << locale << "NaN";
        QTest::newRow(qPrintable(tag + "inf")) << locale << "inf";
        QTest::newRow(qPrintable(tag + "-inf")) << locale << "-inf";
        QTest::newRow(qPrintable(tag + "hex")) << locale << "0x10";
        QTest::newRow(qPrintable(tag + "trailing junk")) << locale << "12abc";
        QTest::newRow(qPrintable(tag + "letters")) << locale << "abc";
        QTest::newRow(qPrintable(tag + "two signs")) << locale << "+-3";
        QTest::newRow(qPrintable(tag + "inner space")) << locale << "1 000";
        QTest::newRow(qPrintable(tag + "too large")) << locale << "1e309";
        QTest::newRow(qPrintable(tag + "bare exponent")) << locale << "e5";
    }
    QTest::newRow("it: point as decimal") << italian << "87.5";
    QTest::newRow("it: misplaced group") << italian << "1.4000";
    QTest::newRow("it: group of two") << italian << "9.50";
    QTest::newRow("it: leading group") << italian << ".500";
    QTest::newRow("it: trailing group") << italian << "9.500.";
    QTest::newRow("it: group in decimals") << italian << "9,500.000";
    QTest::newRow("it: group in exponent") << italian << "1e1.000";
    QTest::newRow("it: grouped by two") << italian << "1.00.000";
    QTest::newRow("it: four digits before a group") << italian << "1234.567";
    QTest::newRow("C: group of four") << c << "1,0000";
    QTest::newRow("pl: point as decimal") << QLocale(QLocale::Polish) << "9.5";
    QTest::newRow("pl: point in decimals") << QLocale(QLocale::Polish) << "9,500.000";
    QTest::newRow("C: comma as decimal") << c << "87,5";
    QTest::newRow("C: comma exponent") << c << "1,5e3";
    // Three quarters typed with the other separator, not seven hundred and fifty.
    QTest::newRow("it: zero then a group") << italian << "0.750";
    QTest::newRow("it: negative zero then a group") << italian << "-0.500";
    QTest::newRow("es: zero then a group") << QLocale(QLocale::Spanish) << "0.750";
    QTest::newRow("fr: zero then a group") << QLocale(QLocale::French) << "0.750";
    QTest::newRow("C: zero then a group") << c << "0,750";
    QTest::newRow("C: zeros then groups") << c << "00,750,000";
    QTest::newRow("ar: ASCII zero then a group") << arabic << "0,750";
}

void TestNumberText::rejectsNonNumbers() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);

    QCOMPARE(::textToNumber(text, locale), std::nullopt);
}

void TestNumberText::numberToText_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("it seven digits") << italian << 41.803377 << "41,80338";
    QTest::newRow("it no grouping") << italian << 3546.6667 << "3546,667";
    QTest::newRow("it whole") << italian << 88.0 << "88";
    QTest::newRow("it no trailing zeros") << italian << 1.5 << "1,5";
    QTest::newRow("it rounding to whole") << italian << 4180337.8 << "4180338";
    QTest::newRow("it exponent at ten million") << italian << 12345678.0 << "1,234568E+07";
    QTest::newRow("it small exponent") << italian << 0.00001 << "1E-05";
    QTest::newRow("it smallest plain") << italian << 0.0001 << "0,0001";
    QTest::newRow("C decimal point") << c << 1.8125 << "1.8125";
    QTest::newRow("C negative") << c << -2.538462 << "-2.538462";
    QTest::newRow("C zero") << c << 0.0 << "0";
    QTest::newRow("C negative zero") << c << -0.0 << "0";
    QTest::newRow("C exponent") << c << 1e7 << "1e+07";
    QTest::newRow("C largest") << c << std::numeric_limits<double>::max() << "1.797693e+308";
    // Swedish writes exponents as "×10^", which it cannot read back; the letter E it can.
    const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
    QTest::newRow("sv plain keeps its look") << swedish << -41.803377 << "\u221241,80338";
    QTest::newRow("sv small exponent") << swedish << -7.5e-5 << "\u22127,5E\u221205";
    QTest::newRow("sv large exponent") << swedish << 12345678.0 << "1,234568E+07";
    QTest::newRow("se middle dot exponent")
        << QLocale(QLocale::NorthernSami, QLocale::Norway) << 1e21 << "1E+21";

    // The program, not the Qt release, decides how a result is written: Qt 6.8 writes Swedish
    // exponents as "×10^", Qt 6.11 writes "e" in Italian where Qt 6.8 wrote "E". Only the
    // locale's own decimal separator and signs come from Qt.
    for (const char *name : everyReleaseLocales) {
        const QLocale locale = localeNamed(name);
        const QString point = locale.decimalPoint();
        const QString minus = locale.negativeSign();
        const QString exponent = locale == c ? QStringLiteral("e") : QStringLiteral("E");
        const QString tag = QString::fromLatin1(name) + QStringLiteral(": ");
        QTest::newRow(qPrintable(tag + "plain"))
            << locale << -41.803377 << minus + "41" + point + "80338";
        QTest::newRow(qPrintable(tag + "no grouping")) << locale << 1234567.0 << "1234567";
        QTest::newRow(qPrintable(tag + "small exponent"))
            << locale << -7.5e-5 << minus + "7" + point + "5" + exponent + minus + "05";
        QTest::newRow(qPrintable(tag + "large exponent"))
            << locale << 12345678.0
            << "1" + point + "234568" + exponent + locale.positiveSign() + "07";
    }
}

void TestNumberText::numberToText() {
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(QString, expected);

    QCOMPARE(::numberToText(value, locale), expected);
}

void TestNumberText::readsBackInEveryLocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("randomValues");
    // Where the separators and digits differ most, thousands of random doubles besides.
    const QStringList sampled{"it_IT", "C",     "en_US", "de_DE", "fr_FR",
                              "de_CH", "ar_EG", "fa_IR", "he_IL", "hi_IN"};
    for (const QLocale &locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
        QTest::newRow(qPrintable(locale.name())) << locale << sampled.contains(locale.name());
    }
}

// The computation reads its own results back. Every magnitude a double has, from the smallest
// subnormal to the largest, both signs: the text shown must read back, in the locale that wrote
// it, to exactly the number its seven digits spell, and show the same text again, so that a
// second conversion does not drift.
void TestNumberText::readsBackInEveryLocale() {
    QFETCH(QLocale, locale);
    QFETCH(bool, randomValues);

    static const QList<double> grid = [] {
        QList<double> values{0.0,
                             1.0,
                             0.1,
                             9999999.0,
                             99999995.0,
                             123456789.0,
                             std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::epsilon(),
                             9999999.5,
                             1e-5,
                             1e-4,
                             1e7};
        for (int exponent = -323; exponent <= 308; exponent += 3) {
            for (const double mantissa : {1.0, 2.5, 9.9999995}) {
                values.append(mantissa * std::pow(10.0, exponent));
            }
        }
        for (qsizetype i = values.size() - 1; i >= 0; --i) {
            values.append(-values[i]);
        }
        return values;
    }();
    QList<double> values = grid;
    if (randomValues) {
        QRandomGenerator random(20261208);
        for (int i = 0; i < 5000; ++i) {
            // Random bit patterns cover every exponent; non-finite ones are skipped.
            const double value = std::bit_cast<double>(random.generate64());
            if (std::isfinite(value)) {
                values.append(value);
            }
            values.append(random.bounded(100000.0) - 50000.0);
        }
    }

    for (const double value : values) {
        const QString text = ::numberToText(value, locale);
        const std::optional<double> back = ::textToNumber(text, locale);
        const double spelt = QString::number(value, 'g', 7).toDouble();
        if (!back || *back != spelt || ::numberToText(*back, locale) != text) {
            QFAIL(qPrintable(
                QStringLiteral("%1 shown as %2 reads back as %3, shown as %4")
                    .arg(QString::number(value, 'g', 17), text,
                         back ? QString::number(*back, 'g', 17) : QStringLiteral("no number"),
                         back ? ::numberToText(*back, locale) : QString())));
        }
    }
}

void TestNumberText::followsTheDefaultLocale() {
    QLocale::setDefault(italian);
    QCOMPARE(::numberToText(87.5), QStringLiteral("87,5"));
    QCOMPARE(::textToNumber(QStringLiteral("87,5")), 87.5);

    QLocale::setDefault(c);
    QCOMPARE(::numberToText(87.5), QStringLiteral("87.5"));
    QCOMPARE(::textToNumber(QStringLiteral("87,5")), std::nullopt);
}

void TestNumberText::wholeToText_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("it thirteen") << italian << 13 << "13";
    QTest::newRow("it no grouping") << italian << 32767 << "32767";
    QTest::newRow("it negative") << italian << -32768 << "-32768";
    QTest::newRow("de no grouping") << QLocale(QLocale::German) << 12000 << "12000";
    QTest::newRow("ar latin digits") << QLocale(QLocale::Arabic, QLocale::Egypt) << 75 << "75";
    QTest::newRow("C zero") << c << 0 << "0";
}

void TestNumberText::wholeToText() {
    QFETCH(QLocale, locale);
    QFETCH(int, value);
    QFETCH(QString, expected);

    QLocale::setDefault(locale);
    QCOMPARE(::wholeToText(static_cast<std::int16_t>(value)), expected);
}

void TestNumberText::separatorHint_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hint");

    QTest::newRow("it point typed") << italian << "87.5"
                                    << ",";
    QTest::newRow("it point and comma swapped") << italian << "1,000.5"
                                                << ",";
    QTest::newRow("C comma typed") << c << "87,5"
                                   << ".";
    QTest::newRow("it already a number") << italian << "87,5"
                                         << "";
    // Both readings are numbers (fourteen thousand, fourteen): nothing to correct.
    QTest::newRow("it either way a number") << italian << "14.000"
                                            << "";
    QTest::newRow("it either way an exponent") << italian << "1.000e3"
                                               << "";
    QTest::newRow("it letters") << italian << "abc"
                                << "";
    QTest::newRow("C nothing to swap") << c << "12x"
                                       << "";
    QTest::newRow("it grouped decimals swapped") << italian << "9,500.25"
                                                 << ",";
    QTest::newRow("fr point typed") << QLocale(QLocale::French) << "87.5"
                                    << ",";
    QTest::newRow("de_CH comma typed") << QLocale(QLocale::German, QLocale::Switzerland) << "87,5"
                                       << ".";
    QTest::newRow("it grouped thousands") << italian << "9.500"
                                          << "";
    QTest::newRow("fr point groups") << QLocale(QLocale::French) << "9.500"
                                     << "";
    QTest::newRow("pl point not grouping") << QLocale(QLocale::Polish) << "9.50"
                                           << ",";
    QTest::newRow("de_CH comma may group")
        << QLocale(QLocale::German, QLocale::Switzerland) << "9,500"
        << "";
    QTest::newRow("it zero then a point") << italian << "0.750"
                                          << ",";
    QTest::newRow("C zero then a comma") << c << "-0,500"
                                         << ".";
}

void TestNumberText::separatorHint() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(QString, hint);

    QCOMPARE(decimalSeparatorHint(text, locale).value_or(QString()), hint);
}

void TestNumberText::hintedSeparatorMakesTheNumber_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("it point") << italian << "87.5" << 87.5;
    QTest::newRow("C comma") << c << "-13,25" << -13.25;
    QTest::newRow("de point") << QLocale(QLocale::German, QLocale::Germany) << "0.5" << 0.5;
    QTest::newRow("ar comma") << arabic << "87,5" << 87.5;
    QTest::newRow("fa comma") << persian << "87,5" << 87.5;
    QTest::newRow("it zero then a point") << italian << "0.750" << 0.75;
    QTest::newRow("es zero then a point") << QLocale(QLocale::Spanish) << "-0.125" << -0.125;
    QTest::newRow("C zero then a comma") << c << "0,750" << 0.75;
}

// Whatever separator the hint names, typing it in place of the wrong one gives the number meant.
void TestNumberText::hintedSeparatorMakesTheNumber() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(double, value);

    const std::optional<QString> hint = decimalSeparatorHint(text, locale);
    QVERIFY(hint.has_value());
    QString corrected = text;
    corrected.replace(QRegularExpression(QStringLiteral("[.,]")), *hint);
    QCOMPARE(::textToNumber(corrected, locale), value);
}

void TestNumberText::hintNeverMakesGroupedThousandsADecimal_data() {
    readsBackInEveryLocale_data();
}

// "9.500" is nine thousand five hundred wherever the point groups thousands. A hint to type the
// decimal comma in its place would lead to "9,500": nine and a half revolutions per minute.
void TestNumberText::hintNeverMakesGroupedThousandsADecimal() {
    QFETCH(QLocale, locale);

    for (const char *text :
         {"9.500", "9,500", "1.000.000", "1,000,000", "-12.345", "14.000", "9.500.000"}) {
        const std::optional<QString> hint = decimalSeparatorHint(QString::fromLatin1(text), locale);
        QVERIFY2(!hint, qPrintable(QStringLiteral("%1: use %2")
                                       .arg(QString::fromLatin1(text), hint.value_or(QString()))));
    }
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "test_number_text.moc"
