#include "runtime/program.h"

#include <QCoreApplication>

void endProgram() {
    QCoreApplication::exit(0);
}
