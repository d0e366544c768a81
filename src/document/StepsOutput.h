// The computation step by step on the terminal: the section after the report and the JSON object "steps".
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

#include "command/ComputeCommand.h"
#include "report/StepsTables.h"

namespace morvalen::document {

// "steps": {"first_group", "pole", "weight_function", "second_group", "after_adjustment", "coordinates"}, each null
// when the run did not reach it, every value at full precision (a single as its exact value):
//   first_group: {"shares_sec": [2], "angles_deg": [8], "square_sum"};
//   pole: {"coefficients": [8], "log_sine_sums": [2]};
//   weight_function: {"route_strengths": [2], "route": "1" | "2" | "azimuth" | null};
//   second_group: {"rows": [[8] × 3], "normal": [[3] × 3], "det", "correlates": [2], "q": [2],
//                  "corrections_sec": [8], "square_sum"}, a key null where the run stopped before it;
//   after_adjustment: {"closures_sec": [4]} (the pole condition in sixth-decimal units);
//   coordinates: {"case": "known-side" | "azimuth", "start", "azimuths_deg": [n], "side_chain": [{"side", "from",
//                 "numerator", "denominator", "sine_numerator", "sine_denominator", "length_m"}], "sides_m": [n],
//                 "traverse": {"delta_x_m": [n], "delta_y_m": [n], "x_m": [n + 1], "y_m": [n + 1],
//                 "closure_m": [2]}}, with "start" {"delta_x_m", "delta_y_m", "length_m", "azimuth_deg"} in the
//                 known-side case and {"ta_deg", "qa_deg", "side", "length_m"} in the azimuth case.
nlohmann::ordered_json stepsJson(const ComputationSteps& steps);

// "== 计算过程 ==" and the tables as text, columns ruled with | and rows with -, counted in terminal cells.
void printStepsText(const report::StepsDocument& document, std::ostream& out);

}  // namespace morvalen::document
