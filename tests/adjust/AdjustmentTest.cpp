#include <gtest/gtest.h>

#include <cmath>

#include "adjust/FirstGroup.h"
#include "adjust/Precision.h"
#include "adjust/SecondGroup.h"
#include "entry/RunStopped.h"

namespace morvalen {
namespace {

const double radiansPerDegree = 3.1415926535 / 180;
const CheckedStep step("test");

AdjustmentWork workWith(const AngleArray& angles) {
    AdjustmentWork work;
    work.radiansPerDegree = radiansPerDegree;
    work.angles = angles;
    return work;
}

NormalMatrix emptyNormalMatrix() { return NormalMatrix(4, std::vector<double>(4, 0.0)); }

TEST(FirstGroup, AnExactTriangleIsLeftUnchanged) {
    AngleArray angles = {0, 50, 40, 60, 30, 45, 45, 45, 45};
    const AngleArray before = angles;
    const float w1 = triangleClosure(angles, 1, step);
    EXPECT_EQ(w1, 0.0f);
    distributeTriangleClosure(angles, 1, w1, step);
    EXPECT_EQ(angles, before);
}

TEST(FirstGroup, TwoSecondsAreTakenEquallyFromTheFourAnglesOfTheirTriangleOnly) {
    AngleArray angles = {0, 50, 40, 60, 30 + 2.0 / 3600, 45, 45, 45, 45};
    const AngleArray observed = angles;
    const float w1 = triangleClosure(angles, 1, step);
    EXPECT_NEAR(w1, 2.0f, 1e-5);
    distributeTriangleClosure(angles, 1, w1, step);
    for (int k = 1; k <= 4; ++k) EXPECT_NEAR((observed[k] - angles[k]) * 3600, 0.5, 1e-6) << k;
    for (int k = 5; k <= 8; ++k) EXPECT_EQ(angles[k], observed[k]) << k;
}

TEST(FirstGroup, TheOverlapClosureIsFormedAfterTheDistribution) {
    AngleArray angles = {0, 50, 40, 60, 30 + 2.0 / 3600, 45, 45, 45, 45};  // b1 + b2 = b5 + b6 = 90°
    const float w1 = triangleClosure(angles, 1, step);
    const float w2 = triangleClosure(angles, 5, step);
    distributeTriangleClosure(angles, 1, w1, step);
    distributeTriangleClosure(angles, 5, w2, step);
    EXPECT_NEAR(overlappingTriangleClosure(angles, step), -1.0f, 1e-5);
    EXPECT_NEAR(firstGroupSquareSum(2.0f, 2.0f), 2.0, 1e-12);
}

TEST(PoleCondition, AcceptsNinetyAndOneHundredEightyDegrees) {
    AdjustmentWork work = workWith({0, 90, 30, 40, 20, 180, 25, 60, 35});
    EXPECT_NO_THROW(poleClosure(work, step));
    EXPECT_LT(std::abs(work.poleCoefficients[1]), 1e-9);
    EXPECT_LT(work.poleCoefficients[5], -1e9) << "2.1055 over the tiny negative tangent of 180°";
}

TEST(PoleCondition, StopsAtAnAngleWithoutALogSineOrPoleCoefficient) {
    const auto stopMessage = [](AngleArray angles) {
        AdjustmentWork work = workWith(angles);
        try {
            poleClosure(work, step);
        } catch (const RunStopped& stop) {
            return std::string(stop.cause());
        }
        return std::string("no stop");
    };
    EXPECT_NE(stopMessage({0, 45, 45, 45, 45, 45, 45, 180.0001, 45}).find("b(7) 的正弦不为正"), std::string::npos);
    EXPECT_NE(stopMessage({0, 45, -1, 45, 45, 45, 45, 45, 45}).find("b(2) 的正弦不为正"), std::string::npos);
    EXPECT_NE(stopMessage({0, 45, 45, 0, 45, 45, 45, 45, 45}).find("b(3) 的正切为零"), std::string::npos);
}

TEST(PoleCondition, TheTableConstantTenCancels) {
    AdjustmentWork work = workWith({0, 44.2, 44.3, 49.3, 42.1, 33.2, 55.4, 54.1, 37.4});
    const float w4 = poleClosure(work, step);
    double odd = 0, even = 0;
    for (int k = 1; k <= 8; k += 2) odd += std::log10(std::sin(radiansPerDegree * work.angles[k]));
    for (int k = 2; k <= 8; k += 2) even += std::log10(std::sin(radiansPerDegree * work.angles[k]));
    EXPECT_NEAR(w4, (odd - even) * 1e6, 1e-3);
}

TEST(SecondGroup, SquareFigureHasAlternatingPoleRowAndUncoupledConditions) {
    AdjustmentWork work = workWith({0, 45, 45, 45, 45, 45, 45, 45, 45});
    poleClosure(work, step);
    fillConditionRows(work, step);
    for (int k = 1; k <= 8; ++k) {
        EXPECT_NEAR(work.secondGroupCoefficients[2][k], k % 2 == 1 ? 2.1055 : -2.1055, 1e-9) << k;
    }
    NormalMatrix normal = emptyNormalMatrix();
    formNormalEquations(work, normal, step);
    EXPECT_EQ(normal[1][1], 2.0);
    EXPECT_NEAR(normal[1][2], 0.0, 1e-12);
    EXPECT_EQ(normal[2][1], 0.0) << "the lower triangle stays empty";
    solveCorrelates(work, normal, 3.0f, 4.0f, step);
    EXPECT_NEAR(work.correlate1, -1.5, 1e-9);
    EXPECT_NEAR(work.correlate2, -4.0 / normal[2][2], 1e-12);
}

TEST(SecondGroup, ProportionalConditionsStopAtTheCorrelates) {
    AdjustmentWork work;
    NormalMatrix normal = emptyNormalMatrix();
    formNormalEquations(work, normal, step);  // every row zero
    EXPECT_THROW(solveCorrelates(work, normal, 1.0f, 1.0f, step), RunStopped);
}

TEST(Precision, MeanSquareErrorAndRelativeError) {
    AdjustmentWork work;
    work.firstGroupSquareSum = firstGroupSquareSum(2.0f, 2.0f);
    const float mb = meanSquareErrorOfAngle(work, step);
    EXPECT_NEAR(mb, std::sqrt(0.5), 1e-7);
    EXPECT_EQ(relativeErrorDenominatorOf(1.0f, "", step), 434290.0f);
    EXPECT_EQ(relativeErrorDenominatorOf(2.5f, "", step), 173716.0f);
    EXPECT_EQ(logSideError(2.0f, 0.25, step), 1.0f);
    EXPECT_THROW(logSideError(2.0f, -1e-12, step), RunStopped);
    EXPECT_THROW(relativeErrorDenominatorOf(0.0f, "mb = 0", step), RunStopped);
    EXPECT_THROW(relativeErrorDenominatorOf(1e-40f, "", step), RunStopped) << "too large for a single";
}

TEST(Precision, WeakerRouteIsChosenAndATieTakesRouteOne) {
    AdjustmentWork work;
    work.routeStrength1 = 25.39;
    work.routeStrength2 = 34.86;
    EXPECT_EQ(chooseWeightFunction(RunCase::knownSide, work), WeightFunction::knownSideRoute2);
    work.routeStrength1 = 40;
    EXPECT_EQ(chooseWeightFunction(RunCase::knownSide, work), WeightFunction::knownSideRoute1);
    work.routeStrength2 = 40;
    EXPECT_EQ(chooseWeightFunction(RunCase::knownSide, work), WeightFunction::knownSideRoute1);
    EXPECT_EQ(chooseWeightFunction(RunCase::azimuth, work), WeightFunction::azimuthCase);
    EXPECT_EQ(chooseWeightFunction(RunCase::mixed, work), WeightFunction::none);
}

TEST(Precision, WeightFunctionRowsSumToZeroInEachTriangle) {
    AdjustmentWork work = workWith({0, 44.2, 44.3, 49.3, 42.1, 33.2, 55.4, 54.1, 37.4});
    poleClosure(work, step);
    for (auto weightFunction : {WeightFunction::azimuthCase, WeightFunction::knownSideRoute1,
                                WeightFunction::knownSideRoute2}) {
        fillWeightFunctionRow(work, weightFunction, step);
        const auto& row = work.secondGroupCoefficients[3];
        EXPECT_NEAR(row[1] + row[2] + row[3] + row[4], 0.0, 1e-12);
        EXPECT_NEAR(row[5] + row[6] + row[7] + row[8], 0.0, 1e-12);
    }
    // Route 2 carries S(2) from S(4) through b(8)/b(5) and b(6)/b(3): f = −c(3), −c(5), −c(6), −c(8).
    fillWeightFunctionRow(work, WeightFunction::knownSideRoute2, step);
    const auto& c = work.poleCoefficients;
    EXPECT_NEAR(work.secondGroupCoefficients[3][3], -c[3] - (-c[3]) / 4, 1e-12);
    EXPECT_NEAR(work.secondGroupCoefficients[3][1], -(-c[3]) / 4, 1e-12);
}

}  // namespace
}  // namespace morvalen
