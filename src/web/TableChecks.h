// The checks of the page's table: the case its values make, and the problem of each cell.
#pragma once

#include <nlohmann/json.hpp>

#include "entry/Observations.h"

namespace morvalen::web {

// {"case": "known_side" | "azimuth" | "mixed", "problems": {key: message or null for every value of the table}}.
// A cell's problem is the stop the dialogue makes right after that value is typed; a value the case does not ask
// has none.
nlohmann::ordered_json tableChecks(const Observations& observations);

}  // namespace morvalen::web
