// The four conditions of the braced quadrilateral as one linear system in the eight angle corrections, and what
// least squares with equal weights makes of it: the redundancy numbers and the test statistics of the angles.
#pragma once

#include <Eigen/Dense>

#include "adjust/AdjustmentWork.h"

namespace morvalen::analysis {

// B: one row a condition, one column an angle b(1)..b(8) (column k − 1 for b(k)).
using ConditionMatrix = Eigen::Matrix<double, 4, 8>;
using AngleVector = Eigen::Matrix<double, 8, 1>;

// Rows of B: the triangles b(1)..b(4) and b(5)..b(8) (coefficients 1), the overlapping triangle
// b(1) + b(2) − b(5) − b(6), and the pole condition with the pole coefficients c(1)..c(8) (sixth-decimal log units
// per second of arc, odd angles positive, even negative), so that B·v is in seconds and log units as the closures.
ConditionMatrix conditionMatrix(const AngleArray& poleCoefficients);

// The same linearised at the given angles (decimal degrees): c(k) = ±2.1055 / tan(radiansPerDegree × b(k)).
ConditionMatrix conditionMatrixAt(const AngleArray& anglesDegrees, double radiansPerDegree);

// The redundancy numbers r(k): the diagonal of Bᵀ(BBᵀ)⁻¹B, the share of each angle's own error that shows in its
// residual. With equal weights they add up to the number of conditions, 4; each is at least 1/4, since every angle
// lies in a triangle of four.
AngleVector redundancyNumbers(const ConditionMatrix& conditions);

// Critical value of the w-test: the two-sided 0.1 % point of the normal distribution (α₀ = 0.1 %).
inline constexpr double criticalStandardizedResidual = 3.29;
// δ₀ of α₀ = 0.1 % and a power β₀ = 80 %: 3.29 + 0.84, rounded as the tables give it.
inline constexpr double nonCentralityBound = 4.13;

// w = v / (σ √r): the standardized residual of an angle, v in seconds of arc, σ the a-priori mean square error of one
// angle in seconds.
inline double standardizedResidual(double residualSeconds, double redundancy, double sigmaSeconds) {
    return residualSeconds / (sigmaSeconds * std::sqrt(redundancy));
}

// ∇₀ = 4.13 σ / √r: the smallest blunder in seconds of arc that the w-test finds with a probability of 80 %.
inline double minimalDetectableBlunder(double redundancy, double sigmaSeconds) {
    return nonCentralityBound * sigmaSeconds / std::sqrt(redundancy);
}

}  // namespace morvalen::analysis
