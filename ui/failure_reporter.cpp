#include "ui/failure_reporter.h"

#include "ui/window_design.h"

#include <QMessageBox>

void MessageBoxReporter::report(QWidget *parent, const QString &message) {
    QMessageBox::warning(parent, QString::fromUtf8(windowCaption), message);
}
