#include "report/NetworkPlot.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#ifdef MORVALEN_WITH_SVG
#include <QSvgGenerator>
#endif
#include <algorithm>
#include <cmath>
#include <numbers>

#include "i18n/Language.h"
#include "report/PaintedReport.h"
#include "report/PrecisionPage.h"

namespace morvalen::report {
namespace {

constexpr double millimetresPerMetre = 1000;
// The largest ellipse is drawn at about this share of the network's extent.
constexpr double largestEllipseShare = 0.1;
// The scale bar is at most this share of the width of the map.
constexpr double scaleBarShare = 0.3;

const QColor lineColour(0, 0, 0);
const QColor diagonalColour(80, 80, 80);
const QColor weakestColour(200, 0, 0);
const QColor ellipseColour(0, 70, 200);
const QColor relativeColour(0, 140, 70);
const QColor labelColour(90, 90, 90);

QString qText(const std::string& text) { return QString::fromStdString(text); }

// A text of the plot in the language of the interface, its values put in the translated pattern.
QString translated(const char* pattern, std::initializer_list<std::string_view> values = {}) {
    return QString::fromStdString(i18n::withArguments(i18n::translate(pattern), values));
}

// A length in metres or millimetres for a label: whole numbers without decimals.
QString lengthText(double value) { return QString::number(value, 'g', 8); }

// The largest semi-axis a of any computed station or pair of stations, millimetres.
double largestSemiAxis(const analysis::NetworkPrecision& precision) {
    double largest = 0;
    for (const analysis::StationPrecision& station : precision.stations) {
        if (!station.fixed) largest = std::max(largest, station.ellipse.a);
    }
    for (const analysis::RelativePrecision& pair : precision.relative) largest = std::max(largest, pair.ellipse.a);
    return largest;
}

// Half the width of an ellipse (millimetres) across the device direction `across` (a unit vector, y down).
double ellipseReach(const analysis::ErrorEllipse& ellipse, QPointF across) {
    const double phi = ellipse.phiDegrees * std::numbers::pi / 180;
    // The direction in ground terms (north up, east right) against the axes a (along φ) and b (across φ).
    const double north = -across.y(), east = across.x();
    const double alongA = north * std::cos(phi) + east * std::sin(phi);
    const double alongB = -north * std::sin(phi) + east * std::cos(phi);
    return std::hypot(ellipse.a * alongA, ellipse.b * alongB);
}

double networkExtent(const analysis::NetworkPrecision& precision) {
    const auto [north0, north1] = std::minmax({precision.stations[0].x, precision.stations[1].x,
                                               precision.stations[2].x, precision.stations[3].x});
    const auto [east0, east1] = std::minmax({precision.stations[0].y, precision.stations[1].y,
                                             precision.stations[2].y, precision.stations[3].y});
    return std::max(north1 - north0, east1 - east0);
}

// Ground (X north, Y east, metres) to the device: east to the right, north up.
struct MapFrame {
    double scale = 1;  // device units per metre
    double east0 = 0, north0 = 0;
    QPointF origin;
    QPointF at(double north, double east) const {
        return {origin.x() + (east - east0) * scale, origin.y() - (north - north0) * scale};
    }
};

// Fits the stations and their magnified ellipses into `map`, keeping the scale the same in both directions.
MapFrame fitFrame(const analysis::NetworkPrecision& precision, double magnification, const QRectF& map) {
    double north0 = HUGE_VAL, north1 = -HUGE_VAL, east0 = HUGE_VAL, east1 = -HUGE_VAL;
    for (const analysis::StationPrecision& station : precision.stations) {
        const double reach = station.ellipse.a * magnification / millimetresPerMetre;
        north0 = std::min(north0, station.x - reach);
        north1 = std::max(north1, station.x + reach);
        east0 = std::min(east0, station.y - reach);
        east1 = std::max(east1, station.y + reach);
    }
    const double northSpan = std::max(north1 - north0, 1e-3), eastSpan = std::max(east1 - east0, 1e-3);
    MapFrame frame;
    frame.scale = std::min(map.width() / eastSpan, map.height() / northSpan);
    frame.east0 = (east0 + east1) / 2;
    frame.north0 = (north0 + north1) / 2;
    frame.origin = map.center();
    return frame;
}

QPen pen(const QColor& colour, double points, double devicePerPoint, Qt::PenStyle style = Qt::SolidLine) {
    QPen result(colour, points * devicePerPoint, style, Qt::RoundCap, Qt::RoundJoin);
    return result;
}

// An ellipse of semi-axes in millimetres, magnified, centred at `at`.
void paintEllipse(QPainter& painter, QPointF at, const analysis::ErrorEllipse& ellipse, double toDevice) {
    painter.save();
    painter.translate(at);
    // φ runs clockwise from north, as a rotation of the device's axes does with y pointing down.
    painter.rotate(ellipse.phiDegrees);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(0, 0), ellipse.b * toDevice, ellipse.a * toDevice);
    painter.restore();
}

// The centre of the four stations on the device.
QPointF centroidOf(const analysis::NetworkPrecision& precision, const MapFrame& frame) {
    QPointF centroid;
    for (const analysis::StationPrecision& station : precision.stations) centroid += frame.at(station.x, station.y) / 4;
    return centroid;
}

// A label's box beside `at`, its nearest edge `gap` away in the direction `outward` (a unit vector), moved inside
// `bounds` where it would stick out.
QRectF besidePoint(QPointF at, QPointF outward, double gap, double width, double height, const QRectF& bounds) {
    const QPointF centre = at + outward * gap + QPointF(outward.x() * width / 2, outward.y() * height / 2);
    QRectF box(centre.x() - width / 2 - 1, centre.y() - height / 2, width + 2, height);
    box.moveLeft(std::clamp(box.left(), bounds.left(), std::max(bounds.left(), bounds.right() - box.width())));
    box.moveTop(std::clamp(box.top(), bounds.top(), std::max(bounds.top(), bounds.bottom() - box.height())));
    return box;
}

// The relative error ellipse of the pair of stations joined by a side, none for the two known stations.
const analysis::RelativePrecision* pairOfSide(const analysis::NetworkPrecision& precision, int side) {
    for (const analysis::RelativePrecision& pair : precision.relative) {
        if (pair.side == side) return &pair;
    }
    return nullptr;
}

void paintSides(QPainter& painter, const analysis::NetworkPrecision& precision, const MapFrame& frame,
                double magnification, double unit, const QRectF& bounds) {
    const QPointF centroid = centroidOf(precision, frame);
    for (const analysis::SidePrecision& side : precision.sides) {
        const auto& from = precision.stations[static_cast<std::size_t>(side.from)];
        const auto& to = precision.stations[static_cast<std::size_t>(side.to)];
        const QPointF a = frame.at(from.x, from.y), b = frame.at(to.x, to.y);
        const bool diagonal = side.side > 4;
        const bool heavy = side.side == precision.heavySide;
        painter.setPen(pen(diagonal && !heavy ? diagonalColour : lineColour, heavy ? 2.6 : diagonal ? 0.7 : 1.0, unit));
        painter.drawLine(a, b);
        const bool weakest = side.side == precision.weakestSide;
        if (weakest) {
            painter.setPen(pen(weakestColour, 1.8, unit, Qt::DashLine));
            painter.drawLine(a, b);
        }
        // The side's number beside it: diagonals a third of the way along, clear of their crossing.
        const QPointF along = a + (b - a) * (diagonal ? 0.3 : 0.5);
        const QPointF direction = b - a;
        const double length = std::hypot(direction.x(), direction.y());
        if (length <= 0) continue;
        // Outer sides are labelled outside the network; diagonals on either side.
        QPointF normal(-direction.y() / length, direction.x() / length);
        const QPointF fromCentre = along - centroid;
        if (normal.x() * fromCentre.x() + normal.y() * fromCentre.y() < 0) normal = -normal;
        const QString label = QStringLiteral("S%1").arg(side.side);
        const QFontMetricsF metrics(painter.font(), painter.device());
        // An outer side's label clear of the relative ellipse at its middle.
        double gap = 0.4 * metrics.height();
        const analysis::RelativePrecision* pair = pairOfSide(precision, side.side);
        if (!diagonal && pair) {
            const double toDevice = magnification / millimetresPerMetre * frame.scale;
            gap = std::max(gap, ellipseReach(pair->ellipse, normal) * toDevice + 0.2 * metrics.height());
        }
        painter.setPen(weakest ? weakestColour : labelColour);
        painter.drawText(besidePoint(along, normal, gap, metrics.horizontalAdvance(label), metrics.height(), bounds),
                         Qt::AlignCenter, label);
    }
}

void paintStations(QPainter& painter, const analysis::NetworkPrecision& precision, const MapFrame& frame,
                   double magnification, double unit, const QRectF& bounds) {
    const QPointF centroid = centroidOf(precision, frame);
    const QFontMetricsF metrics(painter.font(), painter.device());
    for (const analysis::StationPrecision& station : precision.stations) {
        const QPointF at = frame.at(station.x, station.y);
        if (!station.fixed && magnification > 0) {
            painter.setPen(pen(ellipseColour, 1.0, unit));
            paintEllipse(painter, at, station.ellipse, magnification / millimetresPerMetre * frame.scale);
        }
        painter.setPen(pen(lineColour, 0.8, unit));
        if (station.fixed) {
            // A known station: a filled triangle.
            const double size = 4.5 * unit;
            QPainterPath triangle;
            triangle.moveTo(at + QPointF(0, -size));
            triangle.lineTo(at + QPointF(size * 0.87, size * 0.5));
            triangle.lineTo(at + QPointF(-size * 0.87, size * 0.5));
            triangle.closeSubpath();
            painter.fillPath(triangle, lineColour);
        } else {
            painter.setBrush(Qt::white);
            painter.drawEllipse(at, 2.5 * unit, 2.5 * unit);
            painter.setBrush(Qt::NoBrush);
        }
        // The name outside the network, away from its centre.
        QPointF outward = at - centroid;
        const double distance = std::hypot(outward.x(), outward.y());
        outward = distance > 0 ? outward / distance : QPointF(0, -1);
        // Clear of the ellipse along the way out.
        double gap = 0.6 * metrics.height();
        if (!station.fixed && magnification > 0) {
            const double toDevice = magnification / millimetresPerMetre * frame.scale;
            gap = std::max(gap, station.ellipse.a * toDevice + 0.2 * metrics.height());
        }
        const QString name = qText(station.name);
        painter.setPen(lineColour);
        painter.drawText(besidePoint(at, outward, gap, metrics.horizontalAdvance(name), metrics.height(), bounds),
                         Qt::AlignCenter, name);
    }
}

// The relative error ellipse of every pair of stations at the middle of its line, at the scale of the station
// ellipses, with a small cross at the middle; a pair fixed by the data in both length and azimuth has none.
void paintRelativeEllipses(QPainter& painter, const analysis::NetworkPrecision& precision, const MapFrame& frame,
                           double magnification, double unit) {
    const double toDevice = magnification / millimetresPerMetre * frame.scale;
    const double cross = 2 * unit;
    for (const analysis::RelativePrecision& pair : precision.relative) {
        if (!(pair.ellipse.a > 0)) continue;
        const auto& from = precision.stations[static_cast<std::size_t>(pair.from)];
        const auto& to = precision.stations[static_cast<std::size_t>(pair.to)];
        const QPointF middle = (frame.at(from.x, from.y) + frame.at(to.x, to.y)) / 2;
        painter.setPen(pen(relativeColour, 0.9, unit));
        paintEllipse(painter, middle, pair.ellipse, toDevice);
        painter.setPen(pen(relativeColour, 0.6, unit));
        painter.drawLine(middle - QPointF(cross, 0), middle + QPointF(cross, 0));
        painter.drawLine(middle - QPointF(0, cross), middle + QPointF(0, cross));
    }
}

// A bar of `length` device units from `start` with end ticks and the two labels below its ends, or only the length
// behind it (`labelBehind`) for a bar too short to carry two.
void paintBar(QPainter& painter, QPointF start, double length, const QString& endLabel, const QColor& colour,
              double unit, bool labelBehind = false) {
    const double tick = 3 * unit;
    painter.setPen(pen(colour, 1.2, unit));
    painter.drawLine(start, start + QPointF(length, 0));
    painter.drawLine(start + QPointF(0, -tick), start + QPointF(0, tick));
    painter.drawLine(start + QPointF(length, -tick), start + QPointF(length, tick));
    painter.drawLine(start + QPointF(length / 2, -tick / 2), start + QPointF(length / 2, tick / 2));
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.setPen(colour);
    if (labelBehind) {
        painter.drawText(start + QPointF(length + metrics.height() / 2, metrics.ascent() / 2 - metrics.descent() / 2),
                         endLabel);
        return;
    }
    painter.drawText(start + QPointF(-metrics.horizontalAdvance(QStringLiteral("0")) / 2, tick + metrics.ascent()),
                     QStringLiteral("0"));
    painter.drawText(start + QPointF(length - metrics.horizontalAdvance(endLabel) / 2, tick + metrics.ascent()),
                     endLabel);
}

void paintNorthArrow(QPainter& painter, QPointF foot, double height, double unit) {
    const QPointF tip = foot + QPointF(0, -height);
    painter.setPen(pen(lineColour, 1.2, unit));
    painter.drawLine(foot, tip);
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip + QPointF(-3.5 * unit, 9 * unit));
    head.lineTo(tip + QPointF(3.5 * unit, 9 * unit));
    head.closeSubpath();
    painter.fillPath(head, lineColour);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const QString north = translated("北");
    painter.drawText(tip + QPointF(-metrics.horizontalAdvance(north) / 2, -metrics.descent() - unit), north);
}

}  // namespace

