// The network to scale: one painting routine for every output (the SVG file, the page of the PDF and the window of
// the checks).
//
// East (Y) runs to the right and north (X) up. The four sides and the two diagonals join the stations, the known
// or start side drawn heavier and the weakest side by propagation marked in red; the error ellipse of each computed
// station is drawn magnified by a stated factor, with an ellipse scale, and the relative error ellipse of every pair
// of stations at the same scale at the middle of its line, in a colour of its own; a north arrow and a scale bar in
// metres.
#pragma once

#include <QByteArray>
#include <QRectF>

#include "analysis/NetworkPrecision.h"

class QPainter;

namespace morvalen::report {

// Title of the plot, also the heading above it on paper.
inline constexpr const char* plotTitle = "网图与点位误差椭圆";

// The ellipse magnification: a round number (1, 2 or 5 times a power of ten) that draws the largest semi-axis of a
// station or a pair of stations at about a tenth of the network's extent; 0 when none has an ellipse.
double ellipseMagnification(const analysis::NetworkPrecision& precision);

// A round length (1, 2 or 5 times a power of ten) not above `length`.
double roundLengthBelow(double length);

// Paints the plot into `area` (in the painter's device coordinates), with pens and fonts sized in points of the
// device, so that it reads alike on the screen, in SVG and on paper. Leaves the painter's state as it found it.
void paintNetworkPlot(QPainter& painter, const QRectF& area, const analysis::NetworkPrecision& precision);

#ifdef MORVALEN_WITH_SVG
// The plot as an SVG document (Qt's SVG generator), 720 × 720 px at 96 dpi. Needs a QGuiApplication.
QByteArray networkPlotSvg(const analysis::NetworkPrecision& precision);
#endif

}  // namespace morvalen::report
