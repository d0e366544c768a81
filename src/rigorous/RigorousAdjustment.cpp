#include "rigorous/RigorousAdjustment.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <utility>

#include "i18n/Language.h"
#include "rigorous/ChiSquare.h"

namespace morvalen::rigorous {
namespace {

constexpr double secondsPerRadian = 648000 / std::numbers::pi;
constexpr double millimetresPerMetre = 1000;
constexpr int coordinateCount = 8;  // x, y of the four stations
constexpr int iterationLimit = 50;

// Into −π ≤ x < π.
double wrapped(double radians) {
    return radians - 2 * std::numbers::pi * std::floor((radians + std::numbers::pi) / (2 * std::numbers::pi));
}

using Coordinates = analysis::StationVector;

// The line from station i to station j at the current coordinates: length, azimuth and their gradients.
struct Line {
    double length = 0;   // metres
    double azimuth = 0;  // radians
    Coordinates lengthGradient = Coordinates::Zero();   // metres per metre
    Coordinates azimuthGradient = Coordinates::Zero();  // radians per metre
};

Line lineBetween(const Coordinates& at, int i, int j) {
    Line line;
    line.length = std::hypot(at(2 * j) - at(2 * i), at(2 * j + 1) - at(2 * i + 1));
    if (!(line.length > 0)) throw RigorousError(i18n::translate("四边形的两个测站重合"));
    line.azimuth = std::atan2(at(2 * j + 1) - at(2 * i + 1), at(2 * j) - at(2 * i));
    const analysis::SideGradients gradients = analysis::sideGradients(at, i, j, line.length);
    line.lengthGradient = gradients.length;
    line.azimuthGradient = gradients.azimuth;
    return line;
}

// The unknowns: the eight coordinates, then one orientation (radians) per station and round.
struct Unknowns {
    Coordinates coordinates;
    std::map<std::pair<int, int>, int> orientationIndex;  // (station, round) → index in the vector
    Eigen::VectorXd values;
};

// Orientations from the approximate coordinates: the mean over the round of azimuth − direction.
Unknowns startingUnknowns(const Network& network) {
    Unknowns unknowns;
    for (int i = 0; i < 4; ++i) unknowns.coordinates.segment<2>(2 * i) << network.x[i], network.y[i];
    std::map<std::pair<int, int>, std::pair<double, int>> sums;  // offsets from the first, counted
    std::map<std::pair<int, int>, double> first;
    for (const Observation& observation : network.observations) {
        if (observation.kind != ObservationKind::direction) continue;
        const std::pair key{observation.station, observation.round};
        const double offset = lineBetween(unknowns.coordinates, observation.station, observation.target).azimuth -
                              observation.value / secondsPerRadian;
        if (!first.contains(key)) first[key] = offset;
        auto& [sum, count] = sums[key];
        sum += wrapped(offset - first[key]);
        ++count;
    }
    unknowns.values = Eigen::VectorXd::Zero(coordinateCount + static_cast<Eigen::Index>(sums.size()));
    unknowns.values.head<coordinateCount>() = unknowns.coordinates;
    int index = coordinateCount;
    for (const auto& [key, sum] : sums) {
        unknowns.orientationIndex[key] = index;
        unknowns.values(index++) = first[key] + sum.first / sum.second;
    }
    return unknowns;
}

// One linearised observation: its design row, observed − computed, and its weight.
struct Linearised {
    Eigen::RowVectorXd row;
    double misclosure = 0;  // observed − computed: radians, or metres
    double computedMinusObserved = 0;
    double weight = 0;
};

Linearised linearised(const Network& network, const Unknowns& unknowns, const Observation& observation) {
    const Coordinates at = unknowns.values.head<coordinateCount>();
    const Line line = lineBetween(at, observation.station, observation.target);
    Linearised result;
    result.row = Eigen::RowVectorXd::Zero(unknowns.values.size());
    if (observation.kind == ObservationKind::direction) {
        const int orientation = unknowns.orientationIndex.at({observation.station, observation.round});
        result.row.head<coordinateCount>() = line.azimuthGradient.transpose();
        result.row(orientation) = -1;
        result.computedMinusObserved =
            wrapped(line.azimuth - unknowns.values(orientation) - observation.value / secondsPerRadian);
        const double sigma = aPrioriSigma(network, observation) / secondsPerRadian;
        result.weight = 1 / (sigma * sigma);
    } else {
        result.row.head<coordinateCount>() = line.lengthGradient.transpose();
        result.computedMinusObserved = line.length - observation.value;
        const double sigma = aPrioriSigma(network, observation) / millimetresPerMetre;
        result.weight = 1 / (sigma * sigma);
    }
    result.misclosure = -result.computedMinusObserved;
    return result;
}

// The constraints of the datum, linearised: rows on the unknowns and target − current.
struct Constraints {
    Eigen::MatrixXd rows;
    Eigen::VectorXd misclosures;
};

bool hasDistances(const Network& network) {
    return std::any_of(network.observations.begin(), network.observations.end(),
                       [](const Observation& observation) { return observation.kind == ObservationKind::distance; });
}

Constraints datumConstraints(const Network& network, const Unknowns& unknowns) {
    const Coordinates at = unknowns.values.head<coordinateCount>();
    std::vector<std::pair<Eigen::RowVectorXd, double>> rows;
    const auto holdCoordinate = [&](int index, double value) {
        Eigen::RowVectorXd row = Eigen::RowVectorXd::Zero(unknowns.values.size());
        row(index) = 1;
        rows.emplace_back(row, value - at(index));
    };
    holdCoordinate(0, network.x[0]);
    holdCoordinate(1, network.y[0]);
    if (network.datum.knownSide) {
        holdCoordinate(6, network.x[3]);
        holdCoordinate(7, network.y[3]);
    } else {
        const Line first = lineBetween(at, 0, 1);
        Eigen::RowVectorXd row = Eigen::RowVectorXd::Zero(unknowns.values.size());
        row.head<coordinateCount>() = first.azimuthGradient.transpose();
        rows.emplace_back(row, wrapped(network.datum.azimuthDegrees * std::numbers::pi / 180 - first.azimuth));
        if (!hasDistances(network)) {
            const int side = network.datum.startSide;
            if (side < 1 || side > 6) throw RigorousError(i18n::translate("没有测距，也没有起始边给出尺度"));
            const auto [i, j] = analysis::sideStations[static_cast<std::size_t>(side - 1)];
            const Line start = lineBetween(at, i, j);
            row = Eigen::RowVectorXd::Zero(unknowns.values.size());
            row.head<coordinateCount>() = start.lengthGradient.transpose();
            rows.emplace_back(row, network.datum.startSideLength - start.length);
        }
    }
    Constraints constraints{Eigen::MatrixXd(static_cast<Eigen::Index>(rows.size()), unknowns.values.size()),
                            Eigen::VectorXd(static_cast<Eigen::Index>(rows.size()))};
    for (std::size_t k = 0; k < rows.size(); ++k) {
        constraints.rows.row(static_cast<Eigen::Index>(k)) = rows[k].first;
        constraints.misclosures(static_cast<Eigen::Index>(k)) = rows[k].second;
    }
    return constraints;
}

// The bordered normal matrix [N Cᵀ; C 0] at the current unknowns, and its right-hand side [Aᵀ P l; c].
struct NormalSystem {
    Eigen::MatrixXd matrix;
    Eigen::VectorXd rightHandSide;
    std::vector<Linearised> observations;
    Eigen::Index constraints = 0;
};

NormalSystem normalSystem(const Network& network, const Unknowns& unknowns) {
    const Eigen::Index u = unknowns.values.size();
    const Constraints constraints = datumConstraints(network, unknowns);
    const Eigen::Index c = constraints.rows.rows();
    NormalSystem system{Eigen::MatrixXd::Zero(u + c, u + c), Eigen::VectorXd::Zero(u + c), {}, c};
    for (const Observation& observation : network.observations) {
        Linearised equation = linearised(network, unknowns, observation);
        system.matrix.topLeftCorner(u, u) += equation.weight * equation.row.transpose() * equation.row;
        system.rightHandSide.head(u) += equation.weight * equation.misclosure * equation.row.transpose();
        system.observations.push_back(std::move(equation));
    }
    system.matrix.bottomLeftCorner(c, u) = constraints.rows;
    system.matrix.topRightCorner(u, c) = constraints.rows.transpose();
    system.rightHandSide.tail(c) = constraints.misclosures;
    return system;
}

// The bordered system solved with its unknowns scaled to unit diagonal and its constraint rows to unit length
// (directions weigh some 10¹⁰ per radian², coordinates some 10⁴ per m², a held coordinate 1), so that the rank
// decision of the decomposition compares like with like. M⁻¹ = S (S M S)⁻¹ S.
class ScaledSolver {
public:
    explicit ScaledSolver(const NormalSystem& system) {
        const Eigen::Index size = system.matrix.rows(), unknowns = size - system.constraints;
        scale_ = Eigen::VectorXd::Ones(size);
        for (Eigen::Index i = 0; i < unknowns; ++i) {
            if (system.matrix(i, i) > 0) scale_(i) = 1 / std::sqrt(system.matrix(i, i));
        }
        for (Eigen::Index k = unknowns; k < size; ++k) {
            const double length = system.matrix.row(k).head(unknowns).cwiseProduct(scale_.head(unknowns).transpose()).norm();
            if (length > 0) scale_(k) = 1 / length;
        }
        decomposition_.compute(scale_.asDiagonal() * system.matrix * scale_.asDiagonal());
    }
    bool solvable() const { return decomposition_.isInvertible(); }
    Eigen::VectorXd solve(const Eigen::VectorXd& rightHandSide) const {
        return scale_.asDiagonal() * decomposition_.solve(scale_.asDiagonal() * rightHandSide);
    }
    Eigen::MatrixXd inverse() const { return scale_.asDiagonal() * decomposition_.inverse() * scale_.asDiagonal(); }

private:
    Eigen::VectorXd scale_;
    Eigen::FullPivLU<Eigen::MatrixXd> decomposition_;
};

// The precision figures from the cofactors of the unknowns and σ0.
void addPrecision(const Network& network, const Eigen::MatrixXd& cofactors, double scale,
                  RigorousAdjustment& adjustment) {
    adjustment.covariance = scale * scale * cofactors.topLeftCorner<coordinateCount, coordinateCount>();
    const Eigen::Matrix<double, 8, 8> squareMillimetres =
        adjustment.covariance * millimetresPerMetre * millimetresPerMetre;
    for (int i = 0; i < 4; ++i) {
        AdjustedStation& station = adjustment.stations[static_cast<std::size_t>(i)];
        station.fixed = i == 0 || (i == 3 && network.datum.knownSide);
        if (station.fixed) continue;
        const double xx = squareMillimetres(2 * i, 2 * i), yy = squareMillimetres(2 * i + 1, 2 * i + 1);
        station.sxMillimetres = std::sqrt(std::max(xx, 0.0));
        station.syMillimetres = std::sqrt(std::max(yy, 0.0));
        station.ellipse = analysis::errorEllipse(xx, squareMillimetres(2 * i, 2 * i + 1), yy);
    }
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) {
            if (adjustment.stations[static_cast<std::size_t>(i)].fixed &&
                adjustment.stations[static_cast<std::size_t>(j)].fixed) {
                continue;
            }
            const Eigen::Matrix2d difference =
                squareMillimetres.block<2, 2>(2 * j, 2 * j) + squareMillimetres.block<2, 2>(2 * i, 2 * i) -
                squareMillimetres.block<2, 2>(2 * j, 2 * i) - squareMillimetres.block<2, 2>(2 * i, 2 * j);
            const auto& from = adjustment.stations[static_cast<std::size_t>(i)];
            const auto& to = adjustment.stations[static_cast<std::size_t>(j)];
            adjustment.relative.push_back({i, j, std::hypot(to.x - from.x, to.y - from.y),
                                           analysis::errorEllipse(difference(0, 0), difference(0, 1), difference(1, 1))});
            const std::size_t last = adjustment.relative.size() - 1;
            if (!adjustment.largestRelative ||
                adjustment.relative[last].ellipse.a > adjustment.relative[*adjustment.largestRelative].ellipse.a) {
                adjustment.largestRelative = last;
            }
        }
    }
}

}  // namespace

