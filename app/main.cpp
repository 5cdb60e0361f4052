#include "ui/application.h"
#include "ui/font_preload.h"
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    FontConfigPreload fonts;
    QApplication app(argc, argv);
    fonts.wait();
    identifyApplication();

    MainWindow window;
    centreOnScreen(window);
    window.show();
    return QApplication::exec();
}
