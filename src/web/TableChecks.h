// The checks of the page's table: the case its values make, and the problem of each cell.
//
// A cell's problem is the one the window's observation table shows (ObservationChecks): a value that does not read
// as a number, dd.mmss with 60 or more minutes or seconds, an angle outside 0° to 180°, a start side number that is
// not a whole number from 1 to 6, a start side length that is not positive, a cell the case needs left empty.
#pragma once

#include <nlohmann/json.hpp>

#include "entry/Observations.h"

namespace morvalen::web {

// {"case": "known-side" | "azimuth" | "mixed", "problems": {key: message, or null, for every value of the table},
//  "lit": {key: [the diagram's labels that show the value]}}.
nlohmann::ordered_json tableChecks(const Observations& observations);

}  // namespace morvalen::web
