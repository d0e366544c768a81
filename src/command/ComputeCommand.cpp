#include "command/ComputeCommand.h"

#include "adjust/AdjustmentRun.h"
#include "coords/CoordinateComputation.h"

namespace morvalen {

void handOverToCoordinates(SurveyState& state, OrientationCopies& copies, WindowFields& fields) {
    switch (runCase(state)) {
    case RunCase::azimuth: Cm1(state, copies.Ta, copies.Qa, fields); break;
    case RunCase::knownSide: cm2(state, fields); break;
    case RunCase::mixed: break;
    }
}

void runComputeCommand(SurveyState& state, Prompt& asker, WindowFields& fields) {
    prepareState(state);
    OrientationCopies copies;
    enterObservations(state, copies, asker, fields);
    runAdjustment(state, fields);
    handOverToCoordinates(state, copies, fields);
    state.computationComplete = true;
}

}  // namespace morvalen
