// morvalen: the window of the braced-quadrilateral adjustment.
#include <QApplication>

#include "app/MainWindow.h"
#include "app/WindowFonts.h"
#include "report/PaintedReport.h"

int main(int argc, char** argv) {
    morvalen::report::keepQtMessages();
    QApplication application(argc, argv);
    QApplication::setApplicationName("Morvalen");
    // Ties the window to the installed desktop entry (morvalen.desktop), whose icon the desktop then shows.
    QApplication::setDesktopFileName("morvalen");
    morvalen::app::prepareApplication(application);

    morvalen::app::MainWindow window;
    window.show();
    return QApplication::exec();
}
