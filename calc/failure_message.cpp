#include "calc/failure_message.h"

#include "runtime/number_text.h"

namespace {

QString quoted(const QString &text) {
    return QStringLiteral("«%1»").arg(text);
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

QString conversionMessage(const ComputeFailure &failure, const QLocale &locale) {
    const QString box = quoted(fieldCaption(failure.field));
    if (failure.text.trimmed().isEmpty()) {
        return QStringLiteral("%1 è vuoto: scrivi un numero.").arg(box);
    }
    QString message = QStringLiteral("%1: %2 non è un numero.").arg(box, quoted(failure.text));
    if (const auto separator = decimalSeparatorHint(failure.text, locale)) {
        message +=
            QStringLiteral(" Usa %1 come separatore decimale.").arg(separatorName(*separator));
    }
    return message;
}

} // namespace

QString failureMessage(const ComputeFailure &failure, const QLocale &locale) {
    const QString box = quoted(fieldCaption(failure.field));
    switch (failure.kind) {
    case FailureKind::ConversionError:
        return conversionMessage(failure, locale);
    case FailureKind::UnreadableResult:
        return QStringLiteral(
                   "Il risultato %1 (%2) non si può rileggere come numero: controlla %3.")
            .arg(quoted(fieldCaption(failure.result.value_or(failure.field))), quoted(failure.text),
                 box);
    case FailureKind::DivisionByZero:
        return QStringLiteral("Divisione per zero: %1 non può essere zero.").arg(box);
    case FailureKind::InvalidOperation:
        return QStringLiteral("Operazione non valida (zero diviso zero): %1 non può essere zero.")
            .arg(box);
    case FailureKind::Overflow:
        return QStringLiteral("Risultato troppo grande: controlla %1.").arg(box);
    }
    return QString();
}
