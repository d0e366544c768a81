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

// The gradients of the length (metres per metre) and of the azimuth (radians per metre) of the side from station i
// to station j with respect to the station vector.
struct SideGradients {
    StationVector length = StationVector::Zero();
    StationVector azimuth = StationVector::Zero();
};

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

}  // namespace

ErrorEllipse errorEllipse(double xx, double xy, double yy) {
    const double mean = (xx + yy) / 2;
    const double radius = std::hypot((xx - yy) / 2, xy);
    ErrorEllipse ellipse;
    ellipse.a = std::sqrt(std::max(mean + radius, 0.0));
    ellipse.b = std::sqrt(std::max(mean - radius, 0.0));
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

std::optional<NetworkPrecision> analysePrecision(const SurveyState& state, double sigmaSeconds) {
    const RunCase kind = runCase(state);
    if (!state.computationComplete || kind == RunCase::mixed) return std::nullopt;
    NetworkPrecision precision;
    precision.sigma = sigmaSeconds;
    precision.knownSide = kind == RunCase::knownSide;
    precision.heavySide = precision.knownSide ? 4 : state.startSideNumber;

    StationVector stations;
    StationJacobian jacobian;
    try {
        stations = stationsAt(state, adjustedAnglesInDegrees(state));
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

    double weakest = 0;
    for (int s = 0; s < 6; ++s) {
        SidePrecision& side = precision.sides[static_cast<std::size_t>(s)];
        side.side = s + 1;
        side.from = sideStations[static_cast<std::size_t>(s)][0];
        side.to = sideStations[static_cast<std::size_t>(s)][1];
        side.length = std::hypot(stations(2 * side.to) - stations(2 * side.from),
                                 stations(2 * side.to + 1) - stations(2 * side.from + 1));
        const SideGradients gradients = sideGradients(stations, side.from, side.to, side.length);
        const bool fixedLength = side.side == precision.heavySide;
        // The known side is fixed in both length and azimuth; in the azimuth case the orientation fixes S(1).
        const bool fixedAzimuth = precision.knownSide ? side.side == 4 : side.side == 1;
        if (!fixedLength) {
            const double lengthError = std::sqrt(std::max(gradients.length.dot(covariance * gradients.length), 0.0));
            if (lengthError > 0) side.relativeErrorDenominator = side.length / lengthError;
            if (side.relativeErrorDenominator && (weakest == 0 || *side.relativeErrorDenominator < weakest)) {
                weakest = *side.relativeErrorDenominator;
                precision.weakestSide = side.side;
            }
        }
        if (!fixedAzimuth) {
            side.azimuthError =
                std::sqrt(std::max(gradients.azimuth.dot(covariance * gradients.azimuth), 0.0)) * secondsPerRadian;
        }
    }

    precision.classicalSide = precision.knownSide ? 2 : 3;
    precision.classicalDenominator = state.relativeErrorDenominator;
    precision.classicalDenominatorAtSigma =
        std::trunc(relativeErrorNumerator / (sigmaSeconds * std::sqrt(state.invPlgs)));
    return precision;
}

}  // namespace morvalen::analysis
