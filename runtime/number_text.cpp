#include "runtime/number_text.h"

#include <cmath>

namespace {

// Locales whose decimal separator is neither '.' nor ',' (Arabic, Persian) cannot mistake a
// plain ASCII number for anything else, so it is read there too.
bool acceptsAsciiNumbers(const QLocale &locale) {
    const QString point = locale.decimalPoint();
    return point != QStringLiteral(".") && point != QStringLiteral(",");
}

std::optional<double> parse(const QString &text, const QLocale &locale) {
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    // QLocale spells out "nan" and "inf" as numbers; neither is a tooth count or a speed.
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

QString format(double value, const QLocale &locale) {
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    return plain.toString(value, 'g', 7);
}

} // namespace

std::optional<double> textToNumber(const QString &text, const QLocale &locale) {
    QString cleaned = text.trimmed();
    // Right-to-left locales write their signs with direction marks that QLocale prints but does
    // not read back.
    cleaned.remove(QChar(0x061C)).remove(QChar(0x200E)).remove(QChar(0x200F));
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
    QString text = format(value, locale);
    if (textToNumber(text, locale)) {
        return text;
    }
    // Swedish, Estonian, Lithuanian, Sami and a few more write the exponent as "×10^" or "·10^",
    // which QLocale prints but does not read; each of them reads the letter E in its place, with
    // the locale's own digits, signs and decimal separator around it.
    text.replace(locale.exponential(), QStringLiteral("E"));
    return text;
}

QString wholeToText(std::int16_t value) {
    return QString::number(value);
}

std::optional<QString> decimalSeparatorHint(const QString &text, const QLocale &locale) {
    if (textToNumber(text, locale)) {
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
