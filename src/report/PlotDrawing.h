// A drawing as plain shapes, without Qt: what the network plot is made of, written as SVG by the computation library
// and painted by Qt's painter in the window and on paper, so that every face shows the same plot.
//
// Coordinates are pixels of a page of `width` × `height` at 96 dpi, x to the right and y down; pen widths and text
// sizes in the same pixels.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace morvalen::report {

struct Colour {
    int red = 0, green = 0, blue = 0;
};

struct PlotPoint {
    double x = 0, y = 0;
};

struct PlotPen {
    Colour colour;
    double width = 1;  // pixels
    bool dashed = false;
};

struct PlotLine {
    PlotPoint from, to;
    PlotPen pen;
};

// An ellipse of semi-axes `across` (along x before the turn) and `along` (along y), turned clockwise by
// `turnDegrees` about its centre; filled white when `whiteFill`.
struct PlotEllipse {
    PlotPoint centre;
    double across = 0, along = 0;
    double turnDegrees = 0;
    PlotPen pen;
    bool whiteFill = false;
};

// A closed polygon filled with its colour.
struct PlotPolygon {
    std::vector<PlotPoint> corners;
    Colour fill;
};

enum class TextAnchor { start, middle, end };

// A line of text whose baseline passes through `at`; the anchor tells which point of the text lies there.
struct PlotText {
    PlotPoint at;
    std::string text;  // UTF-8
    Colour colour;
    double size = 12;  // pixels
    TextAnchor anchor = TextAnchor::start;
};

using PlotShape = std::variant<PlotLine, PlotEllipse, PlotPolygon, PlotText>;

// The lines of a font of `size` pixels, as the plots set their texts.
struct PlotFont {
    double size;
    double height() const { return 1.2 * size; }
    double lineSpacing() const { return 1.3 * size; }
    double ascent() const { return 0.95 * size; }
    double descent() const { return 0.25 * size; }
};
inline constexpr double plotPixelsPerPoint = 96.0 / 72;
inline constexpr double plotMargin = 16;  // pixels round the page
inline constexpr PlotFont plotTitleFont{11 * plotPixelsPerPoint};
inline constexpr PlotFont plotLabelFont{8 * plotPixelsPerPoint};

struct PlotDrawing {
    double width = 0, height = 0;  // pixels
    std::string title;             // the document's title
    std::vector<PlotShape> shapes;  // in the order they are drawn
};

// The width of a text in the plot's font, pixels: the Latin letters and digits a column of 0.6 of the size each,
// Chinese a whole size, as the report's font (Go Mono with a Song face) sets them.
double textWidth(std::string_view text, double size);

// The fonts of the plot, in order of preference, as the report names them.
inline constexpr std::string_view plotFontFamilies = "Go Mono, SimSun, 宋体, AR PL UMing CN, monospace";

// The drawing as an SVG document of its size, on a white ground.
std::string svgDocument(const PlotDrawing& drawing);

// Text and attribute values with the five characters XML (and HTML) reserves written as entities.
std::string xmlEscaped(std::string_view text);

}  // namespace morvalen::report
