// A survey state as the adjustment leaves it, for the coordinate computations.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "entry/SurveyState.h"
#include "support/RandomQuadrilateral.h"
#include "support/WorkedExamples.h"

namespace morvalen::testing {

// The quadrilateral A (1000, 1000), P1 (1130, 985), P2 (1150, 1140), station 4 (1010, 1175).
inline const std::array<Station, 4> workedStations = {
    Station{1000, 1000}, Station{1130, 985}, Station{1150, 1140}, Station{1010, 1175}};

inline SurveyState adjustedState(const std::vector<double>& anglesInDegrees, std::vector<std::string> names) {
    SurveyState state;
    prepareState(state);
    for (int k = 1; k <= 8; ++k) {
        state.adjustedAngles[static_cast<std::size_t>(k)] =
            EntryValue::number(anglesInDegrees[static_cast<std::size_t>(k - 1)]);
    }
    state.unknownPointCount = static_cast<std::int16_t>(names.size() - 2);
    state.pointNames = std::move(names);
    return state;
}

inline double distance(Station a, Station b) { return std::hypot(a.x - b.x, a.y - b.y); }

inline std::string digits(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.12f", value);
    return buffer;
}

}  // namespace morvalen::testing
