// The values of one data set as columns, defined once for the window's table, the page's table and observation
// files: the key of each (the column of a file, the name of a cell), their order (the order of the prompts), which
// case asks each, the caption of its cell and the labels of the window's diagrams that show its station, side or
// angle.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "form/Controls.h"

namespace morvalen::form {

// Which case asks a value: every case, or only the azimuth case (the start side, Ta, Qa and P3).
enum class CaseNeed { everyCase, azimuthOnly };

// Where a value belongs in the diagrams: fixed labels, or the side S(n) that the start side number names.
enum class DiagramPlace { labels, startSide };

struct ObservationColumn {
    std::string_view key;      // xa, start_side_number, name_P1, b3
    const char* caption;       // Chinese, translated as a caption where shown
    const char* group;         // the heading the cell stands under, Chinese
    CaseNeed need;
    DiagramPlace place;
    // The labels lit for the value (the first diagram's and, for A and P3, the second's), numbers of Labeln, 0 where
    // there is none; the closing station is B in the known-side case and A in the azimuth case.
    std::array<int, 3> knownSideLabels;
    std::array<int, 3> azimuthLabels;
};

// The 21 values in the order the dialogue asks them, the order of EnteredValue.
inline constexpr std::size_t observationColumnCount = 21;
const std::array<ObservationColumn, observationColumnCount>& observationColumns();

// The side labels S(1)..S(6) of the first diagram, lit for the start side number n in 1..6.
Control sideLabel(int n);

// The labels of the diagrams that show a column's value; `azimuthCase` is the case of the data set, `startSide` the
// start side number where it reads as a whole number 1..6.
std::vector<Control> diagramLabels(const ObservationColumn& column, bool azimuthCase, std::optional<int> startSide);

}  // namespace morvalen::form
