// The network to scale: one drawing for every output (the SVG file and the page's plot, the page of the PDF and the
// window of the checks), made without Qt.
//
// East (Y) runs to the right and north (X) up. The four sides and the two diagonals join the stations, the known
// or start side drawn heavier and the weakest side by propagation marked in red; the error ellipse of each computed
// station is drawn magnified by a stated factor, with an ellipse scale, and the relative error ellipse of every pair
// of stations at the same scale at the middle of its line, in a colour of its own; a north arrow and a scale bar in
// metres.
#pragma once

#include <string>

#include "analysis/NetworkPrecision.h"
#include "report/PlotDrawing.h"

namespace morvalen::report {

// Title of the plot, also the heading above it on paper.
inline constexpr const char* plotTitle = "网图与点位误差椭圆";

// The size of the plot as a file, pixels at 96 dpi.
inline constexpr double plotFileSize = 720;

// The ellipse magnification: a round number (1, 2 or 5 times a power of ten) that draws the largest semi-axis of a
// station or a pair of stations at about a tenth of the network's extent; 0 when none has an ellipse.
double ellipseMagnification(const analysis::NetworkPrecision& precision);

// A round length (1, 2 or 5 times a power of ten) not above `length`.
double roundLengthBelow(double length);

// A length in metres or millimetres, or a magnification, for a label: up to eight decimals, whole numbers without
// decimals.
std::string lengthText(double value);

// The plot laid out on a page of `width` × `height` pixels at 96 dpi, texts in the language of the interface.
PlotDrawing networkPlotDrawing(const analysis::NetworkPrecision& precision, double width = plotFileSize,
                               double height = plotFileSize);

// The plot as an SVG document, 720 × 720 px.
std::string networkPlotSvg(const analysis::NetworkPrecision& precision);

}  // namespace morvalen::report
