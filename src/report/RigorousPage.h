// The rigorous adjustment as a page: printed after the report where it was asked for, and the terminal's listing.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "report/ReportModel.h"
#include "rigorous/RigorousNetwork.h"

namespace morvalen::report {

// The lines of the page: the a priori σ and the counts, σ0 and the global test, the stations with their σ and
// ellipses, the differences from the classical result with the sentence on them, the largest error between
// stations, and every observation with its residual, redundancy number and w-test.
std::vector<Line> rigorousPageLines(const rigorous::RigorousRun& run);

// The critical value of the w-test (α0 = 0.1 %, two-sided): a |w| above it marks an observation to look at.
inline constexpr double wTestLimit = 3.29;

// The summary of the page, one sentence a line: the a priori σ, the counts, σ0 and the global test.
std::vector<std::string> rigorousSummary(const rigorous::RigorousRun& run);

// The largest error between stations (the largest relative ellipse); none where every pair is held.
std::optional<std::string> largestErrorSentence(const rigorous::RigorousRun& run);

// "方向" or "距离", and the unit of the residual: "″" or "mm".
std::string observationKindText(const rigorous::Observation& observation);

}  // namespace morvalen::report
