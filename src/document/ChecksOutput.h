// The checks as every front end writes them: the standard asked for, the section after the report and the JSON
// object.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>

#include "analysis/Checks.h"
#include "analysis/NetworkPrecision.h"
#include "entry/SurveyState.h"

namespace morvalen::document {

// --grade NAME or --sigma S; neither: no checks, and every output stays as it is without them.
struct CheckOptions {
    std::string gradeName;
    double sigmaSeconds = 0;

    std::optional<analysis::CheckStandard> standard() const;
};

// The grade of a --grade value: its Chinese name in either language, its English name in English; null for none.
const analysis::Grade* gradeNamed(const std::string& text);

// The grade as --grade names it in the language of the interface: its Chinese name, or its English with hyphens for
// the blanks ("fourth-order", "national-first-order").
std::string gradeOptionName(const analysis::Grade& grade);

// "checks": null when no computation ran to its end, otherwise {"standard", "grade", "sigma", "triangles", "pole",
// "mb", "ferrero", "weakest_side", "angles", "suspects", "pass"}.
nlohmann::ordered_json checksJson(const std::optional<analysis::Checks>& checks);

// "precision": null when no computation with coordinates ran to its end, otherwise {"sigma", "points": [{"row",
// "name", "mx_mm", "my_mm", "mp_mm", "a_mm", "b_mm", "phi_deg"}], "sides": [{"side", "length",
// "relative_error_denominator" (null for a fixed length), "azimuth_error"} × 6], "relative": [{"from", "to" (rows of
// the table, from < to), "names" ([from, to]), "distance_m", "sigma_distance_mm", "relative_error_denominator" (null
// for a fixed length), "sigma_azimuth_sec", "a_mm", "b_mm", "phi_deg"} for every pair of stations but the two fixed
// ones]}.
nlohmann::ordered_json precisionJson(const std::optional<analysis::NetworkPrecision>& precision);

// "== 检核 ==" and the page of the checks with the precision of the stations as text at its columns, or why there
// is nothing to check.
void printChecksText(const SurveyState& state, const std::optional<analysis::Checks>& checks,
                     const std::optional<analysis::NetworkPrecision>& precision, std::ostream& out);

}  // namespace morvalen::document
