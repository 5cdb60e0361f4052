#pragma once

#include "calc/field.h"

#include <QString>

#include <array>

// The record of named texts that the computation and the presets work over. Every value is
// text, as the user sees it; numbers exist only while a step of the computation runs. The window
// is one implementation, whose fields are its text boxes and result labels.
class GearSheet {
public:
    virtual ~GearSheet() = default;

    virtual QString text(Field field) const = 0;
    virtual void setText(Field field, const QString &text) = 0;

protected:
    GearSheet() = default;
    GearSheet(const GearSheet &) = default;
    GearSheet &operator=(const GearSheet &) = default;
};

// A sheet held in memory, for everything that needs the arithmetic without the window.
class MemorySheet final : public GearSheet {
public:
    QString text(Field field) const override;
    void setText(Field field, const QString &text) override;

private:
    std::array<QString, inputFieldCount + resultFieldCount> m_texts{};
};
