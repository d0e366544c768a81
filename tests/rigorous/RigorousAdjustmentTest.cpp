// The rigorous adjustment against a second formulation of the same least-squares problem, and its own figures.
//
// The second formulation carries the datum in the unknowns themselves instead of in constraints: only the stations
// the datum leaves free are unknown, P1 of the azimuth case by its distance along the held azimuth; its design
// matrix is formed by central differences of the observation functions, and it is solved by plain Gauss-Newton on
// the normal equations. Both must reach the same minimum of vᵀPv.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "rigorous/ChiSquare.h"
#include "rigorous/RigorousAdjustment.h"

namespace {

using namespace morvalen::rigorous;
constexpr double secondsPerRadian = 648000 / std::numbers::pi;

struct Figure {
    Network network;
    std::array<double, 4> trueX, trueY;
};

// A convex quadrilateral numbered clockwise (X north, Y east), observed in `rounds` rounds with noise, each round
// on a circle of its own, and distances on every side and diagonal from A and P2 where asked.
Figure randomFigure(std::mt19937& random, bool knownSide, int rounds, bool distances) {
    std::uniform_real_distribution<double> offset(-0.15, 0.15), circle(0, 2 * std::numbers::pi);
    std::normal_distribution<double> noise(0, 1);
    const double size = std::uniform_real_distribution<double>(200, 2000)(random);
    // Clockwise from A in the south-west: A, P1 north-west ... as the diagram runs, with random distortion.
    const std::array<std::array<double, 2>, 4> corners = {{{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
    Figure figure;
    for (std::size_t i = 0; i < 4; ++i) {
        figure.trueX[i] = 3000 + size * (corners[i][0] + offset(random));
        figure.trueY[i] = 5000 + size * (corners[i][1] + offset(random));
    }
    Network& network = figure.network;
    network.names = {"A", "P1", "P2", "B"};
    network.directionSigmaSeconds = 2;
    for (int station = 0; station < 4; ++station) {
        for (int round = 1; round <= rounds; ++round) {
            const double zero = circle(random);
            for (int target = 0; target < 4; ++target) {
                if (target == station) continue;
                const double azimuth = std::atan2(figure.trueY[target] - figure.trueY[station],
                                                  figure.trueX[target] - figure.trueX[station]);
                double seconds = (azimuth - zero) * secondsPerRadian + 2 * noise(random);
                seconds -= 1296000 * std::floor(seconds / 1296000);
                network.observations.push_back({ObservationKind::direction, station, target, round, seconds});
                if (distances && (station == 0 || station == 2)) {
                    const double length = std::hypot(figure.trueY[target] - figure.trueY[station],
                                                     figure.trueX[target] - figure.trueX[station]);
                    network.observations.push_back(
                        {ObservationKind::distance, station, target, round, length + 0.003 * noise(random)});
                }
            }
        }
    }
    // Approximate coordinates a few decimetres off, the fixed stations exact.
    for (std::size_t i = 0; i < 4; ++i) {
        network.x[i] = figure.trueX[i] + (i == 0 || (i == 3 && knownSide) ? 0 : 0.3 * noise(random));
        network.y[i] = figure.trueY[i] + (i == 0 || (i == 3 && knownSide) ? 0 : 0.3 * noise(random));
    }
    network.datum.knownSide = knownSide;
    network.datum.azimuthDegrees =
        std::atan2(figure.trueY[1] - figure.trueY[0], figure.trueX[1] - figure.trueX[0]) * 180 / std::numbers::pi;
    network.datum.startSide = 1;  // A–P1, held where no distance was measured
    network.datum.startSideLength = std::hypot(figure.trueX[1] - figure.trueX[0], figure.trueY[1] - figure.trueY[0]);
    return figure;
}

// The second formulation. Unknowns: free coordinates, then orientations; the stations follow from them.
struct SecondFormulation {
    const Network& network;
    std::vector<std::pair<int, int>> orientations;  // (station, round)

    std::array<double, 8> stations(const Eigen::VectorXd& p) const {
        std::array<double, 8> s{network.x[0], network.y[0], 0, 0, p(0), p(1), 0, 0};
        if (network.datum.knownSide) {
            s = {network.x[0], network.y[0], p(0), p(1), p(2), p(3), network.x[3], network.y[3]};
        } else {
            const double azimuth = network.datum.azimuthDegrees * std::numbers::pi / 180;
            s[2] = network.x[0] + p(0) * std::cos(azimuth);
            s[3] = network.y[0] + p(0) * std::sin(azimuth);
            s[4] = p(1), s[5] = p(2), s[6] = p(3), s[7] = p(4);
        }
        return s;
    }
    int coordinateUnknowns() const { return network.datum.knownSide ? 4 : 5; }
    // The azimuth case without distances holds A–P1 at the start side's length.
    bool lengthHeld() const {
        return !network.datum.knownSide && std::none_of(network.observations.begin(), network.observations.end(),
                                                        [](const Observation& o) { return o.kind == ObservationKind::distance; });
    }
    // Weighted computed − observed, √p (f(p) − l).
    Eigen::VectorXd weightedResiduals(const Eigen::VectorXd& p) const {
        const auto s = stations(p);
        Eigen::VectorXd r(static_cast<Eigen::Index>(network.observations.size()));
        for (std::size_t k = 0; k < network.observations.size(); ++k) {
            const Observation& o = network.observations[k];
            const double dx = s[2 * o.target] - s[2 * o.station], dy = s[2 * o.target + 1] - s[2 * o.station + 1];
            if (o.kind == ObservationKind::distance) {
                r(static_cast<Eigen::Index>(k)) = (std::hypot(dx, dy) - o.value) * 1000 / aPrioriSigma(network, o);
                continue;
            }
            const auto at = std::find(orientations.begin(), orientations.end(), std::pair{o.station, o.round});
            double v = std::atan2(dy, dx) - p(coordinateUnknowns() + (at - orientations.begin())) - o.value / secondsPerRadian;
            v = std::remainder(v, 2 * std::numbers::pi);
            r(static_cast<Eigen::Index>(k)) = v * secondsPerRadian / aPrioriSigma(network, o);
        }
        return r;
    }
    Eigen::VectorXd solve() {
        for (const Observation& o : network.observations) {
            if (o.kind == ObservationKind::direction &&
                std::find(orientations.begin(), orientations.end(), std::pair{o.station, o.round}) == orientations.end()) {
                orientations.emplace_back(o.station, o.round);
            }
        }
        Eigen::VectorXd p = Eigen::VectorXd::Zero(coordinateUnknowns() + static_cast<Eigen::Index>(orientations.size()));
        if (network.datum.knownSide) p.head(4) << network.x[1], network.y[1], network.x[2], network.y[2];
        else p.head(5) << (lengthHeld() ? network.datum.startSideLength
                                        : std::hypot(network.x[1] - network.x[0], network.y[1] - network.y[0])),
            network.x[2], network.y[2], network.x[3], network.y[3];
        for (std::size_t j = 0; j < orientations.size(); ++j) {  // from the first direction of each round
            for (const Observation& o : network.observations) {
                if (o.kind != ObservationKind::direction || std::pair{o.station, o.round} != orientations[j]) continue;
                const auto s = stations(p);
                p(coordinateUnknowns() + static_cast<Eigen::Index>(j)) =
                    std::atan2(s[2 * o.target + 1] - s[2 * o.station + 1], s[2 * o.target] - s[2 * o.station]) -
                    o.value / secondsPerRadian;
                break;
            }
        }
        for (int iteration = 0; iteration < 30; ++iteration) {
            Eigen::MatrixXd jacobian(static_cast<Eigen::Index>(network.observations.size()), p.size());
            for (Eigen::Index j = 0; j < p.size(); ++j) {
                const double h = j < coordinateUnknowns() ? 1e-4 : 1e-7;
                Eigen::VectorXd up = p, down = p;
                up(j) += h, down(j) -= h;
                jacobian.col(j) = (weightedResiduals(up) - weightedResiduals(down)) / (2 * h);
            }
            if (lengthHeld()) jacobian.col(0).setZero();
            Eigen::MatrixXd normal = jacobian.transpose() * jacobian;
            if (lengthHeld()) normal(0, 0) = 1;  // no correction to the held length
            const Eigen::VectorXd step = normal.ldlt().solve(-jacobian.transpose() * weightedResiduals(p));
            p += step;
            if (step.head(coordinateUnknowns()).cwiseAbs().maxCoeff() < 1e-10) break;
        }
        return p;
    }
};

TEST(RigorousAdjustment, AgreesWithTheSecondFormulationOnRandomFigures) {
    std::mt19937 random(20261209);
    struct Case { bool knownSide; int rounds; bool distances; };
    const Case cases[] = {{true, 1, false}, {true, 2, false}, {true, 3, true},
                          {false, 1, false}, {false, 2, false}, {false, 2, true}};
    for (const Case& c : cases) {
        for (int figureNumber = 0; figureNumber < 10; ++figureNumber) {
            const Figure figure = randomFigure(random, c.knownSide, c.rounds, c.distances);
            const RigorousAdjustment adjusted = adjustNetwork(figure.network);
            SecondFormulation second{figure.network, {}};
            const Eigen::VectorXd p = second.solve();
            const auto stations = second.stations(p);
            const std::string what = std::to_string(c.knownSide) + "/" + std::to_string(c.rounds) + "/" +
                                     std::to_string(c.distances) + " figure " + std::to_string(figureNumber);
            for (std::size_t i = 0; i < 4; ++i) {
                EXPECT_NEAR(adjusted.stations[i].x, stations[2 * i], 1e-6) << what;
                EXPECT_NEAR(adjusted.stations[i].y, stations[2 * i + 1], 1e-6) << what;
            }
            EXPECT_NEAR(adjusted.weightedSquareSum, second.weightedResiduals(p).squaredNorm(),
                        1e-6 * adjusted.weightedSquareSum) << what;
            // The degrees of freedom: one round of the four directions sets carries the four conditions of the figure.
            const int expectedDof = static_cast<int>(figure.network.observations.size()) - static_cast<int>(p.size()) +
                                    (second.lengthHeld() ? 1 : 0);
            EXPECT_EQ(adjusted.dof, expectedDof) << what;
            if (c.rounds == 1 && !c.distances) {
                EXPECT_EQ(adjusted.dof, 4) << what;
            }
            double redundancies = 0;
            for (const AdjustedObservation& o : adjusted.observations) redundancies += o.redundancy;
            EXPECT_NEAR(redundancies, adjusted.dof, 1e-6) << what;
        }
    }
}

// Error-free directions of a known figure give it back, with no residual and σ0 nil.
TEST(RigorousAdjustment, ExactObservationsGiveTheFigureBack) {
    std::mt19937 random(7);
    Figure figure = randomFigure(random, true, 2, true);
    for (Observation& o : figure.network.observations) {
        const double dx = figure.trueX[o.target] - figure.trueX[o.station];
        const double dy = figure.trueY[o.target] - figure.trueY[o.station];
        o.value = o.kind == ObservationKind::distance ? std::hypot(dx, dy)
                                                      : std::atan2(dy, dx) * secondsPerRadian + 1296000 * o.round / 7.0;
    }
    const RigorousAdjustment adjusted = adjustNetwork(figure.network);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(adjusted.stations[i].x, figure.trueX[i], 1e-8);
    EXPECT_LT(*adjusted.sigma0, 1e-6);
    EXPECT_TRUE(adjusted.globalTest->passes);
    for (const AdjustedObservation& o : adjusted.observations) EXPECT_NEAR(o.residual, 0, 1e-4);
}

// The χ² quantiles of the tables.
TEST(RigorousAdjustment, ChiSquareQuantiles) {
    struct Case { int dof; double lower, upper; };
    for (const Case& c : {Case{1, 0.000982, 5.024}, Case{4, 0.4844, 11.143}, Case{12, 4.404, 23.337}, Case{30, 16.791, 46.979}}) {
        EXPECT_NEAR(chiSquareQuantile(0.025, c.dof), c.lower, 1e-3 * c.lower) << c.dof;
        EXPECT_NEAR(chiSquareQuantile(0.975, c.dof), c.upper, 1e-3 * c.upper) << c.dof;
    }
}

}  // namespace
