// The teacher's kit on the page: a class's exercises written and packed into one zip file, and a student's answer
// checked cell by cell, as the terminal's exercise and check-answer commands do. Nothing leaves the browser: the
// files are in its file system.
#pragma once

#include <nlohmann/json.hpp>

namespace morvalen::web {

// {"call": "exercise", "roster": PATH, "zip": PATH, "seed", "grade" | "sigma", "case": "known-side" | "azimuth" |
//  "both", "field_book", "blunders"}: the kit of the roster's students (exercises.csv, answers.csv and per student
// ID.html, ID-answer.csv, ID-field-book.csv with a field book, answers/ID.html) as one zip file:
// {"zip", "students", "files": [names in the zip]}, or {"problem"}.
nlohmann::ordered_json exerciseKit(const nlohmann::ordered_json& request);

// {"call": "answerSheet", "observations"}: the tables to fill for the table's data, values blank:
// {"tables": the steps tables (as "steps_tables" of compute), "cells": [{"key", "decimals", "place": {"table",
// "row", "column"} or null}]}, or {"problem"} where the data do not compute.
nlohmann::ordered_json answerSheet(const nlohmann::ordered_json& request);

// {"call": "checkAnswer", "observations", "sheet": [[key, value], …] or "path": a filled ID-answer.csv}: the verdict
// as check-answer --json gives it ({"cells": [{"key", "given", "expected", "ok", "verdict", "follows_from"}],
// "first_wrong", "score"}), with "right", "counted", each cell's "verdict_text" and "place", and "first_wrong_text":
// the first wrong cell named with its table and row; or {"problem"}.
nlohmann::ordered_json checkAnswer(const nlohmann::ordered_json& request);

}  // namespace morvalen::web
