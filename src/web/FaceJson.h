// The window's face as the page receives it: the layout, the observation columns and the case texts, from their one
// definition (form/WindowFace.h, form/ObservationColumns.h), with every text in the language in use.
#pragma once

#include <nlohmann/json.hpp>

#include "entry/Observations.h"

namespace morvalen::web {

// {"extent": [w, h], "colour", "labels": [{"name", "text", "box", "font"}], "fields": [{"name", "box"}],
//  "lines": [{"name", "points", "colour", "width"}], "buttons": [{"name", "command", "text", "box", "colour"}],
//  "columns": [{"key", "caption", "group", "azimuth_only"}], "cases": {"known-side": TEXT, …}}
// Boxes and points in twips, widths in pixels, colours "rgb(r,g,b)"; a button's command is compute, exit or print.
nlohmann::ordered_json faceJson();

// The labels of the diagrams that show each value of the table, by key ({"xa": ["Label42", …], …}), for the case
// and the start side number the values give.
nlohmann::ordered_json diagramLabelsJson(const Observations& observations);

}  // namespace morvalen::web
