#include "calc/compute.h"
#include "calc/failure_message.h"
#include "calc/field.h"
#include "calc/gear_sheet.h"
#include "runtime/number_text.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

// The first byte picks the locale (even: Italian, odd: C); the rest, split at each '\n', gives the
// 18 inputs in the order of inputFields(), the last one taking whatever remains. The property
// checks print the sheet and abort, which libFuzzer records as a crash with its input.

namespace {

using InputTexts = std::array<QString, inputFieldCount>;
using ResultTexts = std::array<QString, resultFieldCount>;

// A result field that a failed run forgot to clear, or a successful run forgot to write, still
// shows this and fails the checks below.
const QString staleResult = QStringLiteral("stale");

const char *kindName(FailureKind kind) {
    switch (kind) {
    case FailureKind::ConversionError:
        return "ConversionError";
    case FailureKind::UnreadableResult:
        return "UnreadableResult";
    case FailureKind::InvalidOperation:
        return "InvalidOperation";
    case FailureKind::DivisionByZero:
        return "DivisionByZero";
    case FailureKind::Overflow:
        return "Overflow";
    }
    return "not a FailureKind";
}

[[noreturn]] void violated(const QString &property, const GearSheet &sheet,
                           const std::optional<ComputeFailure> &failure) {
    std::fprintf(stderr, "PROPERTY VIOLATED: %s\n  locale: %s\n", property.toUtf8().constData(),
                 QLocale().name().toUtf8().constData());
    if (failure) {
        std::fprintf(stderr, "  failure: %s (%d) at field %d, text \"%s\"\n",
                     kindName(failure->kind), static_cast<int>(failure->kind),
                     static_cast<int>(failure->field), failure->text.toUtf8().constData());
    } else {
        std::fprintf(stderr, "  no failure\n");
    }
    for (const Field field : allFields()) {
        std::fprintf(stderr, "  %-10s \"%s\"\n", fieldName(field).toUtf8().constData(),
                     sheet.text(field).toUtf8().constData());
    }
    std::abort();
}

InputTexts inputTexts(const GearSheet &sheet) {
    InputTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        texts[i] = sheet.text(inputFields()[i]);
    }
    return texts;
}

ResultTexts resultTexts(const GearSheet &sheet) {
    ResultTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        texts[i] = sheet.text(resultFields()[i]);
    }
    return texts;
}

bool converts(const QString &text) {
    return textToNumber(text).has_value();
}

bool isKnownKind(FailureKind kind) {
    switch (kind) {
    case FailureKind::ConversionError:
    case FailureKind::InvalidOperation:
    case FailureKind::DivisionByZero:
    case FailureKind::Overflow:
        return true;
    case FailureKind::UnreadableResult:
        // Every result text reads back, so no input may lead here.
        return false;
    }
    return false;
}

// The ratios are single divisions of what the boxes hold, so their texts are known exactly.
void checkRatio(const GearSheet &sheet, Field result, Field dividend, Field divisor) {
    const double quotient =
        *textToNumber(sheet.text(dividend)) / *textToNumber(sheet.text(divisor));
    if (sheet.text(result) != numberToText(quotient)) {
        violated(QStringLiteral("%1 is not %2 ÷ %3, which shows as \"%4\"")
                     .arg(fieldName(result), fieldName(dividend), fieldName(divisor),
                          numberToText(quotient)),
                 sheet, std::nullopt);
    }
}

void checkSuccess(const GearSheet &sheet) {
    for (const Field field : allFields()) {
        if (!converts(sheet.text(field))) {
            violated(QStringLiteral("success, yet %1 does not hold a number").arg(fieldName(field)),
                     sheet, std::nullopt);
        }
    }
    checkRatio(sheet, Field::lblFinale, Field::txtCorona, Field::txtPignone);
    checkRatio(sheet, Field::lblP, Field::Txt14, Field::Txt13);
    checkRatio(sheet, Field::lblGc, Field::txtGiri, Field::lblP);
    for (int gear = 1; gear <= gearCount; ++gear) {
        checkRatio(sheet, gearRatio(gear), secondaryTeeth(gear), primaryTeeth(gear));
    }
}

