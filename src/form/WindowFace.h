// The main window's face as data, defined once for every front end: every label, field, line and button with its
// place in twips, its colour, its font role and what kind of text it shows. The window turns it into widgets, the
// page into elements; neither keeps a copy of its own.
//
// Twips are 1/1440 inch, measured from the top-left corner of the client area; a box is left, top, width, height,
// a line its two end points. Line widths are in pixels, font sizes in points, colours RGB triples.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "form/Controls.h"

namespace morvalen::form {

// The faces of the window. The window font serves the fields, the buttons and every label not named otherwise.
enum class FontRole {
    window,       // 宋体 9 pt bold
    title,        // 宋体 15 pt bold: the caption strip
    sansLarge,    // MS Sans Serif 12 pt bold: the results heading and the station letters
    sansMedium,   // MS Sans Serif 9.75 pt bold: the target T0 and the orientation angle Qa
    sansSmall,    // MS Sans Serif 8.25 pt bold: array captions, closure and precision symbols, station brackets
    arialMedium,  // Arial 10.5 pt bold: the closures and precision headings
};

// How a label's text reaches the screen: as written (symbols, the title), through the catalogue in the language of
// the interface, or through the catalogue as a caption (its short form where a box leaves no room for more).
enum class TextKind { plain, translated, caption };

struct Box {
    int left, top, width, height;  // twips
};

struct Segment {
    int x1, y1, x2, y2;  // twips
};

struct Colour {
    int red, green, blue;
};

struct FaceLabel {
    Control control;
    std::string text;  // Chinese, or the symbol itself
    TextKind kind;
    Box twips;
    FontRole font = FontRole::window;
};

struct FaceField {
    Control control;
    Box twips;
};

struct FaceLine {
    Control control;
    Segment twips;
    Colour colour;
    int widthPixels;
};

struct FaceButton {
    Control control;
    std::string text;  // Chinese, translated where shown
    Box twips;
    Colour colour;
};

// Caption of the window; the title strip spells it out with a blank after every character but the last.
inline constexpr std::string_view windowCaption = "Morvalen";

// Light yellow of the window and of every label.
inline constexpr Colour windowColour{255, 255, 192};

// The client area that shows the whole layout: up to the right edge of the station letter B and the lower edge of
// the buttons (twips).
inline constexpr int layoutWidthTwips = 14415;
inline constexpr int layoutHeightTwips = 10215;

const std::vector<FaceLabel>& faceLabels();
const std::vector<FaceField>& faceFields();
const std::vector<FaceLine>& faceLines();
const std::vector<FaceButton>& faceButtons();

// The caption with a blank after every character but the last ("M o r v a l e n"); characters, not bytes, of UTF-8.
std::string spacedTitle(std::string_view caption);

}  // namespace morvalen::form
