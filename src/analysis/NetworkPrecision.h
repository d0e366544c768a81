// The precision of the stations and of every side of a completed computation, by propagation of the covariance of
// the adjusted angles through the run's own coordinate computation.
//
// With equal weights and σ a priori, the adjusted angles have the covariance σ²(I − Bᵀ(BBᵀ)⁻¹B), B being the four
// conditions linearised at the adjusted angles. The coordinate computation of the run's case, with its fixed data
// held fixed (known side: A and B; external azimuth: A, the orientation Ta + Qa and the measured start side), maps
// the angles to the stations; its Jacobian carries that covariance to the coordinates, and from them to the length
// and the azimuth of each of the six sides.
#pragma once

#include <Eigen/Dense>
#include <array>
#include <optional>
#include <string>

#include "adjust/AdjustmentWork.h"
#include "entry/SurveyState.h"

namespace morvalen::analysis {

// The coordinates X, Y of the four stations A, P1, P2, station 4 as one vector (x0, y0, x1, y1, ...), metres.
using StationVector = Eigen::Matrix<double, 8, 1>;
using StationJacobian = Eigen::Matrix<double, 8, 8>;  // metres per second of arc, one column an angle b(k)
using StationCovariance = Eigen::Matrix<double, 8, 8>;  // square metres

// Half the spread of the central differences, seconds of arc. The coordinates are smooth in the angles on this scale:
// the truncation error h²/6 · f‴ of a side of a kilometre is below 10⁻¹¹ of its derivative (5 mm per second), while
// the rounding of coordinates of up to 10⁷ m (2 nm) over 2h, 10⁻⁹ m per second, stays below 10⁻⁵ of the derivative
// of a side of 100 m.
inline constexpr double jacobianStepSeconds = 1.0;

// The error ellipse of a station: semi-axes in millimetres, a ≥ b, and the direction of a in degrees clockwise from
// +X (north), 0 ≤ φ < 180.
struct ErrorEllipse {
    double a = 0, b = 0;
    double phiDegrees = 0;
};

// The ellipse of the covariance [[xx, xy], [xy, yy]] in square millimetres (X north, Y east).
ErrorEllipse errorEllipse(double xx, double xy, double yy);

struct StationPrecision {
    int row = 0;           // the row of the result table: 0 A, 1 P1, 2 P2, 3 B or P3
    std::string name;
    double x = 0, y = 0;   // metres: the computed coordinates (fixed stations as entered)
    bool fixed = false;    // A, and B in the known-side case: no error of their own
    double mx = 0, my = 0, mp = 0;  // millimetres; mp = √(mx² + my²)
    ErrorEllipse ellipse;
};

struct SidePrecision {
    int side = 0;           // 1..6: S(1)..S(4) outer sides, S(5) P1–station 4, S(6) A–P2
    int from = 0, to = 0;   // station indexes 0..3
    double length = 0;      // metres
    // T of the relative error 1/T = m_L / L; none for a side whose length is fixed (the known or the start side).
    std::optional<double> relativeErrorDenominator;
    double azimuthError = 0;  // seconds of arc; 0 for a fixed azimuth
};

struct NetworkPrecision {
    double sigma = 0;  // seconds of arc: the a-priori mean square error of an angle
    bool knownSide = true;  // the case: known side A–B, or external azimuth
    int heavySide = 4;      // the known side S(4), or the start side 1..6
    std::array<StationPrecision, 4> stations{};
    std::array<SidePrecision, 6> sides{};
    int weakestSide = 0;    // the side with the largest relative error by propagation
    // The classical figure: the side it is stated for (S(2) from the known side, S(3) from S(1) in the azimuth
    // case), its 1/m with mb as the adjustment found it, and the same with σ in place of mb.
    int classicalSide = 0;
    double classicalDenominator = 0;
    double classicalDenominatorAtSigma = 0;
};

// The stations of the four diagram places joined by S(1)..S(6).
inline constexpr std::array<std::array<int, 2>, 6> sideStations = {{{0, 1}, {1, 2}, {2, 3}, {3, 0}, {1, 3}, {0, 2}}};

// The four stations as the run's own coordinate computation places them from these adjusted angles (decimal
// degrees), the fixed data of the state's case held fixed. Throws RunStopped where the computation would stop.
StationVector stationsAt(const SurveyState& state, const AngleArray& anglesDegrees);

// ∂(stations)/∂b(k) by central differences of ± step seconds of arc about the adjusted angles.
StationJacobian stationJacobian(const SurveyState& state, double stepSeconds = jacobianStepSeconds);

// The covariance of the adjusted angles in square seconds: σ²(I − Bᵀ(BBᵀ)⁻¹B).
Eigen::Matrix<double, 8, 8> adjustedAngleCovariance(const SurveyState& state, double sigmaSeconds);

// The precision of the computation the state holds, for an angle error σ in seconds; none when no computation with
// coordinates ran to its end.
std::optional<NetworkPrecision> analysePrecision(const SurveyState& state, double sigmaSeconds);

}  // namespace morvalen::analysis
