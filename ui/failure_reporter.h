#pragma once

#include <QString>

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

// A modal warning box titled with the program's name.
class MessageBoxReporter final : public FailureReporter {
public:
    void report(QWidget *parent, const QString &message) override;
};
