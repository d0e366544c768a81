// The results of a completed computation as tables for the exports: the stations with their coordinates, and the
// observed and adjusted angles with the closures and precision figures.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/NetworkPrecision.h"
#include "entry/SurveyState.h"

namespace morvalen::files {

// One station of the quadrilateral with the coordinates of the result table.
struct Station {
    std::string name;       // as entered
    double x = 0, y = 0;    // metres: northing X and easting Y, the values of the shown texts
    std::string xText, yText;  // three decimals, as the window's table shows them (without the leading blank)
};

// The four stations in the order of the diagram: A, P1, P2, then B (as computed from A through the network) or P3.
// The azimuth case's return to A (row 4 of the window's table) closes the traverse and is no station of its own.
// A is shown as entered, the others as computed, rounded to three decimals exactly as the window's table rounds.
std::vector<Station> stations(const SurveyState& state);

// The pairs of stations joined in the drawing, by index into stations(): the four outer sides S(1)..S(4), then the
// diagonals S(5) (P1 to station 4) and S(6) (A to P2).
struct StationPair {
    int from, to;
};
inline constexpr StationPair outerSides[] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}};
inline constexpr StationPair diagonals[] = {{1, 3}, {0, 2}};

// A cell of an exported table: its text, and its number where it is one (the number of the text as shown, so that a
// spreadsheet shows the same digits as the window).
struct Cell {
    std::string text;
    std::optional<double> number;
    std::string numberFormat;  // how a spreadsheet shows the number: "0.000", "0.00000", ...
};

// A table of an export (its own name: the campaign file's CsvTable is another type, and two types of one name in one
// namespace are one type to the linker).
struct ResultSheet {
    std::vector<std::string> headings;  // the column keys of a CSV file
    std::vector<std::string> captions;  // the headings a spreadsheet shows, with units; empty: the headings
    std::vector<std::vector<Cell>> rows;
};

// The result table: name, X, Y for each station, and with the precision of the stations mx, my, mp in millimetres
// (two decimals; empty for a fixed station). Further columns are added here and nowhere else: the CSV and XLSX
// exports write whatever columns this table has.
ResultSheet resultTable(const SurveyState& state, const analysis::NetworkPrecision* precision = nullptr);

// The angles b(1)..b(8), observed (as the window echoes them) and adjusted (as the report prints them), in dd.mmss.
ResultSheet adjustmentTable(const SurveyState& state);

// The precision between stations, one row per pair of stations of `precision.relative`: the names of both, the
// distance (m, three decimals), σD (mm), 1/T (its number behind "1/", or 固定 for a length fixed by the data), σα
// (seconds) and the relative ellipse a, b (mm, two decimals) and φ (degrees, one decimal), as the page shows them.
ResultSheet relativePrecisionTable(const analysis::NetworkPrecision& precision);

// The closures w1, w2, wa, wb and the precision figures mb, 1/Plgs, mlogs, 1/m as the window shows them, with units.
ResultSheet precisionTable(const SurveyState& state);

}  // namespace morvalen::files
