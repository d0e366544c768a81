// The close request of the window manager (WM_DELETE_WINDOW on X11, WM_CLOSE on Windows, as sent by a window's close
// button or the taskbar) while a prompt or message box is open.
#pragma once

#include <QAbstractNativeEventFilter>
#include <cstdint>

class QWidget;

namespace morvalen::app {

// Qt drops the close request of a window that a modal dialog blocks, so a surveyor could not close the window during
// the eighteen or more prompts of a run. This filter sees the platform's request before Qt does and closes the
// window itself, which takes the window's own way of ending: the open prompt is dismissed and the program ends.
// Requests to a window that nothing blocks are left to Qt. Installs itself on the application while it lives.
class WindowCloseRequests : public QAbstractNativeEventFilter {
public:
    explicit WindowCloseRequests(QWidget& window);
    ~WindowCloseRequests() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    bool isCloseRequest(const QByteArray& eventType, void* message) const;
    void closeWindowSoon();

    QWidget& window_;
    // The X11 atoms WM_PROTOCOLS and WM_DELETE_WINDOW; 0 where the window system is not X11.
    std::uint32_t protocolsAtom_ = 0;
    std::uint32_t deleteWindowAtom_ = 0;
};

}  // namespace morvalen::app
