#pragma once

#include "calc/compute.h"

#include <QLocale>
#include <QString>

// The Italian sentence that tells the user why the computation stopped and which box to
// correct, for example: Il campo «Pignone» contiene «abc», che non è un numero.
QString failureMessage(const ComputeFailure &failure, const QLocale &locale = QLocale());
