// The rigorous adjustment of a field book on the page, beside the classical adjustment of the angles it gives.
#pragma once

#include <nlohmann/json.hpp>

namespace morvalen::web {

// {"call": "rigorous", "path": the field book, "observations": the table, "grade", "sigma_direction": seconds of arc,
//  "distance_sigma_mm", "distance_sigma_ppm"}: the book reduced for the stations the table names (its angles
// replace the table's), the classical run of those angles and the rigorous adjustment of the book's directions and
// distances: {"sigma0" (null without redundancy), "dof", "global_test" (true, false or null), "listing": the section
// as the terminal lists it (σ0 and the global test, the stations with their σ and ellipses, the differences from the
// classical result, every observation with its residual, redundancy number and w-test), "plot_svg": both sets of
// station ellipses as the checks window and the PDF draw them (the rigorous set alone without a grade)}, or
// {"problem"}.
nlohmann::ordered_json rigorousAdjustment(const nlohmann::ordered_json& request);

}  // namespace morvalen::web
