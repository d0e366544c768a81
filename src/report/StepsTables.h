// The computation step by step as tables, in the form the textbook gives the two-group condition adjustment of the
// braced quadrilateral: the first group, the coefficients of the second group, the normal equations, the checks, the
// precision of the weakest side, the side chain and the traverse.
//
// One model of the tables for every rendering: the pages 平差计算过程 of the PDF, the window 计算过程 and the terminal
// section. The texts are decided here once: coefficients to 0.01, corrections and closures to 0.01″ (0.01 units for
// the pole condition), angles in degrees, minutes and seconds to 0.01″, rounded once at the end. Every value comes
// from the record of the run; a stage the run did not reach gives no table.
#pragma once

#include <string>
#include <vector>

#include "command/ComputeCommand.h"
#include "entry/SurveyState.h"

namespace morvalen::report {

enum class Alignment { left, centre, right };

struct StepsTable {
    std::string title;
    std::vector<std::string> heads;
    std::vector<Alignment> alignments;  // one a column
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> notes;  // lines under the table: the sums, formulas and values that belong to it
};

struct StepsSection {
    std::string heading;
    std::vector<StepsTable> tables;
};

struct StepsDocument {
    std::string title;
    std::vector<StepsSection> sections;
    std::string stopNote;  // empty, or why the tables end where they end (a stopped run)
};

// The heading of the pages and of the window.
inline constexpr const char* stepsTitle = "平差计算过程";

// The tables of the run the record holds, with the names of the survey state; after a stop, a note that names it.
StepsDocument stepsDocument(const SurveyState& state, const ComputationSteps& steps);

// The sections of the coordinate computation (used by stepsDocument).
void addCoordinateSections(StepsDocument& document, const SurveyState& state, const CoordinateSteps& coordinates);

// Degrees as d°mm′ss.ss″, the seconds rounded once to `secondDecimals`, ties to even, with the carry into minutes
// and degrees: 44.2200000° gives 44°13′12.00″, never 59′60″.
std::string sexagesimalText(double degrees, int secondDecimals = 2);

}  // namespace morvalen::report
