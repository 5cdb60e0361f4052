#include "calc/compute.h"
#include "calc/gear_sheet.h"
#include "calc/presets.h"
#include "fixtures/worked_example.h"
#include "runtime/number_text.h"

#include <QLocale>
#include <QString>

#include <benchmark/benchmark.h>

namespace {

// Every figure is taken in the locale of the program's users, so that the decimal comma and the
// group separators are read and written the way they are at the bench.
const QLocale &italian() {
    static const QLocale locale = [] {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        return QLocale();
    }();
    return locale;
}

// A number as the user types it and as the C locale would spell it, so that the baselines parse
// the same value without the locale's help.
struct TypedNumber {
    const char *italianText;
    const char *cText;
};

constexpr TypedNumber engineSpeed{"14000", "14000"};
constexpr TypedNumber circumference{"87,5", "87.5"};
constexpr TypedNumber shownRatio{"1,764706", "1.764706"};

// The unrounded quotients of the worked example, as they reach numberToText: the final drive,
// the primary ratio, the gearbox revolutions and the speed in first gear.
constexpr double finalDrive = 30.0 / 17.0;
constexpr double primaryRatio = 75.0 / 19.0;
constexpr double gearboxRevolutions = 14000.0 / 3.947368;
constexpr double firstGearSpeed = 88.0 * 3546.667 / (33.0 / 13.0) / 1.764706 * 60.0 / 100000.0;

void BM_Compute(benchmark::State &state) {
    italian();
    MemorySheet sheet = workedExampleSheet();
    if (compute(sheet)) {
        state.SkipWithError("the worked example did not compute");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(compute(sheet));
    }
    state.SetLabel(sheet.text(Field::LblF).toStdString() + " km/h in sixth");
}
BENCHMARK(BM_Compute);

void BM_TextToNumber(benchmark::State &state, TypedNumber number) {
    const QLocale &locale = italian();
    const QString text = QString::fromLatin1(number.italianText);
    if (!textToNumber(text, locale)) {
        state.SkipWithError("not a number in it_IT");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(textToNumber(text, locale));
    }
}
BENCHMARK_CAPTURE(BM_TextToNumber, 14000, engineSpeed);
BENCHMARK_CAPTURE(BM_TextToNumber, 87_5, circumference);
BENCHMARK_CAPTURE(BM_TextToNumber, 1_764706, shownRatio);

void BM_QLocaleToDouble(benchmark::State &state, TypedNumber number) {
    const QLocale &locale = italian();
    const QString text = QString::fromLatin1(number.italianText);
    for (auto _ : state) {
        bool ok = false;
        benchmark::DoNotOptimize(locale.toDouble(text, &ok));
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK_CAPTURE(BM_QLocaleToDouble, 14000, engineSpeed);
BENCHMARK_CAPTURE(BM_QLocaleToDouble, 87_5, circumference);
BENCHMARK_CAPTURE(BM_QLocaleToDouble, 1_764706, shownRatio);

void BM_QStringToDouble(benchmark::State &state, TypedNumber number) {
    const QString text = QString::fromLatin1(number.cText);
    for (auto _ : state) {
        bool ok = false;
        benchmark::DoNotOptimize(text.toDouble(&ok));
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK_CAPTURE(BM_QStringToDouble, 14000, engineSpeed);
BENCHMARK_CAPTURE(BM_QStringToDouble, 87_5, circumference);
BENCHMARK_CAPTURE(BM_QStringToDouble, 1_764706, shownRatio);

void BM_NumberToText(benchmark::State &state, double value) {
    const QLocale &locale = italian();
    for (auto _ : state) {
        benchmark::DoNotOptimize(numberToText(value, locale));
    }
    state.SetLabel(numberToText(value, locale).toStdString());
}
BENCHMARK_CAPTURE(BM_NumberToText, final_drive, finalDrive);
BENCHMARK_CAPTURE(BM_NumberToText, primary_ratio, primaryRatio);
BENCHMARK_CAPTURE(BM_NumberToText, gearbox_revolutions, gearboxRevolutions);
BENCHMARK_CAPTURE(BM_NumberToText, first_gear_speed, firstGearSpeed);

void BM_QLocaleToString(benchmark::State &state, double value) {
    const QLocale &locale = italian();
    for (auto _ : state) {
        benchmark::DoNotOptimize(locale.toString(value, 'g', 7));
    }
}
BENCHMARK_CAPTURE(BM_QLocaleToString, final_drive, finalDrive);
BENCHMARK_CAPTURE(BM_QLocaleToString, primary_ratio, primaryRatio);
BENCHMARK_CAPTURE(BM_QLocaleToString, gearbox_revolutions, gearboxRevolutions);
BENCHMARK_CAPTURE(BM_QLocaleToString, first_gear_speed, firstGearSpeed);

void BM_QStringNumber(benchmark::State &state, double value) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(QString::number(value, 'g', 7));
    }
}
BENCHMARK_CAPTURE(BM_QStringNumber, final_drive, finalDrive);
BENCHMARK_CAPTURE(BM_QStringNumber, primary_ratio, primaryRatio);
BENCHMARK_CAPTURE(BM_QStringNumber, gearbox_revolutions, gearboxRevolutions);
BENCHMARK_CAPTURE(BM_QStringNumber, first_gear_speed, firstGearSpeed);

} // namespace
