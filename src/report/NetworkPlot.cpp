#include "report/NetworkPlot.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "form/FieldText.h"
#include "form/NumberChars.h"
#include "i18n/Language.h"
#include "report/PrecisionPage.h"

namespace morvalen::report {
namespace {

constexpr double millimetresPerMetre = 1000;
// The largest ellipse is drawn at about this share of the network's extent.
constexpr double largestEllipseShare = 0.1;
// The scale bar is at most this share of the width of the map.
constexpr double scaleBarShare = 0.3;
constexpr double unit = plotPixelsPerPoint;
constexpr double margin = plotMargin;

constexpr Colour lineColour{0, 0, 0};
constexpr Colour diagonalColour{80, 80, 80};
constexpr Colour weakestColour{200, 0, 0};
constexpr Colour ellipseColour{0, 70, 200};
constexpr Colour relativeColour{0, 140, 70};
constexpr Colour labelColour{90, 90, 90};

constexpr PlotFont titleFont = plotTitleFont;
constexpr PlotFont labelFont = plotLabelFont;

PlotPoint operator+(PlotPoint a, PlotPoint b) { return {a.x + b.x, a.y + b.y}; }
PlotPoint operator-(PlotPoint a, PlotPoint b) { return {a.x - b.x, a.y - b.y}; }
PlotPoint operator*(PlotPoint a, double factor) { return {a.x * factor, a.y * factor}; }

// A text of the plot in the language of the interface, its values put in the translated pattern.
std::string translated(const char* pattern, std::initializer_list<std::string_view> values = {}) {
    return i18n::withArguments(i18n::translate(pattern), values);
}

// The largest semi-axis a of any computed station or pair of stations, millimetres.
double largestSemiAxis(const analysis::NetworkPrecision& precision) {
    double largest = 0;
    for (const analysis::StationPrecision& station : precision.stations) {
        if (!station.fixed) largest = std::max(largest, station.ellipse.a);
    }
    for (const analysis::RelativePrecision& pair : precision.relative) largest = std::max(largest, pair.ellipse.a);
    return largest;
}

// Half the width of an ellipse (millimetres) across the page direction `across` (a unit vector, y down).
double ellipseReach(const analysis::ErrorEllipse& ellipse, PlotPoint across) {
    const double phi = ellipse.phiDegrees * std::numbers::pi / 180;
    // The direction in ground terms (north up, east right) against the axes a (along φ) and b (across φ).
    const double north = -across.y, east = across.x;
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

struct Box {
    double left = 0, top = 0, width = 0, height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
    PlotPoint centre() const { return {left + width / 2, top + height / 2}; }
};

// Ground (X north, Y east, metres) to the page: east to the right, north up.
struct MapFrame {
    double scale = 1;  // pixels per metre
    double east0 = 0, north0 = 0;
    PlotPoint origin;
    PlotPoint at(double north, double east) const {
        return {origin.x + (east - east0) * scale, origin.y - (north - north0) * scale};
    }
    PlotPoint at(const analysis::StationPrecision& station) const { return at(station.x, station.y); }
};

// Fits the stations and their magnified ellipses into `map`, keeping the scale the same in both directions.
MapFrame fitFrame(const analysis::NetworkPrecision& precision, double magnification, const Box& map) {
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
    frame.scale = std::min(map.width / eastSpan, map.height / northSpan);
    frame.east0 = (east0 + east1) / 2;
    frame.north0 = (north0 + north1) / 2;
    frame.origin = map.centre();
    return frame;
}

// The plot being drawn: the page, the map's frame and the ellipses' scale.
struct Plot {
    const analysis::NetworkPrecision& precision;
    PlotDrawing& drawing;
    MapFrame frame;
    Box bounds;                // where the labels of the map may go
    double magnification = 0;  // of the ellipses
    double toPage() const { return magnification / millimetresPerMetre * frame.scale; }  // pixels per millimetre

    void line(PlotPoint from, PlotPoint to, const PlotPen& pen) { drawing.shapes.push_back(PlotLine{from, to, pen}); }
    void text(PlotPoint at, std::string text, Colour colour, const PlotFont& font,
              TextAnchor anchor = TextAnchor::start) {
        drawing.shapes.push_back(PlotText{at, std::move(text), colour, font.size, anchor});
    }
    // An ellipse of semi-axes in millimetres, magnified; φ runs clockwise from north, as a turn on the page does.
    void ellipse(PlotPoint at, const analysis::ErrorEllipse& ellipse, const PlotPen& pen) {
        drawing.shapes.push_back(PlotEllipse{at, ellipse.b * toPage(), ellipse.a * toPage(), ellipse.phiDegrees, pen});
    }
    // A label centred in its box beside `at`, its nearest edge `gap` away in the direction `outward` (a unit
    // vector), moved inside the bounds where it would stick out.
    void labelBeside(PlotPoint at, PlotPoint outward, double gap, std::string label, Colour colour) {
        const double width = textWidth(label, labelFont.size) + 2, height = labelFont.height();
        const PlotPoint centre = at + outward * gap + PlotPoint{outward.x * width / 2, outward.y * height / 2};
        Box box{centre.x - width / 2, centre.y - height / 2, width, height};
        box.left = std::clamp(box.left, bounds.left, std::max(bounds.left, bounds.right() - box.width));
        box.top = std::clamp(box.top, bounds.top, std::max(bounds.top, bounds.bottom() - box.height));
        const PlotPoint middle = box.centre();
        text({middle.x, middle.y + (labelFont.ascent() - labelFont.descent()) / 2}, std::move(label), colour,
             labelFont, TextAnchor::middle);
    }
    PlotPoint centroid() const {
        PlotPoint centroid;
        for (const analysis::StationPrecision& station : precision.stations) centroid = centroid + frame.at(station) * 0.25;
        return centroid;
    }
};

// The relative error ellipse of the pair of stations joined by a side, none for the two known stations.
const analysis::RelativePrecision* pairOfSide(const analysis::NetworkPrecision& precision, int side) {
    for (const analysis::RelativePrecision& pair : precision.relative) {
        if (pair.side == side) return &pair;
    }
    return nullptr;
}

void drawSides(Plot& plot) {
    const PlotPoint centroid = plot.centroid();
    for (const analysis::SidePrecision& side : plot.precision.sides) {
        const PlotPoint a = plot.frame.at(plot.precision.stations[static_cast<std::size_t>(side.from)]);
        const PlotPoint b = plot.frame.at(plot.precision.stations[static_cast<std::size_t>(side.to)]);
        const bool diagonal = side.side > 4;
        const bool heavy = side.side == plot.precision.heavySide;
        plot.line(a, b, {diagonal && !heavy ? diagonalColour : lineColour, (heavy ? 2.6 : diagonal ? 0.7 : 1.0) * unit});
        const bool weakest = side.side == plot.precision.weakestSide;
        if (weakest) plot.line(a, b, {weakestColour, 1.8 * unit, true});
        // The side's number beside it: diagonals a third of the way along, clear of their crossing.
        const PlotPoint along = a + (b - a) * (diagonal ? 0.3 : 0.5);
        const PlotPoint direction = b - a;
        const double length = std::hypot(direction.x, direction.y);
        if (length <= 0) continue;
        // Outer sides are labelled outside the network; diagonals on either side.
        PlotPoint normal{-direction.y / length, direction.x / length};
        const PlotPoint fromCentre = along - centroid;
        if (normal.x * fromCentre.x + normal.y * fromCentre.y < 0) normal = normal * -1;
        // An outer side's label clear of the relative ellipse at its middle.
        double gap = 0.4 * labelFont.height();
        const analysis::RelativePrecision* pair = pairOfSide(plot.precision, side.side);
        if (!diagonal && pair) gap = std::max(gap, ellipseReach(pair->ellipse, normal) * plot.toPage() + 0.2 * labelFont.height());
        plot.labelBeside(along, normal, gap, "S" + std::to_string(side.side), weakest ? weakestColour : labelColour);
    }
}

void drawStations(Plot& plot) {
    const PlotPoint centroid = plot.centroid();
    for (const analysis::StationPrecision& station : plot.precision.stations) {
        const PlotPoint at = plot.frame.at(station);
        const bool ellipse = !station.fixed && plot.magnification > 0;
        if (ellipse) plot.ellipse(at, station.ellipse, {ellipseColour, 1.0 * unit});
        if (station.fixed) {
            // A known station: a filled triangle.
            const double size = 4.5 * unit;
            plot.drawing.shapes.push_back(
                PlotPolygon{{at + PlotPoint{0, -size}, at + PlotPoint{size * 0.87, size * 0.5}, at + PlotPoint{-size * 0.87, size * 0.5}},
                            lineColour});
        } else {
            plot.drawing.shapes.push_back(PlotEllipse{at, 2.5 * unit, 2.5 * unit, 0, {lineColour, 0.8 * unit}, true});
        }
        // The name outside the network, away from its centre, clear of the ellipse along the way out.
        PlotPoint outward = at - centroid;
        const double distance = std::hypot(outward.x, outward.y);
        outward = distance > 0 ? outward * (1 / distance) : PlotPoint{0, -1};
        double gap = 0.6 * labelFont.height();
        if (ellipse) gap = std::max(gap, station.ellipse.a * plot.toPage() + 0.2 * labelFont.height());
        plot.labelBeside(at, outward, gap, station.name, lineColour);
    }
}

// The relative error ellipse of every pair of stations at the middle of its line, at the scale of the station
// ellipses, with a small cross at the middle; a pair fixed by the data in both length and azimuth has none.
void drawRelativeEllipses(Plot& plot) {
    const double cross = 2 * unit;
    for (const analysis::RelativePrecision& pair : plot.precision.relative) {
        if (!(pair.ellipse.a > 0)) continue;
        const PlotPoint middle = (plot.frame.at(plot.precision.stations[static_cast<std::size_t>(pair.from)]) +
                                  plot.frame.at(plot.precision.stations[static_cast<std::size_t>(pair.to)])) *
                                 0.5;
        plot.ellipse(middle, pair.ellipse, {relativeColour, 0.9 * unit});
        const PlotPen thin{relativeColour, 0.6 * unit};
        plot.line(middle - PlotPoint{cross, 0}, middle + PlotPoint{cross, 0}, thin);
        plot.line(middle - PlotPoint{0, cross}, middle + PlotPoint{0, cross}, thin);
    }
}

// A bar of `length` pixels from `start` with end ticks and the two labels below its ends, or only the length
// behind it (`labelBehind`) for a bar too short to carry two.
void drawBar(Plot& plot, PlotPoint start, double length, const std::string& endLabel, Colour colour,
             bool labelBehind = false) {
    const double tick = 3 * unit;
    const PlotPen pen{colour, 1.2 * unit};
    plot.line(start, start + PlotPoint{length, 0}, pen);
    plot.line(start + PlotPoint{0, -tick}, start + PlotPoint{0, tick}, pen);
    plot.line(start + PlotPoint{length, -tick}, start + PlotPoint{length, tick}, pen);
    plot.line(start + PlotPoint{length / 2, -tick / 2}, start + PlotPoint{length / 2, tick / 2}, pen);
    if (labelBehind) {
        const double baseline = (labelFont.ascent() - labelFont.descent()) / 2;
        plot.text(start + PlotPoint{length + labelFont.height() / 2, baseline}, endLabel, colour, labelFont);
        return;
    }
    plot.text(start + PlotPoint{0, tick + labelFont.ascent()}, "0", colour, labelFont, TextAnchor::middle);
    plot.text(start + PlotPoint{length, tick + labelFont.ascent()}, endLabel, colour, labelFont, TextAnchor::middle);
}

void drawNorthArrow(Plot& plot, PlotPoint foot, double height) {
    const PlotPoint tip = foot + PlotPoint{0, -height};
    plot.line(foot, tip, {lineColour, 1.2 * unit});
    plot.drawing.shapes.push_back(
        PlotPolygon{{tip, tip + PlotPoint{-3.5 * unit, 9 * unit}, tip + PlotPoint{3.5 * unit, 9 * unit}}, lineColour});
    plot.text(tip + PlotPoint{0, -labelFont.descent() - unit}, translated("北"), lineColour, labelFont, TextAnchor::middle);
}

// The title, the figures the plot is drawn with and the weakest side, centred above the map; returns the top of
// the line below them.
double drawHeading(Plot& plot, const Box& area) {
    const double centre = area.left + area.width / 2;
    plot.text({centre, area.top + titleFont.ascent()}, translated(plotTitle), lineColour, titleFont, TextAnchor::middle);
    const std::string sigma = roundedFixed(plot.precision.sigma, 2);
    const std::string magnification = lengthText(plot.magnification);
    const double subtitleTop = area.top + titleFont.lineSpacing();
    plot.text({centre, subtitleTop + labelFont.ascent()},
              plot.magnification > 0 ? translated("测角中误差 σ = %1″，误差椭圆放大 %2 倍", {sigma, magnification})
                                     : translated("测角中误差 σ = %1″", {sigma}),
              lineColour, labelFont, TextAnchor::middle);
    if (plot.precision.weakestSide > 0) {
        const analysis::SidePrecision& weakest = plot.precision.sides[static_cast<std::size_t>(plot.precision.weakestSide - 1)];
        plot.text({centre, subtitleTop + labelFont.lineSpacing() + labelFont.ascent()},
                  translated("最弱边（红色虚线）：%1  %2",
                             {sideText(plot.precision, weakest.side), sideRelativeErrorText(plot.precision, weakest)}),
                  weakestColour, labelFont, TextAnchor::middle);
    }
    return subtitleTop + 2 * labelFont.lineSpacing();
}

// The legend below the map: the scale bar in metres, the ellipse scale in millimetres, the relative ellipses, the
// north arrow.
void drawLegend(Plot& plot, const Box& area, double mapWidth) {
    const double legendHeight = 5 * labelFont.lineSpacing();
    const double legendTop = area.bottom() - legendHeight;
    const double barY = legendTop + 2 * labelFont.lineSpacing();
    plot.text({area.left, legendTop + labelFont.ascent()}, translated("比例尺"), lineColour, labelFont);
    const double metres = roundLengthBelow(scaleBarShare * mapWidth / plot.frame.scale);
    drawBar(plot, {area.left + labelFont.height(), barY}, metres * plot.frame.scale,
            translated("%1 米", {lengthText(metres)}), lineColour);
    if (plot.magnification > 0) {
        const double millimetres = roundLengthBelow(largestSemiAxis(plot.precision));
        const double x = area.left + area.width * 0.45;
        plot.text({x, legendTop + labelFont.ascent()},
                  translated("误差椭圆比例（放大 %1 倍）", {lengthText(plot.magnification)}), ellipseColour, labelFont);
        drawBar(plot, {x + labelFont.height(), barY}, millimetres * plot.toPage(), lengthText(millimetres) + " mm",
                ellipseColour, true);
        // The relative ellipses: a sample and what it stands for, on the line below the scales.
        const double sampleY = legendTop + 4 * labelFont.lineSpacing() + (labelFont.ascent() - labelFont.descent()) / 2;
        plot.drawing.shapes.push_back(PlotEllipse{{area.left + 1.5 * labelFont.height(), sampleY}, labelFont.height(),
                                                  labelFont.height() / 2.5, 0, {relativeColour, 0.9 * unit}});
        plot.text({area.left + 3 * labelFont.height(), legendTop + 4 * labelFont.lineSpacing() + labelFont.ascent()},
                  translated("点间相对误差椭圆（绘于两点连线中点，比例同上）"), relativeColour, labelFont);
    }
    drawNorthArrow(plot, {area.right() - 2 * labelFont.height(), area.bottom() - labelFont.height()},
                   legendHeight - 2 * labelFont.height());
}

}  // namespace

std::string lengthText(double value) {
    std::string text = numberChars::fixed(value, 8);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

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

PlotDrawing networkPlotDrawing(const analysis::NetworkPrecision& precision, double width, double height) {
    PlotDrawing drawing{width, height, translated(plotTitle), {}};
    Plot plot{precision, drawing, {}, {}, ellipseMagnification(precision)};
    const Box area{margin, margin, width - 2 * margin, height - 2 * margin};
    const double headingBottom = drawHeading(plot, area);

    // The map between the heading and the legend, with room for the names round it.
    double nameWidth = 0;
    for (const analysis::StationPrecision& station : precision.stations) {
        nameWidth = std::max(nameWidth, textWidth(station.name, labelFont.size));
    }
    const double side = nameWidth + 2 * labelFont.height();
    const double top = headingBottom + 2 * labelFont.height();
    const Box map{area.left + side, top, area.width - 2 * side,
                  area.bottom() - 5 * labelFont.lineSpacing() - 2 * labelFont.height() - top};
    if (map.width <= 0 || map.height <= 0) return drawing;
    plot.frame = fitFrame(precision, plot.magnification, map);
    plot.bounds = {area.left, top - 2 * labelFont.height(), area.width, map.height + 4 * labelFont.height()};
    drawSides(plot);
    if (plot.magnification > 0) drawRelativeEllipses(plot);
    drawStations(plot);
    drawLegend(plot, area, map.width);
    return drawing;
}

std::string networkPlotSvg(const analysis::NetworkPrecision& precision) {
    return svgDocument(networkPlotDrawing(precision));
}

}  // namespace morvalen::report
