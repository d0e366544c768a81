// The compute command: one computation from the first prompt to the coordinates.
//
// It strings the layers below it together in their order: the entry of the observations, the adjustment, and the
// coordinate computation of the run's case. The front ends call it from their 计 算.
#pragma once

#include <string>

#include "adjust/AdjustmentSteps.h"
#include "coords/CoordinateSteps.h"
#include "entry/EnteredState.h"
#include "entry/FrontEnd.h"
#include "entry/SurveyState.h"

namespace morvalen {

struct RunRecord;

// The computation shown step by step: what the adjustment and the coordinate computation of one run formed, in the
// order they formed it; stages the run did not reach stay empty.
struct ComputationSteps {
    AdjustmentSteps adjustment;
    CoordinateSteps coordinates;
    bool coordinatesCalled = false;  // the hand-over called cm2 or Cm1 (never in the mixed case)
    std::string stopMessage;         // the message of the stop, empty for a run that went through
};

// Calls the coordinate computation of the case: Cm1 (azimuth case), cm2 (known-side case), none (mixed case).
void handOverToCoordinates(SurveyState& state, OrientationCopies& copies, ComputationSteps& steps);

// The compute command as a dialogue: the confirmed prompts collect the observations into `record.observations`
// value by value (a front end may read what has been typed so far), echoing each value as it is typed, then the
// computation runs on them and writes its results. `record.state` is
// the survey state before the run and after it the state as the run left it. Throws RunStopped at the step that
// cannot be carried out; everything written before it stays written, and the record holds what the run reached.
void runComputeCommand(Prompt& asker, WindowFields& fields, RunRecord& record);

// The same on a survey state alone, keeping the steps of the run in `steps`.
void runComputeCommand(SurveyState& state, Prompt& asker, WindowFields& fields, ComputationSteps& steps);
void runComputeCommand(SurveyState& state, Prompt& asker, WindowFields& fields);

}  // namespace morvalen
