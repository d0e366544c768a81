// Precision of the adjustment and of the weakest side.
//
// The weakest side is reached from the known side along one of two routes through the quadrilateral; the route whose
// strength of figure R is larger is the weaker one. Its common logarithm, as a function of the angles, is the weight
// function: transformed like the second-group conditions it becomes row 3 of the coefficient table, and its weight
// is reduced by the two conditions.
#pragma once

#include "adjust/AdjustmentWork.h"
#include "adjust/Arithmetic.h"
#include "adjust/SecondGroup.h"
#include "entry/SurveyState.h"

namespace morvalen {

// R1 = c(7)² + c(2)² − c(7)c(2) + c(1)² + c(4)² − c(1)c(4); R2 likewise with 3, 6 and 5, 8.
void computeRouteStrengths(AdjustmentWork& work, const CheckedStep& step);

// The weakest side whose weight function row 3 holds.
enum class WeightFunction {
    none,                // mixed case: no route to a weakest side, row 3 stays zero
    azimuthCase,         // S(3) from the start side S(1), through stations 1-2-3 and 2-3-4
    knownSideRoute1,     // S(2) from the known side S(4), through stations 1-2-4 and 1-2-3
    knownSideRoute2,     // S(2) from S(4), through stations 1-3-4 and 2-3-4
};

// Azimuth case, or the weaker route of the known-side case. A perfectly symmetric figure (R1 = R2) takes route 1,
// so that it still gets its precision and coordinates.
WeightFunction chooseWeightFunction(RunCase kind, const AdjustmentWork& work);

// Row 3 of the coefficient table: f(k) minus the triangle means formed in the fixed order of each case.
void fillWeightFunctionRow(AdjustmentWork& work, WeightFunction weightFunction, const CheckedStep& step);

// 1/Plgs = (N(3,3) + q1 N(1,3)) + q2 N(2,3), the weight function's reciprocal weight reduced by the conditions.
double reciprocalWeight(AdjustmentWork& work, const NormalMatrix& normal, const CheckedStep& step);

// mb = √((first-group + second-group square sums) / 4) seconds, 4 being the number of conditions.
float meanSquareErrorOfAngle(const AdjustmentWork& work, const CheckedStep& step);

// mlgs = mb × √(1/Plgs) in sixth-decimal units, stored in single precision.
float logSideError(float mb, double invPlgs, const CheckedStep& step);

// 10^6 × log10(e), rounded to 434290 as in the hand computation (not 434294.5).
inline constexpr double relativeErrorNumerator = 434290;

// m = Fix(434290 / mlgs), stored in single precision. `reasonWhenZero` explains an mlgs of zero.
float relativeErrorDenominatorOf(float mlgs, const char* reasonWhenZero, const CheckedStep& step);

}  // namespace morvalen
