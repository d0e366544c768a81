// The controls of the main window as data: every label, field, line and button with its place in twips.
//
// Twips are 1/1440 inch, measured from the top-left corner of the client area; a rectangle is left, top, width,
// height, a line its two end points. Line widths are in pixels. The window turns twips into pixels through the
// screen's logical resolution (15 twips per pixel at 96 dpi).
#pragma once

#include <QColor>
#include <QLine>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

#include "form/Controls.h"

namespace morvalen::app {

// The faces of the window. The window font serves the fields, the buttons and every label not named otherwise.
enum class FontRole {
    window,       // 宋体 9 pt bold
    title,        // 宋体 15 pt bold: the caption strip
    sansLarge,    // MS Sans Serif 12 pt bold: the results heading and the station letters
    sansMedium,   // MS Sans Serif 9.75 pt bold: the target T0 and the orientation angle Qa
    sansSmall,    // MS Sans Serif 8.25 pt bold: array captions, closure and precision symbols, station brackets
    arialMedium,  // Arial 10.5 pt bold: the closures and precision headings
};

// The object name of a control's widget: its name for a single control, name_index for an element of a control
// array (Text1, Text7_3, Label18_0).
QString controlObjectName(const Control& control);

struct LabelControl {
    Control control;
    QString caption;
    QRect twips;
    FontRole font = FontRole::window;
};

struct FieldControl {
    Control control;
    QRect twips;
};

struct LineControl {
    const char* name;
    QLine twips;
    QColor colour;
    int widthPixels;
};

struct ButtonControl {
    const char* name;
    QString caption;
    QRect twips;
    QColor colour;
};

// Caption of the window; the title strip spells it out with a blank after every character but the last.
inline constexpr const char* windowCaption = "Morvalen";
QString spacedTitle(const QString& caption);

// Light yellow of the window and of every label.
inline const QColor windowColour{255, 255, 192};

// The client area that shows the whole layout: up to the right edge of the station letter B and the lower edge of
// the buttons.
inline constexpr QSize layoutExtentTwips{14415, 10215};

const std::vector<LabelControl>& labelControls();
const std::vector<FieldControl>& fieldControls();
const std::vector<LineControl>& lineControls();
const std::vector<ButtonControl>& buttonControls();

// Twips to pixels at the given logical resolution, rounded to the nearest pixel.
int twipsToPixels(int twips, double dotsPerInch);
QRect twipsToPixels(const QRect& twips, double dotsPerInchX, double dotsPerInchY);
QPoint twipsToPixels(const QPoint& twips, double dotsPerInchX, double dotsPerInchY);

}  // namespace morvalen::app
