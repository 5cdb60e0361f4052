#include "ui/failure_reporter.h"

#include "ui/window_design.h"

#include <QMessageBox>

std::unique_ptr<QMessageBox> failureMessageBox(QWidget *parent, const QString &message) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, QString::fromUtf8(windowCaption),
                                             QString(), QMessageBox::Ok, parent);
    // The format before the text, so that the label never holds the message as markup, not even
    // between two calls (and whatever a later Qt does eagerly with a rich text it is given).
    box->setTextFormat(Qt::PlainText);
    box->setText(message);
    box->setDefaultButton(QMessageBox::Ok);
    return box;
}

void MessageBoxReporter::report(QWidget *parent, const QString &message) {
    failureMessageBox(parent, message)->exec();
}
