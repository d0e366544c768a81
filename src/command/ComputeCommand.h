// The compute command: one computation from the first prompt to the coordinates.
//
// It strings the layers below it together in their order: the entry of the observations, the adjustment, and the
// coordinate computation of the run's case. The front ends call it from their 计 算.
#pragma once

#include "entry/FrontEnd.h"
#include "entry/ObservationEntry.h"
#include "entry/SurveyState.h"

namespace morvalen {

// Calls the coordinate computation of the case: Cm1 (azimuth case), cm2 (known-side case), none (mixed case).
void handOverToCoordinates(SurveyState& state, OrientationCopies& copies, WindowFields& fields);

// The whole compute command: prepareState, enterObservations, runAdjustment, handOverToCoordinates. Throws
// RunStopped at the step that cannot be carried out; everything written before it stays written.
void runComputeCommand(SurveyState& state, Prompt& asker, WindowFields& fields);

}  // namespace morvalen
