#include "command/ComputeCommand.h"

#include "adjust/AdjustmentRun.h"
#include "coords/CoordinateComputation.h"
#include "entry/RunStopped.h"

namespace morvalen {

void handOverToCoordinates(SurveyState& state, OrientationCopies& copies, WindowFields& fields,
                           ComputationSteps* steps) {
    CoordinateSteps* coordinates = steps ? &steps->coordinates : nullptr;
    const RunCase kind = runCase(state);
    if (steps) steps->coordinatesCalled = kind != RunCase::mixed;
    switch (kind) {
    case RunCase::azimuth: Cm1(state, copies.Ta, copies.Qa, fields, coordinates); break;
    case RunCase::knownSide: cm2(state, fields, coordinates); break;
    case RunCase::mixed: break;
    }
}

void runComputeCommand(SurveyState& state, Prompt& asker, WindowFields& fields) {
    ComputationSteps steps;
    runComputeCommand(state, asker, fields, steps);
}

void runComputeCommand(SurveyState& state, Prompt& asker, WindowFields& fields, ComputationSteps& steps) {
    steps = ComputationSteps{};
    try {
        prepareState(state);
        OrientationCopies copies;
        enterObservations(state, copies, asker, fields);
        runAdjustment(state, fields, steps.adjustment);
        handOverToCoordinates(state, copies, fields, &steps);
    } catch (const RunStopped& stop) {
        steps.stopMessage = stop.what();
        throw;
    }
    state.computationComplete = true;
}

}  // namespace morvalen
