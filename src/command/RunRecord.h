// The computation as values: one data set in, one record of the run out.
//
// `computeRun` runs the steps of the compute command in their order, with the same arithmetic and the same stops
// as the dialogue, on the values of an Observations; the record holds what the run reached. Every front end shows
// a run from its record alone: the window's fields (`showRun`), the report, the JSON document, the batch's cells,
// the exports, the checks and the steps. Nothing reads a field text back, and no step is run twice.
#pragma once

#include <optional>

#include "command/ComputeCommand.h"
#include "entry/EnteredState.h"
#include "entry/Observations.h"
#include "entry/RunStopped.h"
#include "entry/SurveyState.h"

namespace morvalen {

struct RunRecord {
    Observations observations;  // the data set as typed
    // The survey state as the run left it: the values as the computation stored them (the angles in decimal
    // degrees, the closures and precision figures in single precision, the coordinates).
    SurveyState state;
    ComputationSteps steps;          // every stage the run reached, in the order it formed them
    std::optional<RunStopped> stop;  // the step that could not be carried out; none for a run that went through

    bool completed() const { return !stop; }
    // The results of the adjustment the run formed, as the window shows them.
    AdjustmentResults results() const { return adjustmentResults(state, steps.adjustment); }
    RunCase runCase() const { return observations.runCase(); }
};

// One whole computation from the values of a data set. `previous` is the survey state before the run (the window's
// state, for the values a case does not ask); a run on its own starts from an empty state.
RunRecord computeRun(const Observations& observations, const SurveyState& previous = {});
// The same into an existing record, reusing its storage (the batch renews one record row after row).
void computeRun(const Observations& observations, RunRecord& record);
// The same on the values the record holds already (the dialogue collects them there), with the numbers the dialogue
// has read from them.
void computeTypedRun(RunRecord& record, ReadValues* read = nullptr);

// Writes every field and caption the run wrote, in the order the dialogue writes them: the echoes of the typed
// values, the start note of the case, the results formed, the coordinate table.
void showRun(const RunRecord& record, WindowFields& fields);
// Its two halves: the fields of the typed values (what the dialogue echoes as it asks), and the results.
void showEntry(const RunRecord& record, WindowFields& fields);
void showResults(const RunRecord& record, WindowFields& fields);

}  // namespace morvalen
