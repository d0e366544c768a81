#include "app/WindowCloseRequests.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <string_view>

#if defined(MORVALEN_WITH_XCB)
#include <QGuiApplication>
#include <xcb/xcb.h>
#endif
#if defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace morvalen::app {

namespace {

#if defined(MORVALEN_WITH_XCB)
std::uint32_t internedAtom(xcb_connection_t* connection, std::string_view name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data());
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (!reply) return 0;
    const std::uint32_t atom = reply->atom;
    std::free(reply);
    return atom;
}
#endif

}  // namespace

WindowCloseRequests::WindowCloseRequests(QWidget& window) : window_(window) {
#if defined(MORVALEN_WITH_XCB)
    // The offscreen platform answers for X11 too, but without a connection.
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (xcb_connection_t* connection = x11 ? x11->connection() : nullptr) {
        protocolsAtom_ = internedAtom(connection, "WM_PROTOCOLS");
        deleteWindowAtom_ = internedAtom(connection, "WM_DELETE_WINDOW");
    }
#endif
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowCloseRequests::~WindowCloseRequests() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool WindowCloseRequests::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) {
    (void)result;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == &window_ || !window_.isVisible() || !isCloseRequest(eventType, message)) return false;
    closeWindowSoon();
    return true;
}

bool WindowCloseRequests::isCloseRequest(const QByteArray& eventType, void* message) const {
#if defined(MORVALEN_WITH_XCB)
    if (eventType == "xcb_generic_event_t" && deleteWindowAtom_ != 0) {
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
        const auto* client = static_cast<const xcb_client_message_event_t*>(message);
        return client->format == 32 && client->type == protocolsAtom_ &&
               client->data.data32[0] == deleteWindowAtom_ && client->window == window_.winId();
    }
#endif
#if defined(Q_OS_WIN)
    if (eventType == "windows_generic_MSG") {
        const auto* windowsMessage = static_cast<const MSG*>(message);
        return windowsMessage->message == WM_CLOSE &&
               windowsMessage->hwnd == reinterpret_cast<HWND>(window_.winId());
    }
#endif
    (void)eventType;
    (void)message;
    return false;
}

// The window closes once the platform's event has been handled, from the event loop of the open prompt.
void WindowCloseRequests::closeWindowSoon() {
    QTimer::singleShot(0, &window_, [window = &window_] { window->close(); });
}

}  // namespace morvalen::app
