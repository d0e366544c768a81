#include "command/RunRecord.h"

#include "adjust/AdjustmentRun.h"
#include "coords/CoordinateComputation.h"
#include "entry/ConfirmedPrompt.h"
#include "entry/ObservationEntry.h"

namespace morvalen {

RunRecord computeRun(const Observations& observations, const SurveyState& previous) {
    RunRecord record;
    record.state = previous;
    computeRun(observations, record);
    return record;
}

void computeRun(const Observations& observations, RunRecord& record) {
    record.observations = observations;
    computeTypedRun(record);
}

void computeTypedRun(RunRecord& record, ReadValues* read) {
    const Observations& observations = record.observations;
    record.stop.reset();
    ComputationSteps& steps = record.steps;
    steps = ComputationSteps{};
    SurveyState& state = record.state;
    try {
        prepareState(state);
        OrientationCopies copies;
        storeObservations(observations, state, copies, read);
        computeAdjustment(state, steps.adjustment);
        handOverToCoordinates(state, copies, steps);
        state.computationComplete = true;
    } catch (const RunStopped& stop) {
        record.stop = stop;
        steps.stopMessage = stop.what();
    }
}

void showEntry(const RunRecord& record, WindowFields& fields) {
    const Observations& typed = record.observations;
    // Each value echoed as the dialogue echoes it; a value that stops the entry ends it.
    const auto echo = [&](EnteredValue value, const Control& field, Pattern pattern) {
        fields.setText(field, echoText(typed.text(value), pattern));
        return !entryStop(value, typed.text(value));
    };
    echo(EnteredValue::xa, form::xa, Pattern::threeDecimals);
    echo(EnteredValue::ya, form::ya, Pattern::threeDecimals);
    echo(EnteredValue::xb, form::xb, Pattern::threeDecimals);
    echo(EnteredValue::yb, form::yb, Pattern::threeDecimals);
    const RunCase kind = typed.runCase();
    showCaseFields(kind, fields);
    if (kind == RunCase::azimuth) {
        echo(EnteredValue::startSideLength, form::startSideLength, Pattern::threeDecimals);
        if (entryStop(EnteredValue::startSideNumber, typed.startSideNumber)) return;
        echo(EnteredValue::Ta, form::externalAzimuth, Pattern::fiveDecimals);
        echo(EnteredValue::Qa, form::orientationAngle, Pattern::fiveDecimals);
    }
    const int unknownStations = kind == RunCase::azimuth ? 3 : 2;
    for (int i = 0; i <= unknownStations; ++i) {
        echo(enteredAfter(EnteredValue::nameA, i), form::stationName(i), Pattern::none);
    }
    echo(EnteredValue::nameClosing, form::stationName(unknownStations + 1), Pattern::none);
    for (int k = 0; k < form::angleCount; ++k) {
        if (!echo(enteredAfter(EnteredValue::b1, k), form::observedAngle(k), Pattern::fiveDecimals)) return;
    }
}

void showResults(const RunRecord& record, WindowFields& fields) {
    showAdjustmentResults(record.results(), fields);
    if (record.completed() && record.steps.coordinatesCalled) showCoordinateTable(record.state, fields);
}

void showRun(const RunRecord& record, WindowFields& fields) {
    if (!fields.showsTexts()) return;
    showEntry(record, fields);
    showResults(record, fields);
}

}  // namespace morvalen
