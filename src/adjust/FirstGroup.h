// The closures of the four conditions and the first-group adjustment.
//
// b(1)..b(4) close the triangle A–P1–P2, b(5)..b(8) the triangle A–P2–station 4; the first group distributes each
// triangle closure equally over its four angles. The second group's closures are formed after that distribution:
// the overlapping triangle b(1) + b(2) = b(5) + b(6), and the pole condition (the product of the sines of the odd
// angles equals that of the even angles). Every closure is observed minus theoretical.
#pragma once

#include "adjust/AdjustmentWork.h"
#include "adjust/Arithmetic.h"

namespace morvalen {

// ((b(first) + b(first + 1)) + b(first + 2)) + b(first + 3), degrees.
double triangleAngleSum(const AngleArray& angles, int first);

// (sum − 180) × 3600 seconds, stored in single precision.
float triangleClosureOfSum(double angleSum, const CheckedStep& step);

// ((((b(first) + ...) + b(first + 3)) − 180) × 3600 seconds, stored in single precision.
float triangleClosure(const AngleArray& angles, int first, const CheckedStep& step);

// b(i) −= (w / 4) / 3600 for the four angles of the triangle, the share and its quotient by 3600 in single
// precision, the subtraction in double. Returns the share w / 4, seconds of arc.
float distributeTriangleClosure(AngleArray& angles, int first, float closure, const CheckedStep& step);

// ((b(1) + b(2)) − b(5)) − b(6), degrees.
double overlappingAngleDifference(const AngleArray& angles);

// (((b(1) + b(2)) − b(5)) − b(6)) × 3600 seconds, stored in single precision.
float overlappingTriangleClosure(const AngleArray& angles, const CheckedStep& step);

// ln(sine) / 2.302585093: the common log without the table's 10 (NaN or −∞ for a sine that is not positive).
double commonLogOf(double sine);

// (w(2)² + w(1)²) / 4: each triangle has four corrections of w / 4.
double firstGroupSquareSum(float w1, float w2);

// The pole coefficients c(1)..c(8) and the log-sine sums, then w(4) = (S1 − S2) × 10^6 in single precision.
// Stops at an angle whose tangent is zero or whose sine is not positive.
float poleClosure(AdjustmentWork& work, const CheckedStep& step);

}  // namespace morvalen
