// The second group: the overlapping-triangle and pole conditions solved by least squares with equal weights.
//
// Each condition's coefficients have their triangle means subtracted, so that the second-group corrections add up to
// zero in each triangle and leave the first group's closures untouched. The correlates follow from the 2 × 2 normal
// equations by Cramer's rule; the normal matrix carries a third row, the weight function of the weakest side.
#pragma once

#include <vector>

#include "adjust/AdjustmentWork.h"
#include "adjust/Arithmetic.h"

namespace morvalen {

using NormalMatrix = std::vector<std::vector<double>>;

// Row 1: +0.5, +0.5, −0.5, −0.5, −0.5, −0.5, +0.5, +0.5. Row 2: c(k) minus the mean of its triangle.
void fillConditionRows(AdjustmentWork& work, const CheckedStep& step);

// N(i, j) = Σ A(i, k) A(j, k) over k = 1..8, for 1 ≤ i ≤ j ≤ 3; the lower triangle stays zero.
void formNormalEquations(const AdjustmentWork& work, NormalMatrix& normal, const CheckedStep& step);

// det = N(1,1) N(2,2) − N(1,2)², into work.determinant.
void formDeterminant(AdjustmentWork& work, const NormalMatrix& normal, const CheckedStep& step);

// k1 and k2 by Cramer's rule with work.determinant, from the closures w(3) and w(4) as stored in single precision;
// stops when det is zero.
void correlatesFromDeterminant(AdjustmentWork& work, const NormalMatrix& normal, float w3, float w4,
                               const CheckedStep& step);

// formDeterminant, then correlatesFromDeterminant.
void solveCorrelates(AdjustmentWork& work, const NormalMatrix& normal, float w3, float w4, const CheckedStep& step);

// v(k) = k1 A(1, k) + k2 A(2, k) seconds; b(k) += v(k) / 3600; the square sum of the v(k).
void applySecondGroupCorrections(AdjustmentWork& work, const CheckedStep& step);

}  // namespace morvalen
