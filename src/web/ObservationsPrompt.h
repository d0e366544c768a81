// The values of the page's table by the keys of a campaign file's header.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "entry/Observations.h"

namespace morvalen::web {

// The key of a value in the table and in a campaign file's header: xa, …, start_side_number, Ta, Qa, name_A, …, b8.
std::string_view keyOf(EnteredValue value);

// The values of a table's JSON object; a key that is absent is an empty cell, a key of no value is refused.
Observations observationsOf(const nlohmann::ordered_json& table);


}  // namespace morvalen::web
