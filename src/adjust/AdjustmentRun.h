// The adjustment of one computation: closures, both groups, precision, and the result fields.
#pragma once

#include "adjust/AdjustmentSteps.h"
#include "entry/FrontEnd.h"
#include "entry/SurveyState.h"

namespace morvalen {

// The results of the adjustment in the order they are formed and shown: w(1), w(2), w(3), w(4), 1/Plgs, mb, mlgs, m.
inline constexpr int adjustmentResultCount = 8;

// The adjustment of the entered angles (decimal degrees in the survey state): closures w(1)..w(4), both groups, the
// precision of the weakest side. Leaves the final adjusted angles, closures, normal matrix and precision figures in
// the survey state. `resultsFormed` counts the results that exist, also when a step stops the run.
void computeAdjustment(SurveyState& state, int& resultsFormed);
// The same, recording every value of the run into `steps` as it is formed (renewed at the start).
void computeAdjustment(SurveyState& state, int& resultsFormed, AdjustmentSteps& steps);

// Writes the field of each of the first `resultsFormed` results, in the order they were formed.
void showAdjustmentResults(const SurveyState& state, int resultsFormed, WindowFields& fields);

// computeAdjustment, then the fields of every result formed, also those formed before a stop.
void runAdjustment(SurveyState& state, WindowFields& fields);
void runAdjustment(SurveyState& state, WindowFields& fields, AdjustmentSteps& steps);

}  // namespace morvalen
