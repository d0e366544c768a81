// The working values of one adjustment run: created at the start of the compute command, dropped at its end.
#pragma once

#include <array>

namespace morvalen {

// Angle arrays are indexed 0..8 with index 0 unused, so that b(k) is angles[k].
using AngleArray = std::array<double, 9>;

struct AdjustmentWork {
    double radiansPerDegree = 0;
    AngleArray angles{};  // b(1)..b(8), decimal degrees, corrected in place

    // c(1)..c(8): change of the log sine in sixth-decimal units per second of arc, with the sign the angle has in
    // the pole condition (positive for odd, negative for even k).
    AngleArray poleCoefficients{};
    double oddLogSineSum = 0;   // S1: 40 plus the common logs of the sines of b(1), b(3), b(5), b(7)
    double evenLogSineSum = 0;  // S2: the same for b(2), b(4), b(6), b(8)
    double firstGroupSquareSum = 0;   // square seconds
    double secondGroupSquareSum = 0;  // square seconds
    double routeStrength1 = 0;  // R1: angles 7 and 2, then 1 and 4
    double routeStrength2 = 0;  // R2: angles 3 and 6, then 5 and 8

    // Rows 1..3 (overlapping triangle, pole condition, weight function of the weakest side), columns b(1)..b(8),
    // each made independent of the first group by subtracting its triangle means.
    std::array<AngleArray, 4> secondGroupCoefficients{};
    double determinant = 0;
    double correlate1 = 0;  // k1, overlapping-triangle condition
    double correlate2 = 0;  // k2, pole condition
    double q1 = 0, q2 = 0;
    AngleArray corrections{};  // v(1)..v(8), seconds of arc
};

}  // namespace morvalen
