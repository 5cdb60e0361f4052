#include "runtime/number_text.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The first two bytes pick the locale, among every one Qt knows; the rest is the text. The
// property checks print what broke and abort, which libFuzzer records as a crash with the input
// that caused it.

namespace {

// They differ in decimal separator, group separator, digits, signs, exponent symbol and writing
// direction.
const QList<QLocale> &locales() {
    static const QList<QLocale> all =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    return all;
}

[[noreturn]] void violated(const QString &property, const QLocale &locale, const QString &text,
                           double value) {
    std::fprintf(stderr, "PROPERTY VIOLATED: %s\n  locale: %s\n  text: \"%s\"\n  value: %.17g\n",
                 property.toUtf8().constData(), locale.name().toUtf8().constData(),
                 text.toUtf8().constData(), value);
    std::abort();
}

// The number the seven significant digits of the shown text spell, whatever the locale.
double spelt(double value) {
    return QString::number(value, 'g', 7).toDouble();
}

void checkRoundTrip(double value, const QLocale &locale) {
    const QString shown = numberToText(value, locale);
    const std::optional<double> readBack = textToNumber(shown, locale);
    if (!readBack) {
        violated(QStringLiteral("numberToText gave a text that textToNumber rejects"), locale,
                 shown, value);
    }
    if (*readBack != spelt(value)) {
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
    if (size < 2) {
        return 0;
    }
    const QLocale &locale = locales()[(data[0] | data[1] << 8) % locales().size()];
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 2),
                                           static_cast<qsizetype>(size - 2));

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
