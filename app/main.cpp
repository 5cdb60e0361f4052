#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/window_centring.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    identifyApplication();
    useWindowFontEverywhere();

    MainWindow window;
    showCentred(window);
    return QApplication::exec();
}
