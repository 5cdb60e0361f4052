#pragma once

#include <QChar>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

// Conversions between the texts the user types or reads and the doubles the arithmetic uses.
// Number text follows the given locale (the user's by default): its decimal separator and, on
// input, its group separators.

// The finite double the text spells, or nothing. Surrounding spaces, a sign and an exponent are
// accepted; empty text, a lone sign, "nan", "inf", hex and trailing junk are not.
std::optional<double> textToNumber(const QString &text, const QLocale &locale = QLocale());

// Seven significant digits without trailing zeros or group separators, in exponent form only
// where printf's %g would use it, in the locale's digits, signs and decimal separator. The text
// converts back through textToNumber in the same locale, to the value its seven digits spell.
QString numberToText(double value, const QLocale &locale = QLocale());

// Plain decimal digits with a leading minus for negatives, whatever the locale.
QString wholeToText(std::int16_t value);

// When text is not a number in the locale but would be one with '.' and ',' swapped, the
// locale's decimal separator, which the user should have typed instead.
std::optional<QString> decimalSeparatorHint(const QString &text, const QLocale &locale = QLocale());
