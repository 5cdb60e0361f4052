#include "ui/application.h"

#include "ui/looks.h"

#include <QApplication>

void identifyApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("dentaro"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DENTARO_DISPLAY_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.dentaro.Dentaro"));
}

void useWindowFontEverywhere() {
    QApplication::setFont(windowFont());
}
