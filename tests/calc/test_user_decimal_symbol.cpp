// A user who changed the decimal symbol and the digit grouping symbol in Windows' regional
// settings gets numbers written and read with them. The symbols are changed as the Control Panel
// changes them, before Qt reads the user's locale, and restored at the end.
#include "calc/compute.h"
#include "calc/gear_sheet.h"
#include "fixtures/worked_example.h"
#include "runtime/number_text.h"

#include <QTest>

#include <array>
#include <string>
#include <windows.h>

namespace {

class UserSymbol {
public:
    UserSymbol(LCTYPE type, const wchar_t *value)
        : m_type(type) {
        std::array<wchar_t, 16> old{};
        if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, old.data(), int(old.size())) > 0) {
            m_old = old.data();
        }
        m_set = SetLocaleInfoW(LOCALE_USER_DEFAULT, type, value) != 0;
    }
    ~UserSymbol() {
        if (m_set && !m_old.empty()) {
            SetLocaleInfoW(LOCALE_USER_DEFAULT, m_type, m_old.c_str());
        }
    }
    UserSymbol(const UserSymbol &) = delete;
    UserSymbol &operator=(const UserSymbol &) = delete;
    bool isSet() const { return m_set; }

private:
    LCTYPE m_type;
    std::wstring m_old;
    bool m_set = false;
};

// Not a symbol of the user's language (the tests run in English), so that only the user's
// change can have brought it.
const wchar_t *const decimalSymbol = L",";
const wchar_t *const groupingSymbol = L"'";

} // namespace

class TestUserDecimalSymbol : public QObject {
    Q_OBJECT

public:
    explicit TestUserDecimalSymbol(bool symbolsSet)
        : m_symbolsSet(symbolsSet) {}

private slots:
    void theLocaleCarriesTheUserSymbols();
    void numbersAreWrittenAndReadWithThem_data();
    void numbersAreWrittenAndReadWithThem();
    void theLanguagesOwnPointNoLongerReads();
    void workedExampleInTheUserSymbols();

private:
    bool m_symbolsSet;
};

void TestUserDecimalSymbol::theLocaleCarriesTheUserSymbols() {
    QVERIFY(m_symbolsSet);
    QCOMPARE(QLocale().decimalPoint(), QString::fromWCharArray(decimalSymbol));
    QCOMPARE(QLocale().groupSeparator(), QString::fromWCharArray(groupingSymbol));
}

void TestUserDecimalSymbol::numbersAreWrittenAndReadWithThem_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("decimal") << "87,5" << 87.5;
    QTest::newRow("grouped") << "14'000" << 14000.0;
    QTest::newRow("exponent") << "7,5e-05" << 7.5e-05;
}

void TestUserDecimalSymbol::numbersAreWrittenAndReadWithThem() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(textToNumber(text), value);
    QCOMPARE(textToNumber(numberToText(value)), value);
}

// English writes 87.5; this user does not.
void TestUserDecimalSymbol::theLanguagesOwnPointNoLongerReads() {
    QCOMPARE(textToNumber(QStringLiteral("87.5")), std::nullopt);
}

void TestUserDecimalSymbol::workedExampleInTheUserSymbols() {
    MemorySheet sheet = workedExampleSheet();
    QCOMPARE(compute(sheet), std::nullopt);
    QCOMPARE(sheet.text(Field::lblP), QStringLiteral("3,947368"));
    QCOMPARE(sheet.text(Field::lblGc), QStringLiteral("3546,667"));
    QCOMPARE(sheet.text(Field::lblFinale), QStringLiteral("1,764706"));
}

int main(int argc, char *argv[]) {
    // Before anything of Qt's reads the user's locale.
    const UserSymbol decimal(LOCALE_SDECIMAL, decimalSymbol);
    const UserSymbol grouping(LOCALE_STHOUSAND, groupingSymbol);
    TestUserDecimalSymbol test(decimal.isSet() && grouping.isSet());
    return QTest::qExec(&test, argc, argv);
}

#include "test_user_decimal_symbol.moc"
