#include "runtime/number_text.h"

#include <QList>
#include <QRegularExpression>

#include <cmath>
#include <utility>

namespace {

// Right-to-left locales write their signs with direction marks, which carry no meaning of their
// own in a number.
QString withoutDirectionMarks(QString text) {
    return text.remove(QChar(0x061C)).remove(QChar(0x200E)).remove(QChar(0x200F));
}

bool isSpaceLike(const QString &separator) {
    return separator.size() == 1 && separator.front().isSpace();
}

bool isApostrophe(const QString &separator) {
    return separator == QStringLiteral("'") || separator == QStringLiteral("\u2019");
}

// The locale's digit zero; the other nine follow it.
char32_t zeroDigit(const QLocale &locale) {
    const QString zero = locale.zeroDigit();
    return zero.size() == 2 ? QChar::surrogateToUcs4(zero[0], zero[1]) : zero.front().unicode();
}

// What a number's text is made of, once the locale's symbols are recognised.
enum class Mark : char {
    Digit,
    Decimal,
    Group,
    Minus,
    Plus,
    Exponent,
};

struct Token {
    Mark mark;
    char16_t digit = u'0'; // for a digit, its ASCII form
};

} // namespace

// A token is a plain value: QList may move it as bytes.
Q_DECLARE_TYPEINFO(Token, Q_RELOCATABLE_TYPE);

namespace {

// The symbols a locale writes numbers with, and what a keyboard types in their place.
//
// Qt's own reader changes with each release (Qt 6.8 refuses "9.500" and "1.000.000" in Italian,
// which Qt 6.4 reads; no release reads "9.500" in Spanish; the exponent letter a locale accepts
// comes and goes), so the program recognises the symbols itself and hands Qt only the plain C
// form, whose reading never changed.
class NumberSymbols {
public:
    explicit NumberSymbols(const QLocale &locale)
        : m_locale(locale)
        , m_decimal(locale.decimalPoint())
        , m_zero(zeroDigit(locale)) {
        const QString groupSeparator = locale.groupSeparator();
        m_groups.append(groupSeparator);
        // A keyboard types a plain space where the locale writes a no-break one, and an
        // apostrophe for the right single quote (Swiss locales moved from the one to the other
        // with Qt 6.11).
        if (isSpaceLike(groupSeparator)) {
            m_groups.append(
                {QStringLiteral(" "), QStringLiteral("\u00A0"), QStringLiteral("\u202F")});
        } else if (isApostrophe(groupSeparator)) {
            m_groups.append({QStringLiteral("'"), QStringLiteral("\u2019")});
        }
        // Where the comma is the decimal separator, the point can only group thousands, and many
        // write it so by hand whatever their locale prints: "9.500" is nine thousand five
        // hundred to a Pole or a Portuguese as to an Italian.
        if (m_decimal == QStringLiteral(",") && !m_groups.contains(QStringLiteral("."))) {
            m_groups.append(QStringLiteral("."));
        }
        // The ASCII signs and the letter E are read in every locale, beside the locale's own.
        m_minus = {QStringLiteral("-"), QStringLiteral("\u2212"),
                   withoutDirectionMarks(locale.negativeSign())};
        m_plus = {QStringLiteral("+"), withoutDirectionMarks(locale.positiveSign())};
        m_exponent = {QStringLiteral("e"), locale.exponential()};
    }

    // The text's tokens, or nothing when it holds anything but the locale's digits and symbols.
    std::optional<QList<Token>> tokens(const QString &text) const {
        QList<Token> tokens;
        qsizetype i = 0;
        while (i < text.size()) {
            const QStringView rest = QStringView(text).mid(i);
            if (const std::optional<char16_t> digit = digitAt(rest, i)) {
                tokens.append({Mark::Digit, *digit});
                continue;
            }
            qsizetype length = 0;
            Mark mark = Mark::Digit;
            const auto consider = [&](const QStringList &symbols, Mark meaning,
                                      Qt::CaseSensitivity cs) {
                for (const QString &symbol : symbols) {
                    if (symbol.size() > length && rest.startsWith(symbol, cs)) {
                        length = symbol.size();
                        mark = meaning;
                    }
                }
            };
            consider({m_decimal}, Mark::Decimal, Qt::CaseSensitive);
            consider(m_groups, Mark::Group, Qt::CaseSensitive);
            consider(m_minus, Mark::Minus, Qt::CaseSensitive);
            consider(m_plus, Mark::Plus, Qt::CaseSensitive);
            consider(m_exponent, Mark::Exponent, Qt::CaseInsensitive);
            if (length == 0) {
                return std::nullopt;
            }
            tokens.append({mark});
            i += length;
        }
        return tokens;
    }

