#include "ui/application.h"
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    identifyApplication();

    MainWindow window;
    showCentred(window);
    return QApplication::exec();
}
