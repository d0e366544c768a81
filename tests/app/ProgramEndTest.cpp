// The program ends, through the application's own event loop, when the window closes: by 结 束 while nothing runs,
// by closing the window while a prompt is open, and by the window manager's close while a prompt is open (on X11
// with a window manager running: the request goes to the window manager, as a close button or wmctrl -c sends it,
// and the window manager sends WM_DELETE_WINDOW to the window). A hang fails the test by its time limit.
//
//   window_program_end exit|close-during-prompt|close-by-window-manager
#include <QApplication>
#include <QPushButton>
#include <cstdio>
#include <cstring>

#if defined(MORVALEN_WITH_XCB)
#include <xcb/xcb.h>

#include <cstdlib>

// Asks the window manager to close `window`, as a pager or wmctrl does (_NET_CLOSE_WINDOW to the root window).
static bool askWindowManagerToClose(const QWidget& window) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return false;
    const char name[] = "_NET_CLOSE_WINDOW";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
    if (!atom) return false;
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = static_cast<xcb_window_t>(window.winId());
    request.type = atom->atom;
    request.data.data32[1] = 2;  // from a tool acting for the user
    std::free(atom);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(connection);
    return true;
}
#else
static bool askWindowManagerToClose(const QWidget&) { return false; }
#endif

#include "ModalDriver.h"
#include "app/MainWindow.h"
#include "app/WindowFonts.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const bool duringPrompt = std::strcmp(argv[1], "close-during-prompt") == 0;
    const bool byWindowManager = std::strcmp(argv[1], "close-by-window-manager") == 0;
    QApplication application(argc, argv);
    morvalen::app::prepareApplication(application);
    morvalen::app::MainWindow window;
    window.show();

    morvalen::testing::ModalDriver driver;
    QTimer closeRequests;
    if (byWindowManager) {
        // The first prompt stays open; the window manager is asked again until it has taken the window on.
        driver.then([&](QWidget*) {
            QObject::connect(&closeRequests, &QTimer::timeout, [&] {
                if (!askWindowManagerToClose(window)) QApplication::exit(2);
            });
            closeRequests.start(200);
        });
        QTimer::singleShot(50, window.findChild<QPushButton*>("Command1"), &QPushButton::click);
    } else if (duringPrompt) {
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