    // Whether the whole part's digit runs between group separators, left to right, are grouped
    // as people write them: threes from the right, or as the locale itself groups (by two above
    // the last three digits in India).
    bool isGrouping(const QList<int> &runs) const {
        return isGroupedBy(runs, 3) || isGroupedBy(runs, higherGroupSize());
    }

private:
    std::optional<char16_t> digitAt(QStringView rest, qsizetype &i) const {
        const char16_t first = rest.front().unicode();
        if (first >= u'0' && first <= u'9') {
            ++i;
            return first;
        }
        char32_t codePoint = first;
        qsizetype length = 1;
        if (QChar::isHighSurrogate(first) && rest.size() > 1 && rest[1].isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(first, rest[1].unicode());
            length = 2;
        }
        if (codePoint >= m_zero && codePoint <= m_zero + 9) {
            i += length;
            return static_cast<char16_t>(u'0' + (codePoint - m_zero));
        }
        return std::nullopt;
    }

    static bool isGroupedBy(const QList<int> &runs, int higher) {
        if (runs.size() < 2 || runs.back() != 3 || runs.front() < 1 || runs.front() > higher) {
            return false;
        }
        for (qsizetype i = 1; i + 1 < runs.size(); ++i) {
            if (runs[i] != higher) {
                return false;
            }
        }
        return true;
    }

    // The size of the groups above the lowest in the locale's own grouping of a long number.
    int higherGroupSize() const {
        QLocale grouped = m_locale;
        grouped.setNumberOptions(QLocale::DefaultNumberOptions);
        const QStringList groups =
            grouped.toString(Q_INT64_C(1234567890)).split(grouped.groupSeparator());
        return groups.size() < 3 ? 3 : int(groups[groups.size() - 2].toUcs4().size());
    }

