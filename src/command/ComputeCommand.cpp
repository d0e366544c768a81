#include "command/ComputeCommand.h"

#include "command/RunRecord.h"
#include "coords/CoordinateComputation.h"
#include "entry/ObservationEntry.h"

namespace morvalen {

void handOverToCoordinates(SurveyState& state, OrientationCopies& copies, ComputationSteps& steps) {
    const RunCase kind = runCase(state);
    steps.coordinatesCalled = kind != RunCase::mixed;
    switch (kind) {
    case RunCase::azimuth: Cm1(state, copies.Ta, copies.Qa, &steps.coordinates); break;
    case RunCase::knownSide: cm2(state, &steps.coordinates); break;
    case RunCase::mixed: break;
    }
}

void runComputeCommand(Prompt& asker, WindowFields& fields, RunRecord& record) {
    ReadValues read;
    try {
        enterObservations(asker, fields, record.observations, &read);
    } catch (const RunStopped&) {
        // The computation on the values typed so far stops at the same value, with the same message.
    }
    computeTypedRun(record, &read);
    showResults(record, fields);
    if (record.stop) throw *record.stop;
}

void runComputeCommand(SurveyState& state, Prompt& asker, WindowFields& fields, ComputationSteps& steps) {
    RunRecord record;
    record.state = std::move(state);
    try {
        runComputeCommand(asker, fields, record);
    } catch (const RunStopped&) {
        state = std::move(record.state);
        steps = std::move(record.steps);
        throw;
    }
    state = std::move(record.state);
    steps = std::move(record.steps);
}

void runComputeCommand(SurveyState& state, Prompt& asker, WindowFields& fields) {
    ComputationSteps steps;
    runComputeCommand(state, asker, fields, steps);
}

}  // namespace morvalen
