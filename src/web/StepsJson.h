// The tables of the steps as the page lays them out.
#pragma once

#include <nlohmann/json.hpp>

#include "report/StepsTables.h"

namespace morvalen::web {

// {"title", "sections": [{"heading", "tables": [{"title", "heads", "alignments", "rows", "notes"}]}], "stop_note"},
// an alignment "left", "right" or "centre".
nlohmann::ordered_json stepsTablesJson(const report::StepsDocument& document);

}  // namespace morvalen::web
