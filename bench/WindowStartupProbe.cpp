// Starts the window as `morvalen` does and ends as soon as it has been painted for the first time: timed as a
// whole process by make bench, it is the cold start of the window.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include "app/MainWindow.h"
#include "app/WindowFonts.h"

namespace {

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Morvalen");
    morvalen::app::prepareApplication(application);
    morvalen::app::MainWindow window;
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();
    QTimer::singleShot(10000, &application, [] { QCoreApplication::exit(1); });  // never painted: a failed start
    return QApplication::exec();
}
