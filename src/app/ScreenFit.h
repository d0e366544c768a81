// Windows that fit the screen they open on, with their buttons in view.
#pragma once

#include <QSize>

class QWidget;

namespace morvalen::app {

// Room a window manager's frame takes around a window: the title bar above, thin edges elsewhere (pixels).
inline constexpr int frameHeightPixels = 40;
inline constexpr int frameWidthPixels = 10;

// The largest size of a window's inside that still shows it whole, frame included, on the available part of its
// screen (without the desktop's panels); an unbounded size where no screen is known.
QSize roomOnScreen(const QWidget& window);

// Gives the window the size `wanted`, or less where its screen is smaller.
void fitToScreen(QWidget& window, const QSize& wanted);

}  // namespace morvalen::app
