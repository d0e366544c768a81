// The rigorous adjustment of a run: the σ asked for, and its part of the JSON document.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>

#include "fieldbook/DirectionReduction.h"
#include "rigorous/RigorousNetwork.h"

namespace morvalen::document {

struct RigorousOptions {
    bool asked = false;
    std::optional<double> directionSigmaSeconds;  // none: the σ of the instrument class of the limits' row
    std::string distanceSigma = "2,2";             // "a,b": a mm + b ppm
};

// The a priori σ of a direction as a positive number of seconds of arc; none otherwise.
std::optional<double> directionSigmaOf(const std::string& text);

// "a,b" as two non-negative numbers (millimetres, ppm), not both zero; none otherwise.
std::optional<std::pair<double, double>> distanceSigmaOf(const std::string& text);

// The a priori σ the options give, the σ of a direction by default from the instrument class of the book's limits.
rigorous::ObservationSigmas observationSigmasOf(const RigorousOptions& options, const fieldbook::FieldBookReduction& reduction);

// "rigorous" of the JSON document: {"stations": [{"name", "x", "y", "sx_mm", "sy_mm", "fixed"}], "sigma0", "dof",
// "global_test", "observations": [{"kind", "station", "target", "round", "residual", "redundancy", "w"}],
// "differences_mm": [{"name", "dx", "dy"}]}; null where none was computed. "global_test" is true when vᵀPv stays
// within the 95 % quantile of χ², null (as "sigma0") without redundancy; a residual is in seconds of arc for
// a direction and in millimetres for a distance; "w" is null where the redundancy is nil.
nlohmann::ordered_json rigorousJson(const std::optional<rigorous::RigorousRun>& run);

}  // namespace morvalen::document
