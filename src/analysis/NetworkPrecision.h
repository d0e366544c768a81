// The precision of the stations and of every side of a completed computation, by propagation of the covariance of
// the adjusted angles through the run's own coordinate computation.
//
// With equal weights and σ a priori, the adjusted angles have the covariance σ²(I − Bᵀ(BBᵀ)⁻¹B), B being the four
// conditions linearised at the adjusted angles. The coordinate computation of the run's case, with its fixed data
// held fixed (known side: A and B; external azimuth: A, the orientation Ta + Qa and the measured start side), maps
// the angles to the stations; its Jacobian carries that covariance to the coordinates of all four stations at once,
// and from them to the length and the azimuth of each of the six sides and to the relative error ellipse of every
// pair of stations (the coordinate difference of two stations, their correlation included).
#pragma once

#include <Eigen/Dense>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "adjust/AdjustmentWork.h"
#include "command/RunRecord.h"
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

// The gradients of the length (metres per metre) and of the azimuth (radians per metre) of the line from station i
// to station j with respect to the station vector, at these stations; `length` the line's length, metres.
struct SideGradients {
    StationVector length = StationVector::Zero();
    StationVector azimuth = StationVector::Zero();
};
SideGradients sideGradients(const StationVector& stations, int i, int j, double length);

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

// The precision of one station relative to another, from the covariance of the coordinate difference to − from:
// what a surveyor stakes out or checks between the two stations, whatever the error of either against A. A fixed
// station has no error of its own.
struct RelativePrecision {
    int from = 0, to = 0;   // rows of the table, from < to
    int side = 0;           // the side or diagonal S(1)..S(6) joining them
    double distance = 0;    // metres
    double distanceError = 0;  // millimetres; 0 for a length fixed by the data
    // T of the relative error 1/T = σ_D / D; none for a length fixed by the data (the known or the start side).
    std::optional<double> relativeErrorDenominator;
    double azimuthError = 0;   // seconds of arc; 0 for an azimuth fixed by the data
    bool fixedLength = false;   // the known side, or the start side of the azimuth case
    bool fixedAzimuth = false;  // the known side, or S(1) oriented by Ta + Qa
    ErrorEllipse ellipse;       // the relative error ellipse, millimetres, convention of the station ellipses
};

struct NetworkPrecision {
    double sigma = 0;  // seconds of arc: the a-priori mean square error of an angle
    bool knownSide = true;  // the case: known side A–B, or external azimuth
    int heavySide = 4;      // the known side S(4), or the start side 1..6
    std::array<StationPrecision, 4> stations{};
    std::array<SidePrecision, 6> sides{};
    // Every pair of stations, (0, 1), (0, 2), (0, 3), (1, 2), (1, 3), (2, 3), without the pair of the two fixed
    // stations A and B of the known-side case.
    std::vector<RelativePrecision> relative;
    // The index in `relative` of the largest error between stations (the largest semi-axis a); none when every pair
    // is fixed.
    std::optional<std::size_t> largestRelative;
    int weakestSide = 0;    // the side with the largest relative error by propagation
    // The classical figure: the side it is stated for (S(2) from the known side, S(3) from S(1) in the azimuth
    // case), its 1/m with mb as the adjustment found it, and the same with σ in place of mb.
    int classicalSide = 0;
    double classicalDenominator = 0;
    double classicalDenominatorAtSigma = 0;
};

// The stations of the four diagram places joined by S(1)..S(6).
inline constexpr std::array<std::array<int, 2>, 6> sideStations = {{{0, 1}, {1, 2}, {2, 3}, {3, 0}, {1, 3}, {0, 2}}};

// The side or diagonal 1..6 that joins two stations of the diagram (in either order).
int sideJoining(int station, int otherStation);

// Whether the data of the case fix the length, or the azimuth, of side 1..6: the known side S(4) both; in the azimuth
// case the start side its length and S(1), oriented by Ta + Qa, its azimuth.
bool lengthFixed(const NetworkPrecision& precision, int side);
bool azimuthFixed(const NetworkPrecision& precision, int side);

// The four stations as the run's own coordinate computation places them from these adjusted angles (decimal
// degrees), the fixed data of the state's case held fixed. Throws RunStopped where the computation would stop.
StationVector stationsAt(const SurveyState& state, const AngleArray& anglesDegrees);

// ∂(stations)/∂b(k) by central differences of ± step seconds of arc about the adjusted angles.
StationJacobian stationJacobian(const SurveyState& state, double stepSeconds = jacobianStepSeconds);

// The covariance of the adjusted angles in square seconds: σ²(I − Bᵀ(BBᵀ)⁻¹B).
Eigen::Matrix<double, 8, 8> adjustedAngleCovariance(const SurveyState& state, double sigmaSeconds);

// The precision of the computation the record holds, about the stations the run placed, for an angle error σ in
// seconds; none when no computation with coordinates ran to its end.
std::optional<NetworkPrecision> analysePrecision(const RunRecord& record, double sigmaSeconds);

}  // namespace morvalen::analysis
