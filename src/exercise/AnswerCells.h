// The quantities a student fills in: one cell each, keyed by its path in the steps JSON
// (second_group.correlates[0]), with the value the run formed, the decimals the tables print it with, and the cells
// it is computed from.
#pragma once

#include <string>
#include <vector>

#include "command/ComputeCommand.h"

namespace morvalen::exercise {

struct AnswerCell {
    std::string key;                // path in the steps JSON, indexes from 0
    double value = 0;               // the run's own value, unrounded
    int decimals = 0;               // the last place the tables print
    std::vector<std::string> from;  // keys of the cells it is computed from (none for one from the data alone)
};

// The cells of a completed run, in the order the tables form them: first group, pole coefficients, route strengths,
// the transformed pole condition and weight function, normal equations, correlates, q, corrections, square sums,
// the sides and the traverse. A side given as data (the start side) is no cell.
std::vector<AnswerCell> answerCells(const ComputationSteps& steps);

// The printed text of a cell's value: rounded once to its decimals, no "-0".
std::string printedValue(const AnswerCell& cell);

}  // namespace morvalen::exercise
