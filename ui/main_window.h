#pragma once

#include "calc/gear_sheet.h"
#include "ui/failure_reporter.h"
#include "ui/looks.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;

// The one window of the program, built from its design table. Its text boxes and result labels
// are the fields of the gear sheet, so the computation and the presets work on it directly; its
// nine buttons run the commands.
class MainWindow final : public QWidget, public GearSheet {
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    QString text(Field field) const override;
    void setText(Field field, const QString &text) override;

    // Replaces the message box that reports a failed computation.
    void setFailureReporter(std::unique_ptr<FailureReporter> reporter);

protected:
    bool event(QEvent *event) override;

private:
    void buildFromDesign();
    void chainFocusOrder();
    void bindFields();
    void connectCommands();
    void onClick(const char *button, std::function<void()> command);
    void calculate();

    std::array<QLineEdit *, inputFieldCount> m_boxes{};
    std::array<QLabel *, resultFieldCount> m_results{};
    std::unique_ptr<FailureReporter> m_reporter;
    WindowLooks m_looks;
};
