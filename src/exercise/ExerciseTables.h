// The student's sheet as tables: the data of the exercise, and the tables of the steps with the values to fill
// left blank, in the layout of the tables 平差计算过程 (the answer key prints them filled).
#pragma once

#include "exercise/ExerciseGenerator.h"
#include "report/StepsTables.h"

namespace morvalen::exercise {

// The data the student is given: the known data of the case and the observed angles, or the direction sets of the
// field book. Titled with the student's id and name.
report::StepsDocument exerciseDataDocument(const Exercise& exercise);

// The tables with every value the student computes left blank, room kept to write it: names, angle numbers, formulas and the data
// (observed angles, the coordinates of A) stay; the notes under the tables, which hold results, go. The observed
// angles are blanked too where the student reduces them from a field book.
report::StepsDocument blankStepsDocument(const report::StepsDocument& filled, bool anglesGiven = true);

}  // namespace morvalen::exercise
