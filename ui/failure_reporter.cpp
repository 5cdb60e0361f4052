#include "ui/failure_reporter.h"

#include "ui/window_design.h"

#include <QMessageBox>

std::unique_ptr<QMessageBox> failureMessageBox(QWidget *parent, const QString &message) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, QString::fromUtf8(windowCaption),
                                             QString(), QMessageBox::Ok, parent);
    // The format first: given the text while it still guesses, the box would already have parsed
    // it as markup and fetched what it names.
    box->setTextFormat(Qt::PlainText);
    box->setText(message);
    box->setDefaultButton(QMessageBox::Ok);
    return box;
}

void MessageBoxReporter::report(QWidget *parent, const QString &message) {
    failureMessageBox(parent, message)->exec();
}
