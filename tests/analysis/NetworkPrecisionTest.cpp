// The precision of the stations: the propagation against perturbed angle sets through the compute command itself,
// the Jacobian against another step, the ellipse of a known covariance, and the classical weakest side.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "analysis/NetworkPrecision.h"
#include "support/CompletedComputation.h"

namespace morvalen::analysis {
namespace {

using testing::confirmedEach;
using testing::operator+;

std::array<double, 9> exactAngles() {
    std::array<double, 9> angles{};
    for (std::size_t k = 1; k <= 8; ++k) angles[k] = testing::exactQuadrilateralDegrees[k - 1];
    return angles;
}

// The azimuth case of the worked example, Ta 200°, Qa 153°25′05″, scaled by the diagonal S(5) of 224.7221 m or by
// S(1) of 130.8625 m (with S(1), P1 is fixed by the orientation and the length alone).
RunRecord computeAzimuth(const std::vector<std::string>& angleTexts, bool fromDiagonal = true) {
    RunRecord record;
    FieldModel fields;
    testing::ScriptedPrompt prompt(confirmedEach(testing::azimuthCoordinates) +
                                   confirmedEach({fromDiagonal ? "224.7221" : "130.8625", fromDiagonal ? "5" : "1",
                                                  "200.0000", "153.2505"}) +
                                   confirmedEach(testing::azimuthNames) + confirmedEach(angleTexts));
    runComputeCommand(prompt, fields, record);
    return record;
}

// 2000 sets of angles, each the exact quadrilateral with normal errors of σ = 2″, adjusted and placed by the compute
// command: the spread of each computed station agrees with the propagated covariance. With 2000 sets a variance is
// known to √(2/2000) ≈ 3 %; 12 % is four of that, and 0.1 for a correlation coefficient.
template <class Compute>
void expectPropagatedSpread(Compute compute, const std::vector<int>& rows) {
    constexpr double sigma = 2.0;
    const RunRecord reference = compute(testing::packedAngles(exactAngles()));
    const auto precision = analysePrecision(reference, sigma);
    ASSERT_TRUE(precision);
    const StationCovariance propagated = stationJacobian(reference.state) *
                                         adjustedAngleCovariance(reference.state, sigma) *
                                         stationJacobian(reference.state).transpose();

    std::mt19937 random(16);
    std::normal_distribution<double> error(0, sigma / 3600);
    constexpr int sets = 2000;
    Eigen::Matrix<double, Eigen::Dynamic, 8> samples(sets, 8);
    for (int set = 0; set < sets; ++set) {
        auto angles = exactAngles();
        for (std::size_t k = 1; k <= 8; ++k) angles[k] += error(random);
        const SurveyState state = compute(testing::packedAngles(angles)).state;
        for (int row = 0; row < 4; ++row) {
            samples(set, 2 * row) = row < static_cast<int>(state.pointX.size()) ? state.pointX[row] : 0;
            samples(set, 2 * row + 1) = row < static_cast<int>(state.pointY.size()) ? state.pointY[row] : 0;
        }
    }
    const Eigen::Matrix<double, Eigen::Dynamic, 8> centred = samples.rowwise() - samples.colwise().mean();
    const StationCovariance empirical = centred.transpose() * centred / (sets - 1);
    for (const int row : rows) {
        const int x = 2 * row, y = 2 * row + 1;
        EXPECT_NEAR(empirical(x, x) / propagated(x, x), 1.0, 0.12) << "row " << row;
        EXPECT_NEAR(empirical(y, y) / propagated(y, y), 1.0, 0.12) << "row " << row;
        EXPECT_NEAR(empirical(x, y) / std::sqrt(empirical(x, x) * empirical(y, y)),
                    propagated(x, y) / std::sqrt(propagated(x, x) * propagated(y, y)), 0.1)
            << "row " << row;
        const StationPrecision& station = precision->stations[static_cast<std::size_t>(row)];
        EXPECT_NEAR(station.mx, std::sqrt(propagated(x, x)) * 1000, 1e-9);
        EXPECT_NEAR(station.mp, std::hypot(station.mx, station.my), 1e-12);
        EXPECT_GE(station.ellipse.a, station.ellipse.b);
    }
}

TEST(NetworkPrecision, PropagatedCovarianceMatchesPerturbedComputations) {
    expectPropagatedSpread([](const auto& texts) { return testing::computeKnownSideRun(texts); }, {1, 2});
    expectPropagatedSpread([](const auto& texts) { return computeAzimuth(texts); }, {1, 2, 3});
}

TEST(NetworkPrecision, JacobianDoesNotDependOnTheStep) {
    for (const SurveyState& state : {testing::computeKnownSide(testing::workedAngles),
                                     computeAzimuth(testing::workedAngles).state}) {
        const StationJacobian standard = stationJacobian(state);
        const StationJacobian quarter = stationJacobian(state, jacobianStepSeconds / 4);
        const StationJacobian tenfold = stationJacobian(state, jacobianStepSeconds * 10);
        EXPECT_LT((standard - quarter).cwiseAbs().maxCoeff(), 1e-6 * standard.cwiseAbs().maxCoeff());
        EXPECT_LT((standard - tenfold).cwiseAbs().maxCoeff(), 1e-6 * standard.cwiseAbs().maxCoeff());
        // The fixed station A does not move.
        EXPECT_EQ(standard.row(0).cwiseAbs().maxCoeff(), 0.0);
        EXPECT_EQ(standard.row(1).cwiseAbs().maxCoeff(), 0.0);
    }
}

TEST(NetworkPrecision, EllipseOfAKnownCovariance) {
    // Axes 3 mm along 30° and 1 mm across it: C = R diag(9, 1) Rᵀ with the direction (cos 30°, sin 30°) in (X, Y).
    const double c = std::cos(std::numbers::pi / 6), s = std::sin(std::numbers::pi / 6);
    const ErrorEllipse tilted = errorEllipse(9 * c * c + s * s, 8 * c * s, 9 * s * s + c * c);
    EXPECT_NEAR(tilted.a, 3, 1e-12);
    EXPECT_NEAR(tilted.b, 1, 1e-12);
    EXPECT_NEAR(tilted.phiDegrees, 30, 1e-9);
    // Along 150° (north-west), across it: negative correlation of X and Y.
    const ErrorEllipse northWest = errorEllipse(9 * c * c + s * s, -8 * c * s, 9 * s * s + c * c);
    EXPECT_NEAR(northWest.phiDegrees, 150, 1e-9);
    // The axes of X and Y themselves, and a circle.
    EXPECT_NEAR(errorEllipse(1, 0, 4).phiDegrees, 90, 1e-12);
    EXPECT_NEAR(errorEllipse(4, 0, 1).phiDegrees, 0, 1e-12);
    const ErrorEllipse circle = errorEllipse(4, 0, 4);
    EXPECT_EQ(circle.a, 2);
    EXPECT_EQ(circle.b, 2);
    // A segment 3 mm long along 40° (the data fix the length across it): no minor axis, not the rounding's √ε.
    const double c40 = std::cos(std::numbers::pi * 2 / 9), s40 = std::sin(std::numbers::pi * 2 / 9);
    EXPECT_EQ(errorEllipse(9 * c40 * c40, 9 * c40 * s40, 9 * s40 * s40).b, 0);
}

TEST(NetworkPrecision, TheClassicalWeakestSideAgreesWithThePropagationAtTheSameSigma) {
    // The classical 1/m is the rigorous error of the log of its side with mb for σ: taken at the same σ, the
    // propagation gives the same figure for the same side, to the rounding of 434290 and of the single precision.
    for (const RunRecord& run : {testing::computeKnownSideRun(testing::workedAngles),
                                 computeAzimuth(testing::workedAngles, false)}) {
        const auto precision = analysePrecision(run, 2.5);
        ASSERT_TRUE(precision);
        const SidePrecision& classical = precision->sides[static_cast<std::size_t>(precision->classicalSide - 1)];
        ASSERT_TRUE(classical.relativeErrorDenominator);
        EXPECT_NEAR(*classical.relativeErrorDenominator / precision->classicalDenominatorAtSigma, 1, 2e-5);
        // The weakest side by propagation is the one of the largest relative error.
        const SidePrecision& weakest = precision->sides[static_cast<std::size_t>(precision->weakestSide - 1)];
        for (const SidePrecision& side : precision->sides) {
            if (side.relativeErrorDenominator) {
                EXPECT_GE(*side.relativeErrorDenominator, *weakest.relativeErrorDenominator);
            }
        }
        EXPECT_FALSE(precision->sides[static_cast<std::size_t>(precision->heavySide - 1)].relativeErrorDenominator);
    }
    // From a diagonal the classical figure still reckons S(3) from S(1) as if S(1) were measured: S(3) is fixed
    // better than it says.
    const auto fromDiagonal = analysePrecision(computeAzimuth(testing::workedAngles), 2.5);
    ASSERT_TRUE(fromDiagonal);
    EXPECT_GT(*fromDiagonal->sides[2].relativeErrorDenominator, 1.1 * fromDiagonal->classicalDenominatorAtSigma);
}

// Every pair of stations, known side (no A–B row), from S(1) (A–P1 fixed entirely) and from S(5) (P1–P3 fixed in
// length): the ellipse holds the errors along and across the line, the side of the same line has the same figures,
// a pair with a fixed station has the other's own ellipse, and what the data fix is zero.
TEST(NetworkPrecision, RelativePrecisionOfEveryPairOfStations) {
    const std::pair<RunRecord, std::size_t> cases[] = {{testing::computeKnownSideRun(testing::workedAngles), 5},
                                                         {computeAzimuth(testing::workedAngles, false), 6},
                                                         {computeAzimuth(testing::workedAngles), 6}};
    for (const auto& [run, rows] : cases) {
        const auto precision = analysePrecision(run, 2.0);
        ASSERT_TRUE(precision);
        ASSERT_EQ(precision->relative.size(), rows);
        for (const RelativePrecision& pair : precision->relative) {
            const SidePrecision& side = precision->sides.at(static_cast<std::size_t>(pair.side - 1));
            EXPECT_EQ(std::min(side.from, side.to), pair.from);
            EXPECT_EQ(std::max(side.from, side.to), pair.to);
            EXPECT_EQ(pair.distance, side.length);
            EXPECT_EQ(pair.relativeErrorDenominator, side.relativeErrorDenominator);
            EXPECT_EQ(pair.azimuthError, side.azimuthError);
            const double across = pair.distance * 1000 * pair.azimuthError / (180 / std::numbers::pi * 3600);
            EXPECT_NEAR(std::hypot(pair.ellipse.a, pair.ellipse.b), std::hypot(pair.distanceError, across), 1e-9);
            EXPECT_TRUE(!pair.fixedLength || pair.distanceError == 0);
            EXPECT_TRUE(!(pair.fixedLength || pair.fixedAzimuth) || pair.ellipse.b == 0);  // not √ε of a
            EXPECT_TRUE(!(pair.fixedLength && pair.fixedAzimuth) || pair.ellipse.a == 0);
            const StationPrecision& from = precision->stations[static_cast<std::size_t>(pair.from)];
            const StationPrecision& to = precision->stations[static_cast<std::size_t>(pair.to)];
            if (from.fixed || to.fixed) {
                EXPECT_NEAR(pair.ellipse.a, (from.fixed ? to : from).ellipse.a, 1e-9);
            }
            EXPECT_LE(pair.ellipse.a, precision->relative[*precision->largestRelative].ellipse.a);
        }
    }
}

TEST(NetworkPrecision, NothingAfterAStoppedRun) {
    bool stopped = false;
    auto angles = testing::workedAngles;
    angles[5] = "190";  // a sine that is not positive stops the pole closure
    const RunRecord run = testing::computeKnownSideRun(angles, &stopped);
    ASSERT_TRUE(stopped);
    EXPECT_FALSE(analysePrecision(run, 2.0));
    EXPECT_FALSE(analysePrecision(RunRecord(), 2.0));
}

}  // namespace
}  // namespace morvalen::analysis
