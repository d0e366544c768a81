// The rigorous adjustment in the terminal: --rigorous with --field-book, its σ options, its listing and its JSON.
#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "fieldbook/DirectionReduction.h"
#include "rigorous/RigorousNetwork.h"

namespace morvalen::cli {

struct RigorousOptions {
    bool asked = false;
    std::optional<double> directionSigmaSeconds;  // none: the σ of the instrument class of the limits' row
    std::string distanceSigma = "2,2";             // "a,b": a mm + b ppm
};

// --rigorous (needs `fieldBook`), --sigma-direction SEC and --distance-sigma A,B.
void addRigorousOptions(CLI::App& app, RigorousOptions& options, CLI::Option* fieldBook);

// The a priori σ the options give, the σ of a direction by default from the instrument class of the book's limits.
rigorous::ObservationSigmas observationSigmasOf(const RigorousOptions& options, const fieldbook::FieldBookReduction& reduction);

// The rigorous adjustment of a completed run from the field book that gave its angles. None, with the reason on
// stderr, where it cannot be carried out (the run stopped, the mixed case, a network the observations cannot fix).
std::optional<rigorous::RigorousRun> rigorousOf(const RigorousOptions& options, const SurveyState& state,
                                                const fieldbook::FieldBookReduction* reduction);

// "rigorous" of the JSON document: {"stations": [{"name", "x", "y", "sx_mm", "sy_mm", "fixed"}], "sigma0", "dof",
// "global_test", "observations": [{"kind", "station", "target", "round", "residual", "redundancy", "w"}],
// "differences_mm": [{"name", "dx", "dy"}]}; null where none was computed. "global_test" is true when vᵀPv stays
// within the 95 % quantile of χ², null (as "sigma0") without redundancy; a residual is in seconds of arc for
// a direction and in millimetres for a distance; "w" is null where the redundancy is nil.
nlohmann::ordered_json rigorousJson(const std::optional<rigorous::RigorousRun>& run);

}  // namespace morvalen::cli
