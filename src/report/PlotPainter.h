// The plot's drawing painted with Qt: the window of the checks and the page of the PDF show the drawing that the
// SVG file holds.
#pragma once

#include <QRectF>
#include <functional>

#include "analysis/NetworkPrecision.h"
#include "report/PlotDrawing.h"

class QPainter;

namespace morvalen::report {

// Paints the drawing into `area` (device coordinates), scaled to fit with its proportions kept and centred. Leaves the
// painter's state as it found it.
void paintDrawing(QPainter& painter, const QRectF& area, const PlotDrawing& drawing);

// The drawing laid out by `layOut` (width, height in pixels at 96 dpi) for `area` at the device's resolution, so that
// its texts and pens keep their sizes in points, and painted there.
void paintPlot(QPainter& painter, const QRectF& area, const std::function<PlotDrawing(double, double)>& layOut);

// The network plot (report/NetworkPlot) painted so.
void paintNetworkPlot(QPainter& painter, const QRectF& area, const analysis::NetworkPrecision& precision);

}  // namespace morvalen::report
