// The faces of the window and the start-up the application needs before the window opens.
#pragma once

#include <QFont>

#include "app/WindowLayout.h"

class QApplication;

namespace morvalen::app {

// The font of a role. 宋体 takes its Latin letters and digits from Go and its Chinese from a Song face that can be
// bold (Noto Serif CJK SC, SimSun, 宋体, AR PL UMing CN); MS Sans Serif and Arial fall back to the system sans.
// Every face of the window is bold.
QFont windowFont(FontRole role);

// The font of the prompts and message boxes: the faces of 宋体 above, 9 points, regular weight.
QFont dialogFont();

// In Chinese makes the standard dialog buttons speak Chinese (确定 / 取消); gives the dialogs their font and maps the
// Windows face names onto the faces of this system. Call it after i18n::useLanguage. Returns false when Qt's Chinese
// translation is needed and not installed; the buttons then keep their English.
bool prepareApplication(QApplication& application);

}  // namespace morvalen::app