double aPrioriSigma(const Network& network, const Observation& observation) {
    if (observation.kind == ObservationKind::direction) return network.directionSigmaSeconds;
    return network.distanceSigmaMillimetres + network.distanceSigmaPpm * 1e-6 * observation.value * millimetresPerMetre;
}

RigorousAdjustment adjustNetwork(const Network& network) {
    Unknowns unknowns = startingUnknowns(network);
    RigorousAdjustment adjustment;
    NormalSystem system;
    for (;;) {
        system = normalSystem(network, unknowns);
        const ScaledSolver solver(system);
        if (!solver.solvable()) {
            throw RigorousError(i18n::translate("这些观测值在此起算数据下不能确定各测站的坐标"));
        }
        const Eigen::VectorXd correction = solver.solve(system.rightHandSide).head(unknowns.values.size());
        unknowns.values += correction;
        ++adjustment.iterations;
        if (correction.head<coordinateCount>().cwiseAbs().maxCoeff() < convergenceMetres) break;
        if (adjustment.iterations == iterationLimit || !correction.allFinite()) {
            throw RigorousError(i18n::translate("严密平差的迭代不收敛"));
        }
    }
    system = normalSystem(network, unknowns);  // residuals and design at the adjusted coordinates
    const ScaledSolver solver(system);
    const Eigen::Index u = unknowns.values.size();
    const Eigen::MatrixXd cofactors = solver.inverse().topLeftCorner(u, u);
    for (int i = 0; i < 4; ++i) {
        adjustment.stations[static_cast<std::size_t>(i)].name = network.names[static_cast<std::size_t>(i)];
        adjustment.stations[static_cast<std::size_t>(i)].x = unknowns.values(2 * i);
        adjustment.stations[static_cast<std::size_t>(i)].y = unknowns.values(2 * i + 1);
    }
    for (std::size_t k = 0; k < network.observations.size(); ++k) {
        const Linearised& equation = system.observations[k];
        const Observation& observation = network.observations[k];
        const bool direction = observation.kind == ObservationKind::direction;
        AdjustedObservation adjusted{observation, equation.computedMinusObserved *
                                                      (direction ? secondsPerRadian : millimetresPerMetre),
                                     aPrioriSigma(network, observation), 0, std::nullopt};
        adjusted.redundancy =
            std::clamp(1 - equation.weight * (equation.row * cofactors * equation.row.transpose())(0, 0), 0.0, 1.0);
        if (adjusted.redundancy > 1e-9) adjusted.w = adjusted.residual / (adjusted.sigma * std::sqrt(adjusted.redundancy));
        adjustment.weightedSquareSum += equation.weight * equation.computedMinusObserved * equation.computedMinusObserved;
        adjustment.observations.push_back(adjusted);
    }
    adjustment.dof = static_cast<int>(network.observations.size()) - static_cast<int>(u) +
                     static_cast<int>(system.constraints);
    if (adjustment.dof > 0) {
        adjustment.sigma0 = std::sqrt(adjustment.weightedSquareSum / adjustment.dof);
        GlobalTest test{chiSquareQuantile(0.95, adjustment.dof), true};
        test.passes = adjustment.weightedSquareSum <= test.limit;
        adjustment.globalTest = test;
    }
    addPrecision(network, cofactors, adjustment.sigma0.value_or(1), adjustment);
    return adjustment;
}

}  // namespace morvalen::rigorous
