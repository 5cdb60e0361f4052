#pragma once

#include <QString>

#include <memory>

class QMessageBox;
class QWidget;

// Tells the user why a command could not finish. The window owns one; tests put in their own so
// that no modal box ever waits for a click that does not come.
class FailureReporter {
public:
    virtual ~FailureReporter() = default;
    virtual void report(QWidget *parent, const QString &message) = 0;

protected:
    FailureReporter() = default;
    FailureReporter(const FailureReporter &) = default;
    FailureReporter &operator=(const FailureReporter &) = default;
};

// The warning box titled with the program's name, with an OK button, that shows the message. The
// message quotes what the user typed or pasted, so it is shown as plain text, character for
// character: read as markup, a pasted tag could restyle it, hide it, or name a file or a network
// share for the box to open.
std::unique_ptr<QMessageBox> failureMessageBox(QWidget *parent, const QString &message);

// Shows the failure message box, modal, and waits for the user to close it.
class MessageBoxReporter final : public FailureReporter {
public:
    void report(QWidget *parent, const QString &message) override;
};
