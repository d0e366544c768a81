#include "report/BothEllipsesDrawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "form/FieldText.h"
#include "i18n/Language.h"
#include "report/NetworkPlot.h"

namespace morvalen::report {
namespace {

using i18n::translate;
using i18n::withArguments;

constexpr double millimetresPerMetre = 1000;
constexpr double largestEllipseShare = 0.1;  // of the network's extent, for the largest semi-axis
constexpr double unit = plotPixelsPerPoint;
constexpr PlotFont titleFont = plotTitleFont;
constexpr PlotFont labelFont = plotLabelFont;
constexpr Colour lineColour{0, 0, 0};
constexpr Colour sideColour{110, 110, 110};

// One station as plotted: at its rigorous coordinates (metres), with its two ellipses (millimetres), none where held.
struct Station {
    std::string name;
    double x = 0, y = 0;
    bool held = false;
    std::optional<analysis::ErrorEllipse> classical, rigorous;

    double largestSemiAxis() const {
        return std::max(classical ? classical->a : 0.0, rigorous ? rigorous->a : 0.0);
    }
};

std::array<Station, 4> stationsOf(const rigorous::RigorousRun& run, const analysis::NetworkPrecision* classical) {
    std::array<Station, 4> stations;
    for (std::size_t i = 0; i < stations.size(); ++i) {
        const rigorous::AdjustedStation& adjusted = run.adjustment.stations[i];
        stations[i] = {adjusted.name, adjusted.x, adjusted.y, adjusted.fixed, std::nullopt, std::nullopt};
        if (classical && !classical->stations[i].fixed) stations[i].classical = classical->stations[i].ellipse;
        if (!adjusted.fixed) stations[i].rigorous = adjusted.ellipse;
    }
    return stations;
}

// Ground (X north, Y east, metres) to the page: east to the right, north up, about the middle of the stations.
struct MapFrame {
    double scale = 1;  // pixels per metre
    double north0 = 0, east0 = 0;
    PlotPoint centre;
    PlotPoint at(const Station& station) const {
        return {centre.x + (station.y - east0) * scale, centre.y - (station.x - north0) * scale};
    }
};

// Fits the stations with their magnified ellipses into the box, the same scale both ways.
MapFrame fitFrame(const std::array<Station, 4>& stations, double magnification, double left, double top, double width,
                  double height) {
    double north0 = HUGE_VAL, north1 = -HUGE_VAL, east0 = HUGE_VAL, east1 = -HUGE_VAL;
    for (const Station& station : stations) {
        const double reach = station.largestSemiAxis() * magnification / millimetresPerMetre;
        north0 = std::min(north0, station.x - reach), north1 = std::max(north1, station.x + reach);
        east0 = std::min(east0, station.y - reach), east1 = std::max(east1, station.y + reach);
    }
    const double scale = std::min(width / std::max(east1 - east0, 1e-3), height / std::max(north1 - north0, 1e-3));
    return {scale, (north0 + north1) / 2, (east0 + east1) / 2, {left + width / 2, top + height / 2}};
}

void text(PlotDrawing& drawing, PlotPoint at, std::string line, Colour colour, const PlotFont& font,
          TextAnchor anchor = TextAnchor::start) {
    drawing.shapes.push_back(PlotText{at, std::move(line), colour, font.size, anchor});
}

// The station marks, their names outside the network, then both ellipses over the marks, so that a small rigorous
// ellipse stays visible round its mark.
void drawStations(PlotDrawing& drawing, const std::array<Station, 4>& stations, const MapFrame& frame,
                  double pixelsPerMillimetre) {
    PlotPoint centroid;
    for (const Station& station : stations) centroid = {centroid.x + frame.at(station).x / 4, centroid.y + frame.at(station).y / 4};
    for (const Station& station : stations) {
        const PlotPoint at = frame.at(station);
        if (station.held) {
            const double size = 4.5 * unit;
            drawing.shapes.push_back(PlotPolygon{
                {{at.x, at.y - size}, {at.x + size * 0.87, at.y + size * 0.5}, {at.x - size * 0.87, at.y + size * 0.5}},
                lineColour});
        } else {
            drawing.shapes.push_back(PlotEllipse{at, 2.5 * unit, 2.5 * unit, 0, {lineColour, 0.8 * unit}, true});
        }
        const double dx = at.x - centroid.x, dy = at.y - centroid.y, distance = std::hypot(dx, dy);
        const PlotPoint outward = distance > 0 ? PlotPoint{dx / distance, dy / distance} : PlotPoint{0, -1};
        const double gap = std::max(0.8 * labelFont.height(), station.largestSemiAxis() * pixelsPerMillimetre) +
                           textWidth(station.name, labelFont.size) / 2 * std::abs(outward.x) + labelFont.height() / 2;
        text(drawing, {at.x + outward.x * gap, at.y + outward.y * gap + (labelFont.ascent() - labelFont.descent()) / 2},
             station.name, lineColour, labelFont, TextAnchor::middle);
    }
    const auto ellipse = [&](PlotPoint at, const analysis::ErrorEllipse& shape, Colour colour) {
        drawing.shapes.push_back(PlotEllipse{at, shape.b * pixelsPerMillimetre, shape.a * pixelsPerMillimetre,
                                             shape.phiDegrees, {colour, 1.5 * unit}});
    };
    for (const Station& station : stations) {
        if (station.classical) ellipse(frame.at(station), *station.classical, classicalEllipseColour);
        if (station.rigorous) ellipse(frame.at(station), *station.rigorous, rigorousEllipseColour);
    }
}

// The legend's lines from `top`: a sample of each set's pen and what the set is, then the magnification.
void drawLegend(PlotDrawing& drawing, double left, double top, const analysis::NetworkPrecision* classical,
                double magnification) {
    const double line = labelFont.lineSpacing();
    double baseline = top + labelFont.ascent();
    const auto entry = [&](Colour colour, std::string meaning) {
        const double middle = baseline - (labelFont.ascent() - labelFont.descent()) / 2;
        drawing.shapes.push_back(PlotLine{{left, middle}, {left + 2 * labelFont.height(), middle}, {colour, 1.5 * unit}});
        text(drawing, {left + 3 * labelFont.height(), baseline}, std::move(meaning), lineColour, labelFont);
        baseline += line;
    };
    if (classical) {
        entry(classicalEllipseColour,
              withArguments(translate("经典平差：八个角，测角中误差 σ = %1″"), {roundedFixed(classical->sigma, 2)}));
    }
    entry(rigorousEllipseColour, translate("严密平差：方向与距离，σ0·√Qxx"));
    text(drawing, {left, baseline},
         magnification > 0 ? withArguments(translate("误差椭圆放大 %1 倍"), {lengthText(magnification)})
                           : std::string(translate("没有误差椭圆")),
         lineColour, labelFont);
}

}  // namespace

double bothEllipsesMagnification(const rigorous::RigorousRun& run, const analysis::NetworkPrecision* classical) {
    const std::array<Station, 4> stations = stationsOf(run, classical);
    double largest = 0, north0 = HUGE_VAL, north1 = -HUGE_VAL, east0 = HUGE_VAL, east1 = -HUGE_VAL;
    for (const Station& station : stations) {
        largest = std::max(largest, station.largestSemiAxis());
        north0 = std::min(north0, station.x), north1 = std::max(north1, station.x);
        east0 = std::min(east0, station.y), east1 = std::max(east1, station.y);
    }
    if (!(largest > 0)) return 0;
    const double extent = std::max(north1 - north0, east1 - east0);
    return roundLengthBelow(largestEllipseShare * extent * millimetresPerMetre / largest);
}

PlotDrawing bothEllipsesDrawing(const rigorous::RigorousRun& run, const analysis::NetworkPrecision* classical,
                                double width, double height) {
    PlotDrawing drawing{width, height, translate(classical ? bothEllipsesTitle : rigorousEllipsesTitle), {}};
    const std::array<Station, 4> stations = stationsOf(run, classical);
    const double magnification = bothEllipsesMagnification(run, classical);
    const double left = plotMargin, right = width - plotMargin, bottom = height - plotMargin;
    text(drawing, {width / 2, plotMargin + titleFont.ascent()}, drawing.title, lineColour, titleFont, TextAnchor::middle);
    const double legendTop = bottom - 3 * labelFont.lineSpacing();
    drawLegend(drawing, left, legendTop, classical, magnification);

    // The map between the heading and the legend, with room for the names round it.
    double nameWidth = 0;
    for (const Station& station : stations) nameWidth = std::max(nameWidth, textWidth(station.name, labelFont.size));
    const double side = nameWidth + 2 * labelFont.height();
    const double top = plotMargin + titleFont.lineSpacing() + 2 * labelFont.height();
    const double mapWidth = right - left - 2 * side, mapHeight = legendTop - 2 * labelFont.height() - top;
    if (mapWidth <= 0 || mapHeight <= 0) return drawing;
    const MapFrame frame = fitFrame(stations, magnification, left + side, top, mapWidth, mapHeight);
    for (const auto& [from, to] : analysis::sideStations) {
        drawing.shapes.push_back(PlotLine{frame.at(stations[static_cast<std::size_t>(from)]),
                                          frame.at(stations[static_cast<std::size_t>(to)]), {sideColour, 1.0 * unit}});
    }
    drawStations(drawing, stations, frame, magnification / millimetresPerMetre * frame.scale);
    return drawing;
}

}  // namespace morvalen::report
