// The observation files and result exports of a terminal run: --observations, --save-observations, --export.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "cli/ExitStatus.h"
#include "entry/RunStopped.h"
#include "analysis/NetworkPrecision.h"
#include "entry/SurveyState.h"
#include "entry/Observations.h"

namespace morvalen::cli {

// Keeps the values typed in this run as one more row of `path`; the reason on stderr when it cannot (nothing typed
// at all included). Returns the exit status: completed, notWritten or fileProblem (no column for a value
// typed, a file that is no campaign).
ExitStatus saveRunObservations(const Observations& values, const std::string& path, const std::string& id);

// Runs `save`, which writes an observation file, and reports on stderr why it did not: 5 for a file that cannot be
// used, 4 for one that cannot be written.
ExitStatus savingObservations(const std::function<ExitStatus()>& save);

// Writes the result table of the run to `path` in the format of its extension; the reason on stderr when it
// cannot. Returns the exit status: completed, stopped (the run stopped) or notWritten.
ExitStatus exportRunResults(const SurveyState& state, const std::string& path,
                            const analysis::NetworkPrecision* precision = nullptr);

}  // namespace morvalen::cli
