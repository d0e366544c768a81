// The report of one computation as data: a run of print lines, each a list of tab stops, texts and font sizes.
//
// The same lines feed every rendering (the printer, the PDF, the terminal and the JSON document), so that the
// columns, texts, patterns and roundings of the report are decided here once and nowhere else.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "entry/SurveyState.h"

namespace morvalen::report {

// Moves the print position to column `column` (counted from 1 at the left edge of the printing area), or to that
// column of the next line when the position is already past it.
struct TabStop {
    int column = 1;
    bool operator==(const TabStop&) const = default;
};

// A piece of text, printed right behind whatever stands before it.
struct Text {
    std::string text;
    bool operator==(const Text&) const = default;
};

// Sets the font size in points for everything after it; a line takes its height from the size in force when it
// ends, and a column is as wide as the digit 0 of the size in force.
struct FontSize {
    int points = 10;
    bool operator==(const FontSize&) const = default;
};

using Item = std::variant<TabStop, Text, FontSize>;
using Line = std::vector<Item>;
// The lines of several documents printed as one, each beginning on a page of its own (the report, then the page of
// its checks).
using Pages = std::vector<std::vector<Line>>;

// The heading is printed in 12 points, everything below it in 10 points.
inline constexpr int headingPoints = 12;
inline constexpr int bodyPoints = 10;

// The lines of the report of the computation the survey state holds, in the three cases decided from xb and yb:
// known side (heading S(ab), the line of B), external azimuth (heading with the start side 1..6, Ta, Qa and the
// start side length) and mixed (neither). Reads the state and changes nothing in it; the adjusted angles are packed
// to dd.mmss on copies. Expects the arrays of a run: angles 1..8, closures 1..4, names and coordinates
// 0..unknownPointCount + 1 (throws std::out_of_range for a state whose arrays are shorter).
std::vector<Line> reportLines(const SurveyState& state);

// A report is printed only from a computation that ran to its end, never from one that stopped or from a mix of
// two computations.
bool printingAllowed(const SurveyState& state);

// Why nothing is printed when printingAllowed is false.
inline constexpr std::string_view nothingToPrint =
    "没有可打印的报表：还没有完成的计算，或最近一次计算已中止。请先完成一次计算再打印。";

}  // namespace morvalen::report