double roundLengthBelow(double length) {
    if (!(length > 0) || !std::isfinite(length)) return 0;
    const double power = std::pow(10.0, std::floor(std::log10(length)));
    for (const double mantissa : {5.0, 2.0, 1.0}) {
        if (mantissa * power <= length * (1 + 1e-12)) return mantissa * power;
    }
    return power;
}

double ellipseMagnification(const analysis::NetworkPrecision& precision) {
    const double largest = largestSemiAxis(precision);
    if (!(largest > 0)) return 0;
    return roundLengthBelow(largestEllipseShare * networkExtent(precision) * millimetresPerMetre / largest);
}

void paintNetworkPlot(QPainter& painter, const QRectF& area, const analysis::NetworkPrecision& precision) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = painter.device()->logicalDpiY() / 72.0;  // device units per point
    const QFont titleFont = reportFont(11);
    const QFont labelFont = reportFont(8);
    const double magnification = ellipseMagnification(precision);
    const double largest = largestSemiAxis(precision);

    // Title and the figures it is drawn with.
    painter.setFont(titleFont);
    const QFontMetricsF titleMetrics(titleFont, painter.device());
    painter.setPen(lineColour);
    painter.drawText(QRectF(area.left(), area.top(), area.width(), titleMetrics.height()), Qt::AlignHCenter,
                     translated(plotTitle));
    painter.setFont(labelFont);
    const QFontMetricsF metrics(labelFont, painter.device());
    const std::string sigma = QString::number(precision.sigma, 'f', 2).toStdString();
    const QString subtitle =
        magnification > 0
            ? translated("测角中误差 σ = %1″，误差椭圆放大 %2 倍", {sigma, lengthText(magnification).toStdString()})
            : translated("测角中误差 σ = %1″", {sigma});
    const double subtitleTop = area.top() + titleMetrics.lineSpacing();
    painter.drawText(QRectF(area.left(), subtitleTop, area.width(), metrics.height()), Qt::AlignHCenter, subtitle);
    if (precision.weakestSide > 0) {
        const analysis::SidePrecision& weakest = precision.sides[static_cast<std::size_t>(precision.weakestSide - 1)];
        painter.setPen(weakestColour);
        painter.drawText(QRectF(area.left(), subtitleTop + metrics.lineSpacing(), area.width(), metrics.height()),
                         Qt::AlignHCenter,
                         translated("最弱边（红色虚线）：%1  %2",
                                    {sideText(precision, weakest.side), sideRelativeErrorText(precision, weakest)}));
        painter.setPen(lineColour);
    }

    // The map between the title and the legend, with room for the names round it.
    double nameWidth = 0;
    for (const analysis::StationPrecision& station : precision.stations) {
        nameWidth = std::max(nameWidth, metrics.horizontalAdvance(qText(station.name)));
    }
    const double legendHeight = 5 * metrics.lineSpacing();
    const double side = nameWidth + 2 * metrics.height();
    const double top = subtitleTop + 2 * metrics.lineSpacing() + 2 * metrics.height();
    const QRectF map(area.left() + side, top, area.width() - 2 * side,
                     area.bottom() - legendHeight - 2 * metrics.height() - top);
    if (map.width() <= 0 || map.height() <= 0) {
        painter.restore();
        return;
    }
    const MapFrame frame = fitFrame(precision, magnification, map);
    const QRectF bounds(area.left(), top - 2 * metrics.height(), area.width(), map.height() + 4 * metrics.height());
    paintSides(painter, precision, frame, magnification, unit, bounds);
    if (magnification > 0) paintRelativeEllipses(painter, precision, frame, magnification, unit);
    paintStations(painter, precision, frame, magnification, unit, bounds);

    // The legend: the scale bar in metres, the ellipse scale in millimetres, the north arrow.
    const double legendTop = area.bottom() - legendHeight;
    const double barY = legendTop + 2 * metrics.lineSpacing();
    painter.setPen(lineColour);
    painter.drawText(QPointF(area.left(), legendTop + metrics.ascent()), translated("比例尺"));
    const double metres = roundLengthBelow(scaleBarShare * map.width() / frame.scale);
    paintBar(painter, QPointF(area.left() + metrics.height(), barY), metres * frame.scale,
             translated("%1 米", {lengthText(metres).toStdString()}), lineColour, unit);
    if (magnification > 0) {
        const double millimetres = roundLengthBelow(largest);
        const double x = area.left() + area.width() * 0.45;
        painter.setPen(ellipseColour);
        painter.drawText(QPointF(x, legendTop + metrics.ascent()),
                         translated("误差椭圆比例（放大 %1 倍）", {lengthText(magnification).toStdString()}));
        paintBar(painter, QPointF(x + metrics.height(), barY),
                 millimetres * magnification / millimetresPerMetre * frame.scale,
                 lengthText(millimetres) + QStringLiteral(" mm"), ellipseColour, unit, true);
        // The relative ellipses: a sample and what it stands for, on the line below the scales.
        const double sampleY = legendTop + 4 * metrics.lineSpacing() + metrics.ascent() / 2 - metrics.descent() / 2;
        painter.setPen(pen(relativeColour, 0.9, unit));
        painter.drawEllipse(QPointF(area.left() + 1.5 * metrics.height(), sampleY), metrics.height(),
                            metrics.height() / 2.5);
        painter.setPen(relativeColour);
        painter.drawText(
            QPointF(area.left() + 3 * metrics.height(), legendTop + 4 * metrics.lineSpacing() + metrics.ascent()),
            translated("点间相对误差椭圆（绘于两点连线中点，比例同上）"));
    }
    paintNorthArrow(painter, QPointF(area.right() - 2 * metrics.height(), area.bottom() - metrics.height()),
                    legendHeight - 2 * metrics.height(), unit);
    painter.restore();
}

#ifdef MORVALEN_WITH_SVG
QByteArray networkPlotSvg(const analysis::NetworkPrecision& precision) {
    constexpr int size = 720, margin = 16;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(size, size));
    generator.setViewBox(QRect(0, 0, size, size));
    generator.setResolution(96);
    generator.setTitle(translated(plotTitle));
    generator.setDescription(QStringLiteral("Morvalen"));
    QPainter painter;
    if (!painter.begin(&generator)) throw PrintingFailed(i18n::translate("无法生成网图（SVG）。"));
    painter.fillRect(QRectF(0, 0, size, size), Qt::white);
    paintNetworkPlot(painter, QRectF(margin, margin, size - 2 * margin, size - 2 * margin), precision);
    painter.end();
    return buffer.data();
}
#endif

}  // namespace morvalen::report
