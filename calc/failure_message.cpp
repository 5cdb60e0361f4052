#include "calc/failure_message.h"

#include "runtime/number_text.h"

#include <QTextBoundaryFinder>

namespace {

// A text of up to this many characters is quoted whole; a longer one (a whole spreadsheet column
// pasted by mistake, say) by its first and last few, so that the message stays a few lines wide
// on any screen. Characters are what the reader sees: an emoji or a letter with its accents is
// one, never cut in two.
constexpr int wholeQuoteLimit = 40;
constexpr int keptAtEachEnd = 16;

QString quoted(const QString &text) {
    return QStringLiteral("«%1»").arg(text);
}

qsizetype characterCount(const QString &text) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() > 0) {
        ++count;
    }
    return count;
}

// The position after the first `count` characters of `text`, or before the last `count` when
// `fromEnd`; the text has more than `count`.
qsizetype characterBoundary(const QString &text, int count, bool fromEnd) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    if (fromEnd) {
        finder.toEnd();
    }
    for (int i = 0; i < count; ++i) {
        if (fromEnd) {
            finder.toPreviousBoundary();
        } else {
            finder.toNextBoundary();
        }
    }
    return finder.position();
}

// A pasted column keeps its line breaks, which would stack the quote down the message box: each
// shows as one mark, and a tab as a space.
QString onOneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("↵"));
    for (const char16_t lineBreak : {u'\n', u'\r', u'\x2028', u'\x2029'}) {
        text.replace(QChar(lineBreak), QStringLiteral("↵"));
    }
    return text.replace(u'\t', u' ');
}

// The user's text as the message shows it, on one line: whole when short, else its two ends
// around an ellipsis, followed by its length.
QString quotedInput(const QString &typed, const QLocale &locale) {
    const QString text = onOneLine(typed);
    const qsizetype characters = characterCount(text);
    if (characters <= wholeQuoteLimit) {
        return quoted(text);
    }
    return QStringLiteral("«%1…%2» (%3 caratteri)")
        .arg(text.left(characterBoundary(text, keptAtEachEnd, false)),
             text.mid(characterBoundary(text, keptAtEachEnd, true)), locale.toString(characters));
}

QString separatorName(const QString &separator) {
    if (separator == QStringLiteral(",")) {
        return QStringLiteral("la virgola");
    }
    if (separator == QStringLiteral(".")) {
        return QStringLiteral("il punto");
    }
    return quoted(separator);
}

// Every message names the box as "il campo «caption»": the captions are feminine and masculine,
// singular and abbreviated, and the one noun agrees with all of them.
QString boxName(Field field) {
    return QStringLiteral("il campo %1").arg(quoted(fieldCaption(field)));
}

QString conversionMessage(const ComputeFailure &failure, const QLocale &locale) {
    if (failure.text.trimmed().isEmpty()) {
        return QStringLiteral("Il campo %1 è vuoto: scrivi un numero.")
            .arg(quoted(fieldCaption(failure.field)));
    }
    QString message =
        QStringLiteral("Il campo %1 contiene %2, che non è un numero.")
            .arg(quoted(fieldCaption(failure.field)), quotedInput(failure.text, locale));
    if (const auto separator = decimalSeparatorHint(failure.text, locale)) {
        message +=
            QStringLiteral(" Usa %1 come separatore decimale.").arg(separatorName(*separator));
    }
    return message;
}

} // namespace

QString failureMessage(const ComputeFailure &failure, const QLocale &locale) {
    const QString box = boxName(failure.field);
    switch (failure.kind) {
    case FailureKind::ConversionError:
        return conversionMessage(failure, locale);
    case FailureKind::UnreadableResult:
        return QStringLiteral("Il risultato %1 (%2) non è leggibile come numero: controlla %3.")
            .arg(quoted(fieldCaption(failure.result.value_or(failure.field))),
                 quotedInput(failure.text, locale), box);
    case FailureKind::DivisionByZero:
        return QStringLiteral("Divisione per zero: %1 non può valere zero.").arg(box);
    case FailureKind::InvalidOperation:
        return QStringLiteral("Operazione non valida (zero diviso zero): %1 non può valere zero.")
            .arg(box);
    case FailureKind::Overflow:
        return QStringLiteral("Risultato troppo grande: controlla %1.").arg(box);
    }
    return QString();
}