    QLocale m_locale;
    QString m_decimal;
    QStringList m_groups;
    QStringList m_minus;
    QStringList m_plus;
    QStringList m_exponent;
    char32_t m_zero = U'0';
};

// The text in C's form: ASCII digits, '.', 'e' and signs, the group separators of the whole
// part checked and dropped. Nothing when a symbol stands where it cannot.
std::optional<QString> cForm(const QString &text, const NumberSymbols &symbols) {
    const std::optional<QList<Token>> tokens = symbols.tokens(text);
    if (!tokens) {
        return std::nullopt;
    }
    const auto isSign = [](Token token) {
        return token.mark == Mark::Minus || token.mark == Mark::Plus;
    };
    const auto inWholePart = [](Token token) {
        return token.mark == Mark::Digit || token.mark == Mark::Group;
    };
    // The whole part follows the sign; group separators stand nowhere else.
    qsizetype wholeStart = 0;
    while (wholeStart < tokens->size() && isSign((*tokens)[wholeStart])) {
        ++wholeStart;
    }
    qsizetype wholeEnd = wholeStart;
    QList<int> runs{0};
    for (; wholeEnd < tokens->size() && inWholePart((*tokens)[wholeEnd]); ++wholeEnd) {
        if ((*tokens)[wholeEnd].mark == Mark::Digit) {
            ++runs.back();
        } else {
            runs.append(0);
        }
    }
    // Nobody groups a number that starts with zero: "0.750" is three quarters typed with the
    // other decimal separator, not seven hundred and fifty.
    if (runs.size() > 1 && (!symbols.isGrouping(runs) || (*tokens)[wholeStart].digit == u'0')) {
        return std::nullopt;
    }
    QString plain;
    for (qsizetype i = 0; i < tokens->size(); ++i) {
        switch ((*tokens)[i].mark) {
        case Mark::Digit:
            plain += QChar((*tokens)[i].digit);
            break;
        case Mark::Decimal:
            plain += u'.';
            break;
        case Mark::Group:
            if (i < wholeStart || i >= wholeEnd) {
                return std::nullopt;
            }
            break;
        case Mark::Minus:
            plain += u'-';
            break;
        case Mark::Plus:
            plain += u'+';
            break;
        case Mark::Exponent:
            plain += u'e';
            break;
        }
    }
    return plain;
}

std::optional<double> parse(const QString &text, const QLocale &locale) {
    const std::optional<QString> plain = cForm(text, NumberSymbols(locale));
    if (!plain) {
        return std::nullopt;
    }
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(*plain, &ok);
    // QLocale spells out "nan" and "inf" as numbers; neither is a tooth count or a speed.
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Locales whose decimal separator is neither '.' nor ',' (Arabic, Persian) cannot mistake a
// plain ASCII number for anything else, so it is read there too.
bool acceptsAsciiNumbers(const QLocale &locale) {
    const QString point = locale.decimalPoint();
    return point != QStringLiteral(".") && point != QStringLiteral(",");
}

} // namespace

std::optional<double> textToNumber(const QString &text, const QLocale &locale) {
    const QString cleaned = withoutDirectionMarks(text.trimmed());
    if (const std::optional<double> value = parse(cleaned, locale)) {
        return value;
    }
    if (acceptsAsciiNumbers(locale)) {
        return parse(cleaned, QLocale::c());
    }
    return std::nullopt;
}

QString numberToText(double value, const QLocale &locale) {
    // A negative zero would print as "-0", which reads like a fault to a mechanic.
    if (value == 0.0) {
        value = 0.0;
    }
    QString plain = QString::number(value, 'g', 7);
    if (locale.language() == QLocale::C) {
        return plain;
    }
    // The form is the program's, the symbols the locale's. Qt's own form changes between
    // releases (Qt 6.11 writes "1,5e+07" in Italian where Qt 6.8 wrote "1,5E+07"; Swedish gets
    // "×10^", which only some releases read back), so every locale but C shows the exponent as
    // the letter E, with the locale's digits, signs and decimal separator around it.
    const char32_t zero = zeroDigit(locale);
    QString text;
    for (const QChar c : std::as_const(plain)) {
        if (c.isDigit()) {
            const char32_t digit = zero + static_cast<char32_t>(c.unicode() - u'0');
            text += QString::fromUcs4(&digit, 1);
        } else if (c == u'.') {
            text += locale.decimalPoint();
        } else if (c == u'-') {
            text += locale.negativeSign();
        } else if (c == u'+') {
            text += locale.positiveSign();
        } else if (c == u'e') {
            text += u'E';
        } else {
            text += c;
        }
    }
    return text;
}

QString wholeToText(std::int16_t value) {
    return QString::number(value);
}

std::optional<QString> decimalSeparatorHint(const QString &text, const QLocale &locale) {
    if (textToNumber(text, locale)) {
        return std::nullopt;
    }
    // A whole number whose points (or commas) stand between groups of three digits may be
    // grouped in another language's way: "9.500" is nine thousand five hundred to a German.
    // Offering the decimal separator there would turn it into nine and a half. One that starts
    // with zero groups nothing, and is a decimal.
    static const QRegularExpression groupedThousands(
        QStringLiteral(R"(^\s*[-+\x{2212}]?(?!0)\d{1,3}([.,])\d{3}(\1\d{3})*\s*$)"),
        QRegularExpression::UseUnicodePropertiesOption);
    if (groupedThousands.match(text).hasMatch()) {
        return std::nullopt;
    }
    QString swapped = text;
    for (QChar &c : swapped) {
        if (c == u'.') {
            c = u',';
        } else if (c == u',') {
            c = u'.';
        }
    }
    if (swapped == text || !textToNumber(swapped, locale)) {
        return std::nullopt;
    }
    return locale.decimalPoint();
}
