#include "app/BothEllipsesPlot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "analysis/ChecksText.h"
#include "app/TableCells.h"
#include "app/Translated.h"

namespace morvalen::app {
namespace {

constexpr int marginPixels = 12;
constexpr int legendPixels = 64;      // below the network: two ellipse sets and the magnification
constexpr double paddingShare = 0.14;  // of the network's extent on each side, for the names and the ellipses

// Metres on the ground to pixels of the widget: east to the right, north up.
struct PlotScale {
    double minimumX = 0, minimumY = 0, pixelsPerMetre = 1;
    QPointF origin;  // where (minimumX, minimumY) lands: the lower left of the network

    QPointF at(double x, double y) const {
        return {origin.x() + (y - minimumY) * pixelsPerMetre, origin.y() - (x - minimumX) * pixelsPerMetre};
    }
};

PlotScale scaleFor(const std::array<PlottedStation, 4>& stations, const QRectF& area) {
    const auto [lowX, highX] = std::minmax_element(stations.begin(), stations.end(),
                                                   [](const auto& a, const auto& b) { return a.x < b.x; });
    const auto [lowY, highY] = std::minmax_element(stations.begin(), stations.end(),
                                                   [](const auto& a, const auto& b) { return a.y < b.y; });
    const double northing = std::max(highX->x - lowX->x, 1e-3), easting = std::max(highY->y - lowY->y, 1e-3);
    const double extent = std::max(northing, easting);
    PlotScale scale;
    scale.minimumX = lowX->x;
    scale.minimumY = lowY->y;
    scale.pixelsPerMetre = std::min(area.width() / (easting + 2 * paddingShare * extent),
                                    area.height() / (northing + 2 * paddingShare * extent));
    // Centred in the area.
    const double width = easting * scale.pixelsPerMetre, height = northing * scale.pixelsPerMetre;
    scale.origin = QPointF(area.center().x() - width / 2, area.center().y() + height / 2);
    return scale;
}

// An ellipse of semi-axes a ≥ b (millimetres) with a at φ clockwise from north, drawn `magnification` times its size.
void drawEllipse(QPainter& painter, QPointF centre, const analysis::ErrorEllipse& ellipse, double pixelsPerMillimetre) {
    painter.save();
    painter.translate(centre);
    painter.rotate(ellipse.phiDegrees);  // clockwise on the screen, as from north towards east
    painter.drawEllipse(QPointF(0, 0), ellipse.b * pixelsPerMillimetre, ellipse.a * pixelsPerMillimetre);
    painter.restore();
}

void drawLegend(QPainter& painter, const QRectF& area, double classicalSigma, double magnification) {
    const QFontMetricsF metrics(painter.font());
    const double line = metrics.height() + 4;
    const QString texts[] = {
        translated("经典平差：八个角，测角中误差 σ = %1″", {qText(analysis::decimalText(classicalSigma, 2))}),
        translated("严密平差：方向与距离，σ0·√Qxx")};
    const QColor colours[] = {classicalEllipseColour, rigorousEllipseColour};
    for (int i = 0; i < 2; ++i) {
        const QPointF at(area.left(), area.top() + i * line);
        painter.setPen(QPen(colours[i], 2));
        painter.drawLine(at + QPointF(0, line / 2), at + QPointF(28, line / 2));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(at.x() + 36, at.y(), area.width() - 36, line), Qt::AlignVCenter, texts[i]);
    }
    const QString scale = magnification > 0
                              ? translated("误差椭圆放大 %1 倍", {qText(analysis::decimalText(magnification, 0))})
                              : translated("没有误差椭圆");
    painter.drawText(QRectF(area.left(), area.top() + 2 * line, area.width(), line), Qt::AlignVCenter, scale);
}

}  // namespace

