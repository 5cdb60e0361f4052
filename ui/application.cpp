#include "ui/application.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

void identifyApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("dentaro"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DENTARO_DISPLAY_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.dentaro.Dentaro"));
}

void centreOnScreen(QWidget &window) {
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen) {
        window.move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.frameSize(),
                                        screen->availableGeometry())
                        .topLeft());
    }
}