// The message quotes a short text that failed to convert as it is, markup and entities included,
// for the message box to show as plain text. Longer texts and line breaks are shortened.
void checkMessage(const GearSheet &sheet, const ComputeFailure &failure) {
    const QString message = failureMessage(failure);
    if (message.isEmpty()) {
        violated(QStringLiteral("the failure has no message"), sheet, failure);
    }
    const QString &text = failure.text;
    const bool onOneLine = std::none_of(text.cbegin(), text.cend(), [](QChar c) {
        return c == u'\n' || c == u'\r' || c == u'\t' || c == QChar(0x2028) || c == QChar(0x2029);
    });
    if (failure.kind == FailureKind::ConversionError && !text.trimmed().isEmpty() &&
        text.size() <= 40 && onOneLine && !message.contains(u'«' + text + u'»')) {
        violated(QStringLiteral("the message does not quote the text as it is: %1").arg(message),
                 sheet, failure);
    }
}

void checkFailure(const GearSheet &sheet, const ComputeFailure &failure) {
    if (!isKnownKind(failure.kind)) {
        violated(QStringLiteral("the failure kind is none of the four an input can cause"), sheet,
                 failure);
    }
    if (!isInput(failure.field)) {
        violated(QStringLiteral("the box to correct is not an input"), sheet, failure);
    }
    const QString &boxText = sheet.text(failure.field);
    if (failure.kind == FailureKind::ConversionError) {
        if (failure.text != boxText) {
            violated(QStringLiteral("the failing text is not the box's text"), sheet, failure);
        }
        if (converts(boxText)) {
            violated(QStringLiteral("a conversion error names a box that holds a number"), sheet,
                     failure);
        }
    } else {
        if (!failure.text.isEmpty()) {
            violated(QStringLiteral("an arithmetic fault carries a text"), sheet, failure);
        }
        // Every operand is converted before it is used, so the box behind a faulty operation
        // holds a number.
        if (!converts(boxText)) {
            violated(QStringLiteral("an arithmetic fault names a box that is not a number"), sheet,
                     failure);
        }
    }
    for (const Field field : resultFields()) {
        if (!sheet.text(field).isEmpty()) {
            violated(QStringLiteral("a failure left %1 showing").arg(fieldName(field)), sheet,
                     failure);
        }
    }
    checkMessage(sheet, failure);
}

std::optional<ComputeFailure> checkedCompute(GearSheet &sheet) {
    const InputTexts before = inputTexts(sheet);
    const std::optional<ComputeFailure> failure = compute(sheet);
    if (inputTexts(sheet) != before) {
        violated(QStringLiteral("compute changed an input"), sheet, failure);
    }
    if (failure) {
        checkFailure(sheet, *failure);
    } else {
        checkSuccess(sheet);
    }
    return failure;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static const QLocale italian(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(data[0] % 2 == 0 ? italian : QLocale::c());

    MemorySheet sheet;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1),
                           static_cast<qsizetype>(size - 1));
    qsizetype start = 0;
    for (std::size_t i = 0; i < inputFields().size() && start <= bytes.size(); ++i) {
        const bool last = i + 1 == inputFields().size();
        qsizetype end = last ? -1 : bytes.indexOf('\n', start);
        if (end < 0) {
            end = bytes.size();
        }
        sheet.setText(inputFields()[i], QString::fromUtf8(bytes.mid(start, end - start)));
        start = end + 1;
    }
    for (const Field field : resultFields()) {
        sheet.setText(field, staleResult);
    }

    const std::optional<ComputeFailure> first = checkedCompute(sheet);
    const ResultTexts firstResults = resultTexts(sheet);
    const std::optional<ComputeFailure> second = checkedCompute(sheet);
    if (second != first) {
        violated(QStringLiteral("a second run ended differently"), sheet, second);
    }
    if (resultTexts(sheet) != firstResults) {
        violated(QStringLiteral("a second run wrote different results"), sheet, second);
    }
    return 0;
}
