#include "app/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace morvalen::app {

QSize roomOnScreen(const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QSize available = screen->availableGeometry().size();
    return QSize(available.width() - frameWidthPixels, available.height() - frameHeightPixels);
}

void fitToScreen(QWidget& window, const QSize& wanted) { window.resize(wanted.boundedTo(roomOnScreen(window))); }

}  // namespace morvalen::app
