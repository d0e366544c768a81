// The checks of each data set of a campaign and the precision of its stations, as more columns of its result row
// (--grade / --sigma).
#pragma once

#include <string>
#include <vector>

#include "analysis/Analysis.h"

namespace morvalen::batch {

// check_triangle_1234, check_triangle_5678, check_triangle_1278, check_triangle_3456, check_pole, check_mb,
// check_weakest_side (each 合格 or 超限; the last empty for an own σ), suspects (angle numbers separated by blanks),
// max_standardized (the largest |w| to two decimals), checks (the verdict); then mp_1, mp_2, mp_3, the mean square
// error of position of each computed station in millimetres to two decimals (mp_3 empty in the known-side case).
const std::vector<std::string>& checkColumns();

// The cells of those columns from the analysis of a row; all empty without checks (a row that did not complete).
std::vector<std::string> checkCells(const analysis::Analysis& analysed);

}  // namespace morvalen::batch
