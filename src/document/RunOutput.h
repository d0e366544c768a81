// What the terminal front end prints after a run: the fields as a readable listing, or one JSON document.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "entry/FieldModel.h"
#include "entry/RunStopped.h"
#include "entry/SurveyState.h"

namespace morvalen::document {

// The window's fields after the run, grouped as the window shows them.
void printFieldListing(const FieldModel& fields, std::ostream& out);

// "fields": every text field, Text7/12/13/14 as arrays; "captions": the caption Y(0), keyed Label18(0).
nlohmann::ordered_json fieldsJson(const FieldModel& fields);
nlohmann::ordered_json captionsJson(const FieldModel& fields);
// null, or {"step", "cause", "message"}.
nlohmann::ordered_json stopJson(const std::optional<RunStopped>& stop);

// "report": null when the print command would refuse to print, otherwise the report lines, each an array of items
// {"font": points}, {"tab": column} and {"text": "…"} in the order they are printed.
nlohmann::ordered_json reportJson(const SurveyState& state);

// The report as text at its columns, after a heading; nothing when the print command would refuse to print.
void printReportText(const SurveyState& state, std::ostream& out);

}  // namespace morvalen::document
