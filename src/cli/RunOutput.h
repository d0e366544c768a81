// What the terminal front end prints after a run: the fields as a readable listing, or one JSON document.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "entry/FieldModel.h"
#include "entry/RunStopped.h"

namespace morvalen::cli {

// The window's fields after the run, grouped as the window shows them.
void printFieldListing(const FieldModel& fields, std::ostream& out);

// "fields": every text field, Text7/12/13/14 as arrays; "captions": {"Label18(0)": …}.
nlohmann::ordered_json fieldsJson(const FieldModel& fields);
nlohmann::ordered_json captionsJson(const FieldModel& fields);
// null, or {"step", "cause", "message"}.
nlohmann::ordered_json stopJson(const std::optional<RunStopped>& stop);

}  // namespace morvalen::cli
