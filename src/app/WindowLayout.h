// The controls of the main window in Qt's terms, converted from their one definition (form/WindowFace.h): every
// label, field, line and button with its place in twips.
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
#include "form/WindowFace.h"

namespace morvalen::app {

// The faces of the window, defined with the layout (form/WindowFace.h).
using FontRole = form::FontRole;

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
    QString name;
    QLine twips;
    QColor colour;
    int widthPixels;
};

struct ButtonControl {
    QString name;
    QString caption;
    QRect twips;
    QColor colour;
};

// Caption of the window.
inline const QString windowCaption = QString::fromUtf8(form::windowCaption.data(), form::windowCaption.size());

// Light yellow of the window and of every label.
inline const QColor windowColour{form::windowColour.red, form::windowColour.green, form::windowColour.blue};

// The client area that shows the whole layout: up to the right edge of the station letter B and the lower edge of
// the buttons.
inline constexpr QSize layoutExtentTwips{form::layoutWidthTwips, form::layoutHeightTwips};

const std::vector<LabelControl>& labelControls();
const std::vector<FieldControl>& fieldControls();
const std::vector<LineControl>& lineControls();
const std::vector<ButtonControl>& buttonControls();

// Twips to pixels at the given logical resolution, rounded to the nearest pixel.
int twipsToPixels(int twips, double dotsPerInch);
QRect twipsToPixels(const QRect& twips, double dotsPerInchX, double dotsPerInchY);
QPoint twipsToPixels(const QPoint& twips, double dotsPerInchX, double dotsPerInchY);

}  // namespace morvalen::app
