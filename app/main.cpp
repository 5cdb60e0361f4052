#include "ui/font_preload.h"
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    FontConfigPreload fonts;
    QApplication app(argc, argv);
    fonts.wait();
    QApplication::setApplicationName(QStringLiteral("dentaro"));
    QApplication::setApplicationVersion(QStringLiteral(DENTARO_DISPLAY_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.dentaro.Dentaro"));

    MainWindow window;
    window.centreOnScreen();
    window.show();
    return QApplication::exec();
}
