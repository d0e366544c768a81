// Placing the items of the report lines on a medium: the tab-stop rule every rendering shares.
//
// A tab stop moves the print position to column n, or to column n of the next row when the position is already past
// it; texts follow one another with nothing between them. Columns are counted from 1 at the left edge of the
// printing area, in units of a column width that the medium gives for each font size: a terminal cell for the text
// rendering, the advance of the digit 0 for the painter.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/ReportModel.h"

namespace morvalen::report {

// Widths on one medium, in its own unit (terminal cells, device pixels).
class Measure {
public:
    virtual ~Measure() = default;
    virtual double columnWidth(int fontPoints) const = 0;
    virtual double textWidth(std::string_view text, int fontPoints) const = 0;
};

// A text at its place in a row: `x` from the left edge of the printing area, in the unit of the medium.
struct PlacedText {
    double x = 0;
    int fontPoints = bodyPoints;
    std::string text;
    bool operator==(const PlacedText&) const = default;
};

// One printed row. A report line gives one row, and one more for each tab stop that finds the position already
// past its column. `fontPoints` is the size in force when the row ends: the row is as high as that font's line.
struct Row {
    int fontPoints = bodyPoints;
    std::vector<PlacedText> texts;
    bool operator==(const Row&) const = default;
};

// The rows of the report lines on a medium, starting in the font size `startPoints`. Empty texts are left out.
std::vector<Row> layOut(const std::vector<Line>& lines, const Measure& measure, int startPoints = headingPoints);

}  // namespace morvalen::report
