// The JSON document of a terminal run (--json), formed from the record of the run alone.
//
// Keys and their order are a contract: "prompts", "fields", "captions", "stopped", "report", then "steps" (with
// --steps), "checks" and "precision" (with a grade or σ), and "result", the run's values as JSON numbers.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "command/RunRecord.h"
#include "entry/FieldModel.h"

namespace morvalen::document {

// What the document holds beside the run's own keys.
struct DocumentOptions {
    bool steps = false;   // "steps"
    bool checks = false;  // "checks" and "precision", from the analysis
};

// "result": {"case", "w1".."w4", "mb", "inv_plgs", "mlgs", "relative_error_denominator", "adjusted_angles" (each
// {"degrees", "dms"}), "stations" (each {"row", "name", "x", "y"}, metres), "stop"}. A value the run did not form
// is null; a single is written as the shortest decimal that reads back as the same single.
nlohmann::ordered_json resultJson(const RunRecord& record);

// The whole document: the prompts shown, the fields and captions the run left, the stop, the report, and the parts
// the options ask for.
nlohmann::ordered_json runDocument(const std::vector<std::string>& prompts, const FieldModel& fields,
                                   const RunRecord& record, const analysis::Analysis& analysed,
                                   const DocumentOptions& options);

}  // namespace morvalen::document
