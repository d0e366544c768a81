// The student's sheet and the answer key as the page writes them: one HTML file each, printable from any browser
// (the page has no PDF writer), with the data, a sketch of the figure with its numbering and the tables of the steps.
#pragma once

#include <string>

#include "exercise/ExerciseGenerator.h"
#include "report/StepsTables.h"

namespace morvalen::web {

// `data` (the known data and observations), the sketch of `made` below it, then `steps` from a new printed page:
// blank for the student, filled for the key. Blank cells keep room to write by hand.
std::string exerciseSheetHtml(const report::StepsDocument& data, const exercise::Exercise& made,
                              const report::StepsDocument& steps);

}  // namespace morvalen::web