std::array<PlottedStation, 4> plottedStations(const rigorous::RigorousRun& run,
                                              const analysis::NetworkPrecision& classical) {
    std::array<PlottedStation, 4> stations;
    for (std::size_t i = 0; i < stations.size(); ++i) {
        const rigorous::AdjustedStation& adjusted = run.adjustment.stations[i];
        const analysis::StationPrecision& propagated = classical.stations[i];
        stations[i] = {qText(adjusted.name), adjusted.x, adjusted.y, adjusted.fixed, std::nullopt, std::nullopt};
        if (!propagated.fixed) stations[i].classical = propagated.ellipse;
        if (!adjusted.fixed) stations[i].rigorous = adjusted.ellipse;
    }
    return stations;
}

double bothEllipsesMagnification(const std::array<PlottedStation, 4>& stations) {
    double largest = 0;  // millimetres
    double lowX = stations[0].x, highX = lowX, lowY = stations[0].y, highY = lowY;
    for (const PlottedStation& station : stations) {
        for (const auto& ellipse : {station.classical, station.rigorous}) {
            if (ellipse) largest = std::max(largest, ellipse->a);
        }
        lowX = std::min(lowX, station.x), highX = std::max(highX, station.x);
        lowY = std::min(lowY, station.y), highY = std::max(highY, station.y);
    }
    if (largest <= 0) return 0;
    const double wanted = std::max(highX - lowX, highY - lowY) / 10 / (largest / 1000);
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    for (const double step : {5.0, 2.0}) {
        if (step * power <= wanted) return step * power;
    }
    return power;
}

BothEllipsesPlot::BothEllipsesPlot(const std::array<PlottedStation, 4>& stations, double classicalSigma, QWidget* parent)
    : QWidget(parent), stations_(stations), classicalSigma_(classicalSigma),
      magnification_(bothEllipsesMagnification(stations)) {
    setObjectName(QStringLiteral("BothEllipsesPlot"));
    setMinimumSize(360, 400);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
}

QSize BothEllipsesPlot::sizeHint() const { return {480, 560}; }

void BothEllipsesPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF whole = QRectF(rect()).adjusted(marginPixels, marginPixels, -marginPixels, -marginPixels);
    const QRectF network = whole.adjusted(0, 0, 0, -legendPixels);
    const PlotScale scale = scaleFor(stations_, network);
    const auto place = [&](const PlottedStation& station) { return scale.at(station.x, station.y); };

    painter.setPen(QPen(Qt::darkGray, 1.2));
    for (const auto& [from, to] : analysis::sideStations) {
        painter.drawLine(place(stations_[static_cast<std::size_t>(from)]), place(stations_[static_cast<std::size_t>(to)]));
    }
    for (const PlottedStation& station : stations_) {
        const QPointF at = place(station);
        painter.setPen(QPen(Qt::black, 1.2));
        painter.setBrush(Qt::white);
        if (station.held) {
            QPainterPath triangle;
            triangle.moveTo(at + QPointF(0, -6));
            triangle.lineTo(at + QPointF(5.5, 4));
            triangle.lineTo(at + QPointF(-5.5, 4));
            triangle.closeSubpath();
            painter.drawPath(triangle);
        } else {
            painter.drawEllipse(at, 3, 3);
        }
        painter.drawText(at + QPointF(8, -8), station.name);
    }
    // The ellipses over the station marks: a small rigorous ellipse stays visible around its mark.
    const double pixelsPerMillimetre = magnification_ * scale.pixelsPerMetre / 1000;
    painter.setBrush(Qt::NoBrush);
    for (const PlottedStation& station : stations_) {
        if (station.classical) {
            painter.setPen(QPen(classicalEllipseColour, 2));
            drawEllipse(painter, place(station), *station.classical, pixelsPerMillimetre);
        }
        if (station.rigorous) {
            painter.setPen(QPen(rigorousEllipseColour, 2));
            drawEllipse(painter, place(station), *station.rigorous, pixelsPerMillimetre);
        }
    }
    drawLegend(painter, whole.adjusted(0, whole.height() - legendPixels, 0, 0), classicalSigma_, magnification_);
}

}  // namespace morvalen::app
