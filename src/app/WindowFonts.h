// The faces of the window and the start-up the application needs before the window opens.
#pragma once

#include <QFont>

#include "app/WindowLayout.h"

class QApplication;

namespace morvalen::app {

// The font of a role. 宋体 asks for SimSun, 宋体, then the Song-style AR PL UMing CN; MS Sans Serif and Arial fall
// back to the system sans. Every face of the window is bold.
QFont windowFont(FontRole role);

// Makes the standard dialog buttons speak Chinese (确定 / 取消) and maps the Windows face names onto the faces of
// this system. Returns false when Qt's Chinese translation is not installed; the buttons then keep their English.
bool prepareApplication(QApplication& application);

}  // namespace morvalen::app
