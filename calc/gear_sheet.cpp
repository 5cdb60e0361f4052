#include "calc/gear_sheet.h"

QString MemorySheet::text(Field field) const {
    return m_texts[static_cast<std::size_t>(field)];
}

void MemorySheet::setText(Field field, const QString &text) {
    m_texts[static_cast<std::size_t>(field)] = text;
}
