#pragma once

#include <QChar>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

// Conversions between the texts the user types or reads and the doubles the arithmetic uses.
// Number text follows the given locale (the user's by default): its digits, signs, decimal
// separator and, on input, its group separator. What is read and how a result is written are
// the program's own rules, the same on every Qt release; only the locale's symbols come from Qt.

// The finite double the text spells, or nothing. Surrounding spaces, a sign ('-', '+', U+2212 or
// the locale's) and an exponent (e, E or the locale's own sign) are accepted; so are the locale's
// group separators in the whole part, in groups of three digits ("9.500" and "1.000.000" in
// Italian, "9 500" with any space where the locale groups with a no-break space) or as the locale
// groups (by two above the last three in India). Empty text, a lone sign, "nan", "inf", hex, a
// misplaced group separator, one after a leading zero ("0.750" in Italian) and trailing junk are
// not.
std::optional<double> textToNumber(const QString &text, const QLocale &locale = QLocale());

// Seven significant digits without trailing zeros or group separators, in exponent form only
// where printf's %g would use it, in the locale's digits, signs and decimal separator; the
// exponent is the letter E ("7,5E-05" in Italian), e in the C locale. The text converts back
// through textToNumber in the same locale, to the value its seven digits spell.
QString numberToText(double value, const QLocale &locale = QLocale());

// Plain decimal digits with a leading minus for negatives, whatever the locale.
QString wholeToText(std::int16_t value);

// When text is not a number in the locale but would be one with '.' and ',' swapped, the
// locale's decimal separator, which the user should have typed instead. Never for a text whose
// point or comma may group thousands ("9.500" in French), which the swap would make a decimal.
std::optional<QString> decimalSeparatorHint(const QString &text, const QLocale &locale = QLocale());
