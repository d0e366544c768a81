#include "analysis/NetworkPrecision.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "adjust/AngleConversions.h"
#include "adjust/Precision.h"
#include "analysis/LinearisedConditions.h"
#include "coords/CoordinateComputation.h"
#include "coords/QuadrilateralGeometry.h"
#include "entry/RunStopped.h"

namespace morvalen::analysis {
namespace {

constexpr double millimetresPerMetre = 1000;
constexpr double secondsPerRadian = 180 / std::numbers::pi * 3600;

// The length, its error and the azimuth error of the line from station i to station j; the figures that the data of
// the case fix stay zero (their propagated values are rounding noise of the Jacobian).
struct LineFigures {
    double length = 0;        // metres
    double lengthError = 0;   // metres
    std::optional<double> relativeErrorDenominator;  // T of 1/T = lengthError / length; none without a length error
    double azimuthError = 0;  // seconds of arc
};

LineFigures lineFigures(const StationVector& stations, const StationCovariance& covariance, int i, int j,
                        bool fixedLength, bool fixedAzimuth) {
    LineFigures line;
    line.length = std::hypot(stations(2 * j) - stations(2 * i), stations(2 * j + 1) - stations(2 * i + 1));
    const SideGradients gradients = sideGradients(stations, i, j, line.length);
    if (!fixedLength) line.lengthError = std::sqrt(std::max(gradients.length.dot(covariance * gradients.length), 0.0));
    if (line.lengthError > 0) line.relativeErrorDenominator = line.length / line.lengthError;
    if (!fixedAzimuth) {
        line.azimuthError =
            std::sqrt(std::max(gradients.azimuth.dot(covariance * gradients.azimuth), 0.0)) * secondsPerRadian;
    }
    return line;
}

// The covariance of the coordinate difference of station j less station i (X, Y), square metres: both stations'
// own covariances less their correlation. Along the line for a fixed length and across it for a fixed azimuth it is
// zero by the data; there the propagated rounding noise is taken out.
Eigen::Matrix2d differenceCovariance(const StationVector& stations, const StationCovariance& covariance, int i, int j,
                                     bool fixedLength, bool fixedAzimuth) {
    const Eigen::Matrix2d difference = covariance.block<2, 2>(2 * j, 2 * j) + covariance.block<2, 2>(2 * i, 2 * i) -
                                       covariance.block<2, 2>(2 * j, 2 * i) - covariance.block<2, 2>(2 * i, 2 * j);
    if (!fixedLength && !fixedAzimuth) return difference;
    const Eigen::Vector2d along =
        Eigen::Vector2d(stations(2 * j) - stations(2 * i), stations(2 * j + 1) - stations(2 * i + 1)).normalized();
    Eigen::Matrix2d frame;  // columns: along the line, across it
    frame << along(0), -along(1), along(1), along(0);
    Eigen::Matrix2d inFrame = frame.transpose() * difference * frame;
    inFrame(0, 1) = inFrame(1, 0) = 0;
    if (fixedLength) inFrame(0, 0) = 0;
    if (fixedAzimuth) inFrame(1, 1) = 0;
    return frame * inFrame * frame.transpose();
}

RelativePrecision relativePrecision(const NetworkPrecision& precision, const StationVector& stations,
                                    const StationCovariance& covariance, int from, int to) {
    RelativePrecision pair;
    pair.from = from;
    pair.to = to;
    pair.side = sideJoining(from, to);
    pair.fixedLength = lengthFixed(precision, pair.side);
    pair.fixedAzimuth = azimuthFixed(precision, pair.side);
    const LineFigures line = lineFigures(stations, covariance, from, to, pair.fixedLength, pair.fixedAzimuth);
    pair.distance = line.length;
    pair.distanceError = line.lengthError * millimetresPerMetre;
    pair.relativeErrorDenominator = line.relativeErrorDenominator;
    pair.azimuthError = line.azimuthError;
    const Eigen::Matrix2d difference =
        differenceCovariance(stations, covariance, from, to, pair.fixedLength, pair.fixedAzimuth) *
        (millimetresPerMetre * millimetresPerMetre);
    pair.ellipse = errorEllipse(difference(0, 0), difference(0, 1), difference(1, 1));
    return pair;
}

StationPrecision stationPrecision(const SurveyState& state, const StationVector& stations,
                                  const StationCovariance& covariance, int row, bool fixed) {
    StationPrecision station;
    station.row = row;
    station.name = static_cast<std::size_t>(row) < state.pointNames.size() ? state.pointNames[row] : std::string();
    station.x = stations(2 * row);
    station.y = stations(2 * row + 1);
    station.fixed = fixed;
    if (fixed) return station;
    const double squareMillimetres = millimetresPerMetre * millimetresPerMetre;
    const double xx = covariance(2 * row, 2 * row) * squareMillimetres;
    const double yy = covariance(2 * row + 1, 2 * row + 1) * squareMillimetres;
    const double xy = covariance(2 * row, 2 * row + 1) * squareMillimetres;
    station.mx = std::sqrt(std::max(xx, 0.0));
    station.my = std::sqrt(std::max(yy, 0.0));
    station.mp = std::sqrt(station.mx * station.mx + station.my * station.my);
    station.ellipse = errorEllipse(xx, xy, yy);
    return station;
}

// The stations as the run placed them; B of the known-side case as entered (it is fixed).
StationVector stationsOf(const SurveyState& state) {
    StationVector stations;
    for (int row = 0; row < 4; ++row) {
        stations(2 * row) = state.pointX[static_cast<std::size_t>(row)];
        stations(2 * row + 1) = state.pointY[static_cast<std::size_t>(row)];
    }
    if (runCase(state) == RunCase::knownSide) {
        stations(6) = state.xb.numericValue().value();
        stations(7) = state.yb.numericValue().value();
    }
    return stations;
}

}  // namespace

SideGradients sideGradients(const StationVector& stations, int i, int j, double length) {
    const double dx = stations(2 * j) - stations(2 * i), dy = stations(2 * j + 1) - stations(2 * i + 1);
    SideGradients gradients;
    gradients.length(2 * j) = dx / length;
    gradients.length(2 * j + 1) = dy / length;
    gradients.length(2 * i) = -dx / length;
    gradients.length(2 * i + 1) = -dy / length;
    // α = atan2(Δy, Δx): dα = (Δx dΔy − Δy dΔx) / L².
    const double squared = length * length;
    gradients.azimuth(2 * j) = -dy / squared;
    gradients.azimuth(2 * j + 1) = dx / squared;
    gradients.azimuth(2 * i) = dy / squared;
    gradients.azimuth(2 * i + 1) = -dx / squared;
    return gradients;
}

int sideJoining(int station, int otherStation) {
    for (std::size_t s = 0; s < sideStations.size(); ++s) {
        const auto& [from, to] = sideStations[s];
        if ((from == station && to == otherStation) || (from == otherStation && to == station)) {
            return static_cast<int>(s) + 1;
        }
    }
    return 0;
}

bool lengthFixed(const NetworkPrecision& precision, int side) { return side == precision.heavySide; }

bool azimuthFixed(const NetworkPrecision& precision, int side) {
    // The known side is fixed in both length and azimuth; in the azimuth case the orientation Ta + Qa fixes S(1).
    return precision.knownSide ? side == 4 : side == 1;
}

ErrorEllipse errorEllipse(double xx, double xy, double yy) {
    const double mean = (xx + yy) / 2;
    const double radius = std::hypot((xx - yy) / 2, xy);
    ErrorEllipse ellipse;
    const double major = mean + radius, minor = mean - radius;
    ellipse.a = std::sqrt(std::max(major, 0.0));
    // Where the data fix a line's length the ellipse is a segment: the minor axis is the difference of two equal
    // numbers, and rounding leaves a few units of their last place (√ε of the major axis). A minor semi-axis under a
    // millionth of the major one is that, not a precision: it is zero.
    constexpr double roundingShare = 1e-12;  // of the major axis squared: 1e-6 of the semi-axis
    ellipse.b = minor > roundingShare * major ? std::sqrt(minor) : 0.0;
    // tan 2φ = 2xy / (xx − yy), the quadrant of 2φ from the signs; brought into 0..180.
    double phi = std::atan2(2 * xy, xx - yy) / 2 * 180 / std::numbers::pi;
    if (phi < 0) phi += 180;
    if (phi >= 180) phi -= 180;
    ellipse.phiDegrees = phi;
    return ellipse;
}

StationVector stationsAt(const SurveyState& state, const AngleArray& anglesDegrees) {
    SurveyState run = state;
    for (std::size_t k = 1; k <= 8; ++k) run.adjustedAngles[k].setNumber(anglesDegrees[k]);
    StationVector stations;
    if (runCase(state) == RunCase::knownSide) {
        cm2(run);
        // B is fixed: its entered coordinates, not the ones computed through the network.
        stations(6) = state.xb.numericValue().value();
        stations(7) = state.yb.numericValue().value();
        for (int row = 0; row < 3; ++row) {
            stations(2 * row) = run.pointX[static_cast<std::size_t>(row)];
            stations(2 * row + 1) = run.pointY[static_cast<std::size_t>(row)];
        }
    } else {
        // The run's own copies of Ta and Qa, as the compute command hands them over.
        EntryValue Ta = state.Ta, Qa = state.Qa;
        Cm1(run, Ta, Qa);
        for (int row = 0; row < 4; ++row) {
            stations(2 * row) = run.pointX[static_cast<std::size_t>(row)];
            stations(2 * row + 1) = run.pointY[static_cast<std::size_t>(row)];
        }
    }
    return stations;
}

StationJacobian stationJacobian(const SurveyState& state, double stepSeconds) {
    const AngleArray adjusted = adjustedAnglesInDegrees(state);
    const double step = stepSeconds / secondsPerDegree;
    StationJacobian jacobian;
    for (std::size_t k = 1; k <= 8; ++k) {
        AngleArray above = adjusted, below = adjusted;
        above[k] += step;
        below[k] -= step;
        jacobian.col(static_cast<Eigen::Index>(k - 1)) =
            (stationsAt(state, above) - stationsAt(state, below)) / (2 * stepSeconds);
    }
    return jacobian;
}

Eigen::Matrix<double, 8, 8> adjustedAngleCovariance(const SurveyState& state, double sigmaSeconds) {
    const ConditionMatrix conditions = conditionMatrixAt(adjustedAnglesInDegrees(state), state.radiansPerDegree);
    const Eigen::Matrix4d normal = conditions * conditions.transpose();
    const Eigen::Matrix<double, 8, 8> projection = conditions.transpose() * normal.llt().solve(conditions);
    return sigmaSeconds * sigmaSeconds * (Eigen::Matrix<double, 8, 8>::Identity() - projection);
}

std::optional<NetworkPrecision> analysePrecision(const RunRecord& record, double sigmaSeconds) {
    const SurveyState& state = record.state;
    const RunCase kind = runCase(state);
    if (!state.computationComplete || kind == RunCase::mixed || !record.steps.coordinates.traverse) return std::nullopt;
    NetworkPrecision precision;
    precision.sigma = sigmaSeconds;
    precision.knownSide = kind == RunCase::knownSide;
    precision.heavySide = precision.knownSide ? 4 : state.startSideNumber;

    const StationVector stations = stationsOf(state);
    StationJacobian jacobian;
    try {
        jacobian = stationJacobian(state);
    } catch (const RunStopped&) {
        return std::nullopt;  // an angle within a second of arc of where the computation has no meaning
    }
    const StationCovariance covariance =
        jacobian * adjustedAngleCovariance(state, sigmaSeconds) * jacobian.transpose();

    for (int row = 0; row < 4; ++row) {
        const bool fixed = row == 0 || (precision.knownSide && row == 3);
        precision.stations[static_cast<std::size_t>(row)] = stationPrecision(state, stations, covariance, row, fixed);
    }

    for (int from = 0; from < 4; ++from) {
        for (int to = from + 1; to < 4; ++to) {
            if (precision.stations[static_cast<std::size_t>(from)].fixed &&
                precision.stations[static_cast<std::size_t>(to)].fixed) {
                continue;
            }
            precision.relative.push_back(relativePrecision(precision, stations, covariance, from, to));
            const std::size_t index = precision.relative.size() - 1;
            if (precision.relative[index].ellipse.a > 0 &&
                (!precision.largestRelative ||
                 precision.relative[index].ellipse.a > precision.relative[*precision.largestRelative].ellipse.a)) {
                precision.largestRelative = index;
            }
        }
    }

    double weakest = 0;
    for (int s = 0; s < 6; ++s) {
        SidePrecision& side = precision.sides[static_cast<std::size_t>(s)];
        side.side = s + 1;
        side.from = sideStations[static_cast<std::size_t>(s)][0];
        side.to = sideStations[static_cast<std::size_t>(s)][1];
        const LineFigures line = lineFigures(stations, covariance, side.from, side.to,
                                             lengthFixed(precision, side.side), azimuthFixed(precision, side.side));
        side.length = line.length;
        side.relativeErrorDenominator = line.relativeErrorDenominator;
        if (side.relativeErrorDenominator && (weakest == 0 || *side.relativeErrorDenominator < weakest)) {
            weakest = *side.relativeErrorDenominator;
            precision.weakestSide = side.side;
        }
        side.azimuthError = line.azimuthError;
    }

    precision.classicalSide = precision.knownSide ? 2 : 3;
    precision.classicalDenominator = state.relativeErrorDenominator;
    // Worse than the side itself (σ of thousands of seconds) the figure keeps its fraction: 1/0 is no result.
    const double atSigma = relativeErrorNumerator / (sigmaSeconds * std::sqrt(state.invPlgs));
    precision.classicalDenominatorAtSigma = atSigma >= 1 ? std::trunc(atSigma) : atSigma;
    return precision;
}

}  // namespace morvalen::analysis
