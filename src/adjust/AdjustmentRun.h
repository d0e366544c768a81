// One computation from the first prompt to the coordinates.
#pragma once

#include "entry/FrontEnd.h"
#include "entry/ObservationEntry.h"
#include "entry/SurveyState.h"

namespace morvalen {

// The adjustment of the entered angles: closures w(1)..w(4), both groups, the precision of the weakest side, each
// result field written the moment its value exists. Leaves the final adjusted angles (decimal degrees), closures,
// normal matrix and precision figures in the survey state.
void runAdjustment(SurveyState& state, WindowFields& fields);

// Calls the coordinate computation of the case: Cm1 (azimuth case), cm2 (known-side case), none (mixed case).
void handOverToCoordinates(SurveyState& state, OrientationCopies& copies, WindowFields& fields);

// The whole compute command: prepareState, enterObservations, runAdjustment, handOverToCoordinates. Throws
// RunStopped at the step that cannot be carried out; everything written before it stays written.
void runComputeCommand(SurveyState& state, Prompt& asker, WindowFields& fields);

}  // namespace morvalen
