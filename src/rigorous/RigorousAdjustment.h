// The rigorous adjustment of a braced quadrilateral: parametric least squares (adjustment by observation equations)
// on the plane coordinates of the stations, from the directions observed in rounds and the distances measured.
//
// Model, one equation an observation:
//   direction  r = α(station → target) − ω(station, round) + v, one orientation unknown ω per station and round;
//              the observation is the mean of both faces of one round (the reduced direction of the field book)
//   distance   s = √(Δx² + Δy²) + v, the horizontal distance in metres
// Weights p = 1 / σ², σ of a direction in radians and of a distance in metres (σ = a mm + b ppm), so that σ0 is
// dimensionless and 1 when the observations are as good as assumed. The datum is held by constraints on the
// corrections (a bordered normal matrix): A and B fixed; or A fixed with the azimuth A → P1, and the scale from the
// distances, or from the start side where no distance was measured. The constraints are linearised like the
// observations and the solution iterates (Gauss-Newton) until the corrections vanish.
//
// Stations are numbered as on the diagram: 0 A, 1 P1, 2 P2, 3 B or P3. X is the northing, Y the easting.
#pragma once

#include <Eigen/Dense>
#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis/NetworkPrecision.h"

namespace morvalen::rigorous {

// A network the adjustment cannot solve (no datum, no convergence, a station on another).
class RigorousError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class ObservationKind { direction, distance };

struct Observation {
    ObservationKind kind = ObservationKind::direction;
    int station = 0, target = 0;  // diagram places 0..3
    int round = 0;                // the round's number in the field book
    double value = 0;             // direction: seconds of arc on the circle of the round; distance: metres
};

// What fixes the network in the plane.
struct Datum {
    bool knownSide = true;            // A and B held; otherwise A and the azimuth A → P1
    double azimuthDegrees = 0;        // the azimuth of S(1), A → P1, decimal degrees (external azimuth case)
    int startSide = 0;                // 1..6: the side whose length is held where no distance gives the scale
    double startSideLength = 0;       // metres
};

struct Network {
    std::array<std::string, 4> names;
    std::array<double, 4> x{}, y{};   // approximate coordinates, metres; those of the fixed stations are held
    Datum datum;
    std::vector<Observation> observations;
    double directionSigmaSeconds = 2;  // a priori σ of one direction (both faces of one round)
    double distanceSigmaMillimetres = 2, distanceSigmaPpm = 2;  // σ = a mm + b ppm of the distance
};

struct AdjustedStation {
    std::string name;
    double x = 0, y = 0;           // metres
    double sxMillimetres = 0, syMillimetres = 0;  // a posteriori: σ0 · √Qxx (σ0 = 1 without redundancy)
    bool fixed = false;
    analysis::ErrorEllipse ellipse;  // millimetres
};

struct AdjustedObservation {
    Observation observed;
    double residual = 0;     // adjusted − observed: seconds of arc, or millimetres
    double sigma = 0;        // a priori: seconds of arc, or millimetres
    double redundancy = 0;   // r = 1 − p aᵀ Qxx a, 0..1
    std::optional<double> w; // w-test v / (σ √r) with the a priori σ; none where r is nil (no check of it)
};

// The precision of one station relative to another (the difference to − from), a posteriori.
struct RelativeEllipse {
    int from = 0, to = 0;
    double distance = 0;             // metres
    analysis::ErrorEllipse ellipse;  // millimetres
};

// The global test of the adjustment: vᵀPv against the 95 % quantile of χ² with dof degrees of freedom (one-sided
// at 5 %: are the observations worse than the a priori σ says?).
struct GlobalTest {
    double limit = 0;  // the bound of σ0² · dof = vᵀPv
    bool passes = true;
};

struct RigorousAdjustment {
    std::array<AdjustedStation, 4> stations;
    std::vector<AdjustedObservation> observations;
    double weightedSquareSum = 0;     // vᵀPv
    int dof = 0;                      // observations − unknowns + constraints
    std::optional<double> sigma0;     // √(vᵀPv / dof); none without redundancy
    std::optional<GlobalTest> globalTest;  // none without redundancy
    std::vector<RelativeEllipse> relative;  // every pair with a station that is not fixed
    std::optional<std::size_t> largestRelative;  // the index in `relative` with the largest semi-axis
    int iterations = 0;
    Eigen::Matrix<double, 8, 8> covariance;  // of (x0, y0, … x3, y3), square metres, a posteriori
};

// The largest absolute coordinate correction at which the iteration stops, metres.
inline constexpr double convergenceMetres = 1e-9;

// Adjusts the network. Throws RigorousError for a datum the observations cannot carry (a singular normal matrix), a
// zero-length line, or an iteration that does not settle within 50 steps.
RigorousAdjustment adjustNetwork(const Network& network);

// The a priori σ of one observation of the network: seconds of arc, or millimetres (a + b ppm of the distance).
double aPrioriSigma(const Network& network, const Observation& observation);

}  // namespace morvalen::rigorous
