// The adjustment of one computation: closures, both groups, precision, and the result fields.
#pragma once

#include "adjust/AdjustmentSteps.h"
#include "entry/FrontEnd.h"
#include "entry/SurveyState.h"

namespace morvalen {

// The adjustment of the entered angles (decimal degrees in the survey state): closures w(1)..w(4), both groups, the
// precision of the weakest side. Leaves the final adjusted angles, closures, normal matrix and precision figures in
// the survey state, and records every value of the run into `steps` as it is formed (renewed at the start), so that
// after a stop the record holds the results formed before it.
void computeAdjustment(SurveyState& state, AdjustmentSteps& steps);

// Writes the field of each result formed, in the order the run forms them.
void showAdjustmentResults(const AdjustmentResults& results, WindowFields& fields);

}  // namespace morvalen
