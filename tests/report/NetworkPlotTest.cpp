// The plot's drawing and its SVG without Qt: the widths texts are placed by, the escaping of names, and the shapes
// of a computed network.
#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/NetworkPrecision.h"
#include "report/NetworkPlot.h"
#include "support/CompletedComputation.h"

namespace morvalen::report {
namespace {

TEST(NetworkPlot, TextWidthsAsTheReportsFontSetsThem) {
    const std::pair<const char*, double> cases[] = {{"P1", 12}, {"北山", 20}, {"σ = 2″", 36}, {"", 0}};
    for (const auto& [text, width] : cases) EXPECT_DOUBLE_EQ(textWidth(text, 10), width) << text;
}

TEST(NetworkPlot, SvgEscapesWhatXmlReserves) {
    PlotDrawing drawing{100, 50, "A & B", {PlotText{{1, 2}, "<P1 \"&\" 'x'>", {}, 10}}};
    const std::string svg = svgDocument(drawing);
    EXPECT_NE(svg.find("<title>A &amp; B</title>"), std::string::npos);
    EXPECT_NE(svg.find(">&lt;P1 &quot;&amp;&quot; &apos;x&apos;&gt;</text>"), std::string::npos) << svg;
}

TEST(NetworkPlot, DrawingOfTheWorkedExample) {
    const auto precision = analysis::analysePrecision(testing::computeKnownSideRun(testing::workedAngles), 2.5);
    ASSERT_TRUE(precision);
    const PlotDrawing drawing = networkPlotDrawing(*precision);
    std::vector<std::string> texts;
    int relative = 0;
    for (const PlotShape& shape : drawing.shapes) {
        if (const auto* text = std::get_if<PlotText>(&shape)) texts.push_back(text->text);
        if (const auto* ellipse = std::get_if<PlotEllipse>(&shape)) relative += ellipse->pen.colour.green == 140;
    }
    for (const char* expected : {"A", "P1", "P2", "B", "S1", "S6", "网图与点位误差椭圆", "北", "比例尺"}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
    }
    // The five pairs but A-B, and the legend's sample.
    EXPECT_EQ(relative, 6);
    // A page too small for the map keeps its heading and draws no station.
    EXPECT_EQ(networkPlotDrawing(*precision, 120, 120).shapes.size(), 3u);
}

}  // namespace
}  // namespace morvalen::report
