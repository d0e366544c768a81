// morvalen-window-snapshot: opens the window on the display at hand, runs the known-side worked example through
// the real prompts and saves what a user sees: the screen while the confirmation of b(4) is open, and the window
// after the run. For looking at the window under Xvfb:
//
//   xvfb-run -s '-screen 0 1280x1024x24' morvalen-window-snapshot window.png prompt.png
#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>

#include "ModalDriver.h"
#include "app/MainWindow.h"
#include "app/WindowFonts.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s WINDOW.png PROMPT.png\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    morvalen::app::prepareApplication(application);
    morvalen::app::MainWindow window;
    window.show();

    using namespace morvalen::testing;
    const std::vector<std::string> replies =
        confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) + confirmedEach(workedAngles);
    const std::size_t fourthAngleConfirmation = 2 * (4 + 4 + 4) - 1;
    ModalDriver driver;
    for (std::size_t i = 0; i < replies.size(); ++i) {
        if (i != fourthAngleConfirmation) {
            driver.reply(replies[i]);
            continue;
        }
        driver.reply(replies[i], [&](QInputDialog&) {
            // Give the display server time to map and paint the prompt before the screen is taken.
            QEventLoop settle;
            QTimer::singleShot(500, &settle, &QEventLoop::quit);
            settle.exec();
            QGuiApplication::primaryScreen()->grabWindow(0).save(argv[2]);
        });
    }
    QTimer::singleShot(300, &window, &morvalen::app::MainWindow::Command1_Click);
    QTimer::singleShot(3000, [&] {
        window.grab().save(argv[1]);
        QApplication::quit();
    });
    const int status = QApplication::exec();
    for (const auto& failure : driver.failures) std::fprintf(stderr, "%s\n", failure.c_str());
    return status == 0 && driver.failures.empty() ? 0 : 1;
}
