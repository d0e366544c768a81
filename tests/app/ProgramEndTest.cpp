// The program ends, through the application's own event loop, when the window closes: by 结 束 while nothing runs,
// and by closing the window while a prompt is open. A hang fails the test by its time limit.
//
//   window_program_end exit|close-during-prompt
#include <QApplication>
#include <QPushButton>
#include <cstdio>
#include <cstring>

#include "ModalDriver.h"
#include "app/MainWindow.h"
#include "app/WindowFonts.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const bool duringPrompt = std::strcmp(argv[1], "close-during-prompt") == 0;
    QApplication application(argc, argv);
    morvalen::app::prepareApplication(application);
    morvalen::app::MainWindow window;
    window.show();

    morvalen::testing::ModalDriver driver;
    if (duringPrompt) {
        driver.reply("1000");
        driver.then([&](QWidget*) { window.close(); });
        QTimer::singleShot(50, window.findChild<QPushButton*>("Command1"), &QPushButton::click);
    } else {
        QTimer::singleShot(50, window.findChild<QPushButton*>("Command2"), &QPushButton::click);
    }
    const int status = QApplication::exec();

    bool ended = status == 0 && !window.isVisible() && driver.failures.empty() && driver.stepsLeft() == 0;
    for (const auto& failure : driver.failures) std::fprintf(stderr, "%s\n", failure.c_str());
    std::printf("%s: exec returned %d, %zu prompt(s) answered\n", argv[1], status, driver.prompts.size());
    return ended ? 0 : 1;
}
