// The checks of the page's table: the case its values make, and the problem of each cell.
//
// A cell's problem is the stop the dialogue of 计 算 makes right after that value is typed (a start side number or
// an angle that does not read as a number), as the entry sequence decides it. This is the seam where the checks
// of the window's table (minutes and seconds below 60, angles between 0° and 180°, cells the case needs) join.
#pragma once

#include <nlohmann/json.hpp>

#include "entry/Observations.h"

namespace morvalen::web {

// {"case": "known-side" | "azimuth" | "mixed", "problems": {key: message, or null, for every value of the table}}.
nlohmann::ordered_json tableChecks(const Observations& observations);

}  // namespace morvalen::web
