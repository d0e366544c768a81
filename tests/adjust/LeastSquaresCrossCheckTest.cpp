// The two-group solution must equal the simultaneous least-squares solution of all four linearised conditions.
// The simultaneous solution here is formed independently: the full 4 × 8 condition matrix, its 4 × 4 normal
// equations solved by Gaussian elimination, corrections V = Aᵀk. The checks' residuals and redundancy numbers must
// equal those of the same simultaneous solution.
#include <gtest/gtest.h>

#include <cmath>

#include "adjust/FirstGroup.h"
#include "adjust/Precision.h"
#include "adjust/SecondGroup.h"
#include "analysis/Checks.h"
#include "entry/PackedAngle.h"
#include "support/CompletedComputation.h"
#include "support/RandomQuadrilateral.h"

namespace morvalen {
namespace {

const double radiansPerDegree = 3.1415926535 / 180;

// Total corrections in seconds by the program's two groups.
AngleArray twoGroupCorrections(const AngleArray& observed) {
    const CheckedStep step("test");
    AdjustmentWork work;
    work.radiansPerDegree = radiansPerDegree;
    work.angles = observed;
    const float w1 = triangleClosure(work.angles, 1, step);
    const float w2 = triangleClosure(work.angles, 5, step);
    distributeTriangleClosure(work.angles, 1, w1, step);
    distributeTriangleClosure(work.angles, 5, w2, step);
    const float w3 = overlappingTriangleClosure(work.angles, step);
    const float w4 = poleClosure(work, step);
    fillConditionRows(work, step);
    NormalMatrix normal(4, std::vector<double>(4, 0.0));
    formNormalEquations(work, normal, step);
    solveCorrelates(work, normal, w3, w4, step);
    applySecondGroupCorrections(work, step);
    AngleArray corrections{};
    for (int k = 1; k <= 8; ++k) corrections[k] = (work.angles[k] - observed[k]) * 3600;
    return corrections;
}

// The four conditions linearised where the pole condition of the program is linearised: at the angles after the
// equal distribution of the triangle closures. Rows a[i][1..8], closures w[i] of the observed angles.
struct Conditions {
    double a[4][9] = {};
    double w[4] = {};
};

Conditions linearisedConditions(const AngleArray& observed) {
    Conditions conditions;
    auto& a = conditions.a;
    auto& w = conditions.w;
    w[0] = (observed[1] + observed[2] + observed[3] + observed[4] - 180) * 3600;
    w[1] = (observed[5] + observed[6] + observed[7] + observed[8] - 180) * 3600;
    w[2] = (observed[1] + observed[2] - observed[5] - observed[6]) * 3600;
    AngleArray linearisedAt = observed;
    AngleArray firstGroup{};
    for (int k = 1; k <= 8; ++k) {
        firstGroup[k] = -w[k <= 4 ? 0 : 1] / 4;
        linearisedAt[k] += firstGroup[k] / 3600;
    }
    double logSineDifference = 0;
    for (int k = 1; k <= 8; ++k) {
        a[0][k] = k <= 4 ? 1 : 0;
        a[1][k] = k >= 5 ? 1 : 0;
        a[2][k] = (k == 1 || k == 2) ? 1 : (k == 5 || k == 6) ? -1 : 0;
        const double sign = k % 2 == 1 ? 1 : -1;
        // d log10 sin(b) per second of arc, in sixth-decimal units, with the tables' 2.1055.
        a[3][k] = sign * 2.1055 / std::tan(radiansPerDegree * linearisedAt[k]);
        logSineDifference += sign * std::log10(std::sin(radiansPerDegree * linearisedAt[k]));
    }
    w[3] = logSineDifference * 1e6;
    for (int k = 1; k <= 8; ++k) w[3] -= a[3][k] * firstGroup[k];
    return conditions;
}

// Simultaneous solution of the linearised conditions.
AngleArray simultaneousCorrections(const AngleArray& observed) {
    const Conditions conditions = linearisedConditions(observed);
    const auto& a = conditions.a;
    const auto& w = conditions.w;
    double normal[4][5];
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            normal[i][j] = 0;
            for (int k = 1; k <= 8; ++k) normal[i][j] += a[i][k] * a[j][k];
        }
        normal[i][4] = -w[i];
    }
    for (int column = 0; column < 4; ++column) {
        int pivot = column;
        for (int row = column + 1; row < 4; ++row) {
            if (std::abs(normal[row][column]) > std::abs(normal[pivot][column])) pivot = row;
        }
        std::swap(normal[column], normal[pivot]);
        for (int row = 0; row < 4; ++row) {
            if (row == column) continue;
            const double factor = normal[row][column] / normal[column][column];
            for (int j = column; j < 5; ++j) normal[row][j] -= factor * normal[column][j];
        }
    }
    AngleArray corrections{};
    for (int k = 1; k <= 8; ++k) {
        for (int i = 0; i < 4; ++i) corrections[k] += a[i][k] * normal[i][4] / normal[i][i];
    }
    return corrections;
}

