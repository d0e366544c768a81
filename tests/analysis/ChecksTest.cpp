// The checks of a completed computation: the limits of a grade and of an own σ, the redundancy numbers, blunders
// found, exact data left alone, and nothing to check after a stop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "analysis/Checks.h"
#include "analysis/LinearisedConditions.h"
#include "support/CompletedComputation.h"
#include "support/RandomQuadrilateral.h"

namespace morvalen::analysis {
namespace {

using testing::computeKnownSideRun;

std::array<double, 9> exactAngles() {
    std::array<double, 9> angles{};
    for (std::size_t k = 1; k <= 8; ++k) angles[k] = testing::exactQuadrilateralDegrees[k - 1];
    return angles;
}

TEST(Checks, RedundancyNumbersAddUpToTheFourConditions) {
    std::mt19937 random(15);
    for (int trial = 0; trial < 100; ++trial) {
        const auto quadrilateral = testing::randomQuadrilateral(random, 3.0);
        const AngleVector r = redundancyNumbers(conditionMatrixAt(quadrilateral.angles, 3.1415926535 / 180));
        EXPECT_NEAR(r.sum(), 4.0, 1e-12) << "trial " << trial;
        EXPECT_GE(r.minCoeff(), 0.25 - 1e-12);
        EXPECT_LE(r.maxCoeff(), 1.0 + 1e-12);
    }
}

TEST(Checks, LimitsOfAGradeAndOfAnOwnSigma) {
    const RunRecord run = computeKnownSideRun(testing::workedAngles);
    const auto grade = checkComputation(run, CheckStandard::ofGrade(*findGrade("四等")));
    const auto own = checkComputation(run, CheckStandard::ofSigma(2.0));
    ASSERT_TRUE(grade && own);

    EXPECT_EQ(grade->standard.sigma, 2.5);
    for (const TriangleCheck& triangle : grade->triangles) EXPECT_EQ(triangle.limit, 9.0);
    EXPECT_EQ(grade->angleError.limit, 2.5);
    EXPECT_EQ(grade->weakestSide.limit, 40000.0);
    EXPECT_EQ(grade->weakestSide.pass, true);
    EXPECT_FLOAT_EQ(grade->triangles[0].closure, 2.0f);
    EXPECT_FLOAT_EQ(grade->triangles[1].closure, -1.5f);
    EXPECT_NEAR(grade->triangles[2].closure, 0.10, 1e-6);  // b1+b2+b7+b8 of the observed angles
    EXPECT_NEAR(grade->triangles[3].closure, 0.40, 1e-6);  // b3+b4+b5+b6
    EXPECT_TRUE(grade->pass);

    for (const TriangleCheck& triangle : own->triangles) EXPECT_DOUBLE_EQ(triangle.limit, 4 * std::sqrt(3.0));
    EXPECT_EQ(own->angleError.limit, 2.0);
    EXPECT_FALSE(own->weakestSide.limit.has_value());
    EXPECT_FALSE(own->weakestSide.pass.has_value());
    // The pole limit is 2σ√Σc²: the same coefficients under both, in the ratio of the two σ.
    EXPECT_NEAR(own->pole.limit / grade->pole.limit, 2.0 / 2.5, 1e-12);
    EXPECT_NEAR(grade->pole.limit, 31.79, 0.01);
    // Ferrero: √((2² + 1.5²) / 6).
    EXPECT_NEAR(grade->ferrero.value, std::sqrt(6.25 / 6), 1e-6);
}

TEST(Checks, ExactDataPassesWithoutSuspects) {
    bool stopped = true;
    const RunRecord run = computeKnownSideRun(testing::packedAngles(exactAngles()), &stopped);
    ASSERT_FALSE(stopped);
    const auto checks = checkComputation(run, CheckStandard::ofGrade(*findGrade("国家一等")));
    ASSERT_TRUE(checks);
    EXPECT_TRUE(checks->suspects.empty());
    EXPECT_LT(checks->largestStandardized, 0.01);
    EXPECT_TRUE(checks->pass);
}

TEST(Checks, ABlunderPlantedInEachAngleIsNamedAmongTheSuspects) {
    const CheckStandard fourthOrder = CheckStandard::ofGrade(*findGrade("四等"));
    for (std::size_t k = 1; k <= 8; ++k) {
        auto angles = exactAngles();
        angles[k] += 15.0 / 3600;
        const RunRecord run = computeKnownSideRun(testing::packedAngles(angles));
        const auto checks = checkComputation(run, fourthOrder);
        ASSERT_TRUE(checks) << "b(" << k << ")";
        EXPECT_NE(std::find(checks->suspects.begin(), checks->suspects.end(), static_cast<int>(k)),
                  checks->suspects.end())
            << "b(" << k << ")";
        EXPECT_GT(checks->largestStandardized, criticalStandardizedResidual);
        EXPECT_FALSE(checks->pass);
        // 15″ in one triangle of four angles exceeds the 9″ of the grade there.
        EXPECT_FALSE(checks->triangles[k <= 4 ? 0 : 1].pass);
    }
}

TEST(Checks, AfterAStopThereIsNothingToCheck) {
    const RunRecord never;
    EXPECT_FALSE(checkComputation(never, CheckStandard::ofSigma(1)));
    auto angles = testing::workedAngles;
    angles[4] = "abc";
    bool stopped = false;
    const RunRecord run = computeKnownSideRun(angles, &stopped);
    ASSERT_TRUE(stopped);
    EXPECT_FALSE(checkComputation(run, CheckStandard::ofSigma(1)));
    EXPECT_NE(nothingToCheck(run.state), nothingToCheck(never.state));
}

}  // namespace
}  // namespace morvalen::analysis
