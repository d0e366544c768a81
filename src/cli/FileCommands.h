// The observation files and result exports of a terminal run: --observations, --save-observations, --export.
#pragma once

#include <optional>
#include <string>

#include "entry/RunStopped.h"
#include "analysis/NetworkPrecision.h"
#include "entry/SurveyState.h"
#include "files/RowAnswers.h"

namespace morvalen::cli {

// Exit statuses of the file options.
inline constexpr int nothingComplete = 3;  // an export asked after a stopped run
inline constexpr int fileNotWritten = 4;   // an export or observation file that cannot be written
inline constexpr int observationFileProblem = 5;  // missing, unreadable, no campaign, unknown row, no data set

// Keeps the values typed in this run as one more row of `path`; the reason on stderr when it cannot (nothing typed
// at all included). Returns the exit status: 0, fileNotWritten or observationFileProblem.
int saveRunObservations(const files::TypedValues& values, const std::string& path, const std::string& id);

// Writes the result table of the run to `path` in the format of its extension; the reason on stderr when it
// cannot. Returns the exit status: 0, nothingComplete (the run stopped) or fileNotWritten.
int exportRunResults(const SurveyState& state, const std::string& path,
                     const analysis::NetworkPrecision* precision = nullptr);

}  // namespace morvalen::cli
