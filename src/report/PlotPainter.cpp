#include "report/PlotPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "report/NetworkPlot.h"
#include "report/PaintedReport.h"

namespace morvalen::report {
namespace {

QColor qColour(const Colour& colour) { return {colour.red, colour.green, colour.blue}; }

// Drawing pixels to the device: `scale` device units per pixel from the corner `origin`.
struct DeviceFrame {
    QPointF origin;
    double scale = 1;
    QPointF at(const PlotPoint& point) const { return origin + QPointF(point.x, point.y) * scale; }
};

QPen qPen(const PlotPen& pen, double scale) {
    return QPen(qColour(pen.colour), pen.width * scale, pen.dashed ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin);
}

struct ShapePainter {
    QPainter& painter;
    const DeviceFrame& frame;

    void operator()(const PlotLine& line) const {
        painter.setPen(qPen(line.pen, frame.scale));
        painter.drawLine(frame.at(line.from), frame.at(line.to));
    }
    void operator()(const PlotEllipse& ellipse) const {
        painter.save();
        painter.translate(frame.at(ellipse.centre));
        painter.rotate(ellipse.turnDegrees);  // clockwise, the device's y pointing down
        painter.setPen(qPen(ellipse.pen, frame.scale));
        painter.setBrush(ellipse.whiteFill ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
        painter.drawEllipse(QPointF(0, 0), ellipse.across * frame.scale, ellipse.along * frame.scale);
        painter.restore();
    }
    void operator()(const PlotPolygon& polygon) const {
        QPainterPath path;
        QPolygonF corners;
        for (const PlotPoint& corner : polygon.corners) corners << frame.at(corner);
        path.addPolygon(corners);
        path.closeSubpath();
        painter.fillPath(path, qColour(polygon.fill));
    }
    void operator()(const PlotText& text) const {
        QFont font = reportFont(8);
        // Pixels at 96 dpi, scaled, in points of the device.
        font.setPointSizeF(text.size * frame.scale * 72 / painter.device()->logicalDpiY());
        painter.setFont(font);
        painter.setPen(qColour(text.colour));
        const QString shown = QString::fromStdString(text.text);
        const double advance = QFontMetricsF(font, painter.device()).horizontalAdvance(shown);
        const double shift = text.anchor == TextAnchor::middle ? advance / 2 : text.anchor == TextAnchor::end ? advance : 0;
        painter.drawText(frame.at(text.at) - QPointF(shift, 0), shown);
    }
};

}  // namespace

void paintDrawing(QPainter& painter, const QRectF& area, const PlotDrawing& drawing) {
    if (!(drawing.width > 0) || !(drawing.height > 0)) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = std::min(area.width() / drawing.width, area.height() / drawing.height);
    const DeviceFrame frame{area.center() - QPointF(drawing.width, drawing.height) * scale / 2, scale};
    const ShapePainter shapes{painter, frame};
    for (const PlotShape& shape : drawing.shapes) std::visit(shapes, shape);
    painter.restore();
}

void paintPlot(QPainter& painter, const QRectF& area, const std::function<PlotDrawing(double, double)>& layOut) {
    const double devicePerPixel = painter.device()->logicalDpiY() / 96.0;
    paintDrawing(painter, area, layOut(area.width() / devicePerPixel, area.height() / devicePerPixel));
}

void paintNetworkPlot(QPainter& painter, const QRectF& area, const analysis::NetworkPrecision& precision) {
    paintPlot(painter, area, [&](double width, double height) { return networkPlotDrawing(precision, width, height); });
}

}  // namespace morvalen::report
