// The quantities a student fills in: one cell each, keyed by its path in the steps JSON
// (second_group.correlates[0]), with the value the run formed, the decimals the tables print it with, and the cells
// it is computed from.
#pragma once

#include <optional>
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

namespace morvalen::exercise {

// Where the tables 平差计算过程 of a completed run show a cell: table n (表 n, from 1), row and column from 0; none for
// a value the tables give in a note (det, the correlates).
struct TablePlace {
    int table = 0;
    int row = 0;
    int column = 0;
};
std::optional<TablePlace> tablePlace(const std::string& key);

}  // namespace morvalen::exercise
