#include "ui/system_look.h"

#include <QFont>

#ifdef Q_OS_WIN

#include <windows.h>

QString dialogFontFamily() {
    // "MS Shell Dlg 2" is no font but a name that the registry maps to the dialog face; Qt's font
    // matching sees only real faces, so the mapping is read here. Every Windows since 2000 has
    // it; without it the name itself is left to the toolkit.
    wchar_t face[LF_FACESIZE] = {};
    DWORD size = sizeof(face);
    if (RegGetValueW(HKEY_LOCAL_MACHINE,
                     L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes",
                     L"MS Shell Dlg 2", RRF_RT_REG_SZ, nullptr, face, &size) == ERROR_SUCCESS &&
        face[0] != L'\0') {
        return QString::fromWCharArray(face);
    }
    return QStringLiteral("MS Shell Dlg 2");
}

void standInForMissingFaces() {
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
}

std::optional<QColor> inactiveBorderColour() {
    const COLORREF colour = GetSysColor(COLOR_INACTIVEBORDER);
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

#else

QString dialogFontFamily() {
    return QStringLiteral("Sans Serif");
}

void standInForMissingFaces() {}

std::optional<QColor> inactiveBorderColour() {
    return std::nullopt;
}

#endif