TEST(LeastSquaresCrossCheck, TwoGroupsEqualTheSimultaneousSolutionOnRandomQuadrilaterals) {
    std::mt19937 random(20261208);
    for (int trial = 0; trial < 200; ++trial) {
        const auto quadrilateral = testing::randomQuadrilateral(random, 4.0);
        const AngleArray twoGroups = twoGroupCorrections(quadrilateral.angles);
        const AngleArray simultaneous = simultaneousCorrections(quadrilateral.angles);
        for (int k = 1; k <= 8; ++k) {
            ASSERT_NEAR(twoGroups[k], simultaneous[k], 1e-6) << "trial " << trial << ", b(" << k << ")";
        }
    }
}

// r(k) = a(k)ᵀ N⁻¹ a(k), N⁻¹ by Gauss–Jordan elimination of [N | I].
AngleArray simultaneousRedundancy(const AngleArray& observed) {
    const Conditions conditions = linearisedConditions(observed);
    const auto& a = conditions.a;
    double augmented[4][8] = {};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            for (int k = 1; k <= 8; ++k) augmented[i][j] += a[i][k] * a[j][k];
        }
        augmented[i][4 + i] = 1;
    }
    for (int column = 0; column < 4; ++column) {
        int pivot = column;
        for (int row = column + 1; row < 4; ++row) {
            if (std::abs(augmented[row][column]) > std::abs(augmented[pivot][column])) pivot = row;
        }
        std::swap(augmented[column], augmented[pivot]);
        const double diagonal = augmented[column][column];
        for (double& entry : augmented[column]) entry /= diagonal;
        for (int row = 0; row < 4; ++row) {
            if (row == column) continue;
            const double factor = augmented[row][column];
            for (int j = 0; j < 8; ++j) augmented[row][j] -= factor * augmented[column][j];
        }
    }
    AngleArray redundancy{};
    for (int k = 1; k <= 8; ++k) {
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) redundancy[k] += a[i][k] * augmented[i][4 + j] * a[j][k];
        }
    }
    return redundancy;
}

TEST(LeastSquaresCrossCheck, ChecksGiveTheResidualsAndRedundancyNumbersOfTheSimultaneousSolution) {
    std::mt19937 random(1515);
    for (int trial = 0; trial < 40; ++trial) {
        const auto quadrilateral = testing::randomQuadrilateral(random, 4.0);
        const RunRecord run = testing::computeKnownSideRun(testing::packedAngles(quadrilateral.angles));
        const SurveyState& state = run.state;
        const auto checks = analysis::checkComputation(run, analysis::CheckStandard::ofSigma(2.0));
        ASSERT_TRUE(checks) << "trial " << trial;
        AngleArray observed{};
        for (std::size_t k = 1; k <= 8; ++k) observed[k] = *toDegrees(state.observedAngles[k]);
        const AngleArray v = simultaneousCorrections(observed);
        const AngleArray r = simultaneousRedundancy(observed);
        for (std::size_t k = 1; k <= 8; ++k) {
            const analysis::AngleTest& test = checks->angles[k - 1];
            ASSERT_NEAR(test.residual, v[k], 1e-6) << "trial " << trial << ", b(" << k << ")";
            ASSERT_NEAR(test.redundancy, r[k], 1e-9) << "trial " << trial << ", b(" << k << ")";
            ASSERT_NEAR(test.standardized, v[k] / (2.0 * std::sqrt(r[k])), 1e-6);
        }
    }
}

TEST(LeastSquaresCrossCheck, AdjustedAnglesCloseEveryCondition) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 50; ++trial) {
        const auto quadrilateral = testing::randomQuadrilateral(random, 5.0);
        const AngleArray v = twoGroupCorrections(quadrilateral.angles);
        AngleArray b = quadrilateral.angles;
        for (int k = 1; k <= 8; ++k) b[k] += v[k] / 3600;
        EXPECT_NEAR((b[1] + b[2] + b[3] + b[4] - 180) * 3600, 0, 1e-6);
        EXPECT_NEAR((b[5] + b[6] + b[7] + b[8] - 180) * 3600, 0, 1e-6);
        EXPECT_NEAR((b[1] + b[2] - b[5] - b[6]) * 3600, 0, 1e-6);
        double pole = 0;
        for (int k = 1; k <= 8; ++k) pole += (k % 2 ? 1 : -1) * std::log10(std::sin(radiansPerDegree * b[k]));
        EXPECT_NEAR(pole * 1e6, 0, 0.01) << "pole condition closes to the linearisation error";
    }
}

}  // namespace
}  // namespace morvalen
