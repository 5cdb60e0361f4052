#include "runtime/number_text.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

// The first byte picks the locale, the rest is the text. The property checks print what broke and
// abort, which libFuzzer records as a crash with the input that caused it.

namespace {

// Italian is what the program is used in; the others differ in decimal separator, group
// separator, digits, exponent symbol or writing direction.
const std::array<QLocale, 8> &locales() {
    static const std::array<QLocale, 8> all{
        QLocale(QStringLiteral("it_IT")), QLocale::c(),
        QLocale(QStringLiteral("en_US")), QLocale(QStringLiteral("de_DE")),
        QLocale(QStringLiteral("fr_FR")), QLocale(QStringLiteral("ar_EG")),
        QLocale(QStringLiteral("fa_IR")), QLocale(QStringLiteral("hi_IN")),
    };
    return all;
}

[[noreturn]] void violated(const QString &property, const QLocale &locale, const QString &text,
                           double value) {
    std::fprintf(stderr, "PROPERTY VIOLATED: %s\n  locale: %s\n  text: \"%s\"\n  value: %.17g\n",
                 property.toUtf8().constData(), locale.name().toUtf8().constData(),
                 text.toUtf8().constData(), value);
    std::abort();
}

// Seven significant digits leave a relative error of at most half a unit in the seventh digit;
// below the normal range, rounding to the nearest subnormal adds at most one denorm_min.
bool closeEnough(double original, double readBack) {
    return std::abs(readBack - original) <=
           1e-6 * std::abs(original) + std::numeric_limits<double>::denorm_min();
}

void checkRoundTrip(double value, const QLocale &locale) {
    const QString shown = numberToText(value, locale);
    const std::optional<double> readBack = textToNumber(shown, locale);
    if (!readBack) {
        violated(QStringLiteral("numberToText gave a text that textToNumber rejects"), locale,
                 shown, value);
    }
    if (!closeEnough(value, *readBack)) {
        violated(QStringLiteral("the shown text reads back as a different number"), locale, shown,
                 *readBack);
    }
    const QString shownAgain = numberToText(*readBack, locale);
    if (shownAgain != shown) {
        violated(QStringLiteral("the text changed on a second round, to \"%1\"").arg(shownAgain),
                 locale, shown, *readBack);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const QLocale &locale = locales()[data[0] % locales().size()];
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1),
                                           static_cast<qsizetype>(size - 1));

    if (const std::optional<double> value = textToNumber(text, locale)) {
        if (!std::isfinite(*value)) {
            violated(QStringLiteral("textToNumber accepted a text as a non-finite number"), locale,
                     text, *value);
        }
        checkRoundTrip(*value, locale);
    }

    if (size >= sizeof(double)) {
        double raw = 0.0;
        std::memcpy(&raw, data, sizeof raw);
        if (std::isfinite(raw)) {
            checkRoundTrip(raw, locale);
        }
    }
    return 0;
}
