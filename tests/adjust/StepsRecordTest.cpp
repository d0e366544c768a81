// The record of the computation step by step, taken from real runs of the compute command.
#include <gtest/gtest.h>

#include "command/ComputeCommand.h"
#include "report/StepsTables.h"
#include "support/CompletedComputation.h"

namespace morvalen {
namespace {

using namespace morvalen::testing;

struct StepsRun {
    SurveyState state;
    ComputationSteps steps;
    bool stopped = false;
};

StepsRun compute(const std::vector<std::string>& replies) {
    StepsRun run;
    FieldModel fields;
    ScriptedPrompt prompt(replies);
    try {
        runComputeCommand(run.state, prompt, fields, run.steps);
    } catch (const RunStopped&) {
        run.stopped = true;
    }
    return run;
}

std::vector<std::string> knownSide(const std::vector<std::string>& angles,
                                   const std::vector<std::string>& coordinates = knownSideCoordinates) {
    return confirmedEach(coordinates) + confirmedEach(knownSideNames) + confirmedEach(angles);
}

std::vector<std::string> azimuthCase(const std::vector<std::string>& angles, const std::string& startSide = "1") {
    return confirmedEach(azimuthCoordinates) + confirmedEach({"130.8625", startSide, "200.0000", "153.2505"}) +
           confirmedEach(azimuthNames) + confirmedEach(angles);
}

// The exact quadrilateral with 2″ added to b(1) and 1.5″ taken from b(6): its route 1 is the weaker one.
std::vector<std::string> routeOneAngles() {
    std::array<double, 9> degrees{};
    for (std::size_t k = 1; k <= 8; ++k) degrees[k] = exactQuadrilateralDegrees[k - 1];
    degrees[1] += 2.0 / 3600;
    degrees[6] -= 1.5 / 3600;
    return packedAngles(degrees);
}

// b(1) of 200°, its triangle closing: the run stops at the logarithm of its sine.
const std::vector<std::string> poleStopAngles = {"200", "-10", "-5", "-5", "33.10401", "55.22345", "54.03519", "37.22520"};

// Which stages the record holds, in the order the run forms them.
std::vector<bool> stagesReached(const ComputationSteps& steps) {
    const AdjustmentSteps& a = steps.adjustment;
    const CoordinateSteps& c = steps.coordinates;
    using enum AdjustmentResult;
    return {a.firstGroup.has_value(),       a.lastResult >= w3,              a.firstGroupSquareSum.has_value(),
            a.pole.has_value(),             a.routeStrengths.has_value(),    a.coefficientRows.has_value(),
            a.normalMatrix.has_value(),     a.determinant.has_value(),       a.correlates.has_value(),
            a.reciprocalWeight.has_value(), a.corrections.has_value(),       a.afterAdjustment.has_value(),
            a.lastResult >= mb,             a.lastResult >= mlgs,            a.lastResult >= relativeErrorDenominator,
            steps.coordinatesCalled,        c.azimuths.has_value(),          c.legs.has_value(),
            c.traverse.has_value()};
}
constexpr std::size_t allStages = 19;

// The record holds the run's own numbers, and they satisfy the conditions and the normal equations they come from.
void expectTheRunsOwnNumbers(const StepsRun& run) {
    const AdjustmentSteps& a = run.steps.adjustment;
    const SurveyState& state = run.state;
    ASSERT_EQ(stagesReached(run.steps), std::vector<bool>(allStages, true));
    for (std::size_t k = 1; k <= 8; ++k) {
        EXPECT_EQ(a.corrections->angles[k], state.adjustedAngles[k].numericValue().value()) << "b(" << k << ")";
        // The first-group share and the second-group correction make up the whole change of the angle.
        const double share = a.firstGroup->shares[k <= 4 ? 0 : 1];
        const double change = (a.corrections->angles[k] - a.firstGroup->observedAngles[k]) * 3600;
        EXPECT_NEAR(change, -share + a.corrections->corrections[k], 1e-6) << "b(" << k << ")";
    }
    const auto& n = *a.normalMatrix;
    for (std::size_t i = 1; i <= 3; ++i) {
        for (std::size_t j = 1; j <= 3; ++j) EXPECT_EQ(n[i][j], state.normalMatrix[i][j]);
    }
    const auto [k1, k2] = *a.correlates;
    EXPECT_NEAR(n[1][1] * k1 + n[1][2] * k2 + state.closures[3], 0, 1e-9);
    EXPECT_NEAR(n[1][2] * k1 + n[2][2] * k2 + state.closures[4], 0, 1e-9);

    const double closures[] = {state.closures[1], state.closures[2], state.closures[3], state.closures[4]};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(a.afterAdjustment->closures[i], 0, 0.01) << "condition " << i + 1;
        EXPECT_NEAR(a.afterAdjustment->correctionSums[i], -closures[i], 0.01) << "condition " << i + 1;
    }

    const CoordinateSteps& c = run.steps.coordinates;
    for (std::size_t i = 0; i <= static_cast<std::size_t>(c.stations); ++i) {
        EXPECT_EQ(c.traverse->x[i], state.pointX[i]);
        EXPECT_EQ(c.traverse->y[i], state.pointY[i]);
    }
    for (int i = 0; i < c.legs->chainLength; ++i) {
        const SideChainStep& side = c.legs->chain[static_cast<std::size_t>(i)];
        EXPECT_EQ(side.length, c.legs->sides[static_cast<std::size_t>(side.newSide)]);
    }
    // Adjusted angles that satisfy every condition carry the traverse back onto the given point.
    EXPECT_LT(std::hypot(c.traverse->closureX, c.traverse->closureY), 0.001);
}

TEST(StepsRecord, HoldsTheRunsOwnNumbersOnBothRoutesAndTheAzimuthCase) {
    struct Case {
        const char* name;
        std::vector<std::string> replies;
        WeightFunction route;
        int chainLength;
    };
    const Case cases[] = {
        {"worked example, known side", knownSide(workedAngles), WeightFunction::knownSideRoute2, 3},
        {"exact quadrilateral, known side", knownSide(routeOneAngles()), WeightFunction::knownSideRoute1, 3},
        {"worked example, azimuth case", azimuthCase(workedAngles), WeightFunction::azimuthCase, 3},
        {"azimuth case from the diagonal S(5)", azimuthCase(workedAngles, "5"), WeightFunction::azimuthCase, 4},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const StepsRun run = compute(test.replies);
        EXPECT_FALSE(run.stopped);
        EXPECT_EQ(run.steps.adjustment.weightFunction, test.route);
        expectTheRunsOwnNumbers(run);
        EXPECT_EQ(run.steps.coordinates.legs->chainLength, test.chainLength);
    }
    const StepsRun worked = compute(knownSide(workedAngles));
    EXPECT_NEAR((*worked.steps.adjustment.routeStrengths)[0], 25.39, 0.005);
    EXPECT_NEAR((*worked.steps.adjustment.routeStrengths)[1], 34.86, 0.005);
}

TEST(StepsRecord, AfterAStopHoldsWhatTheRunReachedAndNothingAfterIt) {
    struct Case {
        const char* name;
        std::vector<std::string> replies;
        std::size_t stagesReached;
    };
    const Case cases[] = {
        {"b(1) = 200°: the log of its sine", knownSide(poleStopAngles), 3},
        {"every closure zero: the relative error", knownSide(std::vector<std::string>(8, "45")), 14},
        {"mixed case: the relative error", knownSide(workedAngles, {"1000", "1000", "0", "1175"}), 14},
        {"A = B: the azimuth of A–B", knownSide(workedAngles, {"1000", "1000", "1000", "1000"}), 16},
        {"start side 7: the coordinates", azimuthCase(workedAngles, "7"), 16},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const StepsRun run = compute(test.replies);
        EXPECT_TRUE(run.stopped);
        std::vector<bool> expected(allStages, false);
        std::fill_n(expected.begin(), test.stagesReached, true);
        EXPECT_EQ(stagesReached(run.steps), expected);
    }
}

TEST(StepsRecord, ANewRunStartsFromAnEmptyRecord) {
    StepsRun run = compute(knownSide(workedAngles));
    FieldModel fields;
    ScriptedPrompt prompt(knownSide(poleStopAngles));
    EXPECT_THROW(runComputeCommand(run.state, prompt, fields, run.steps), RunStopped);
    EXPECT_FALSE(run.steps.adjustment.pole.has_value());
    EXPECT_FALSE(run.steps.coordinatesCalled);
}

TEST(StepsTables, AnglesAreRoundedOnceWithTheCarry) {
    const std::pair<double, const char*> cases[] = {
        {44.22, "44°13′12.00″"},          {30.99999999, "31°00′00.00″"},  {0.0, "0°00′00.00″"},
        {359.9999999999, "360°00′00.00″"}, {-1.5, "-1°30′00.00″"},          {180.000555556, "180°00′02.00″"},
    };
    for (const auto& [degrees, text] : cases) EXPECT_EQ(report::sexagesimalText(degrees), text) << degrees;
}

TEST(StepsTables, ATableForEveryStageReachedAndTheStopNamed) {
    const StepsRun complete = compute(azimuthCase(workedAngles));
    const report::StepsDocument document = report::stepsDocument(complete.state, complete.steps);
    ASSERT_EQ(document.sections.size(), 5u);
    EXPECT_EQ(document.sections[0].tables[0].rows.size(), 10u);  // eight angles and two sums
    EXPECT_EQ(document.sections[4].tables[1].rows.size(), 5u);   // A, P1, P2, P3 and A again
    EXPECT_TRUE(document.stopNote.empty());

    const StepsRun stopped = compute(knownSide(poleStopAngles));
    const report::StepsDocument partial = report::stepsDocument(stopped.state, stopped.steps);
    ASSERT_EQ(partial.sections.size(), 1u);
    EXPECT_NE(partial.stopNote.find("b(1) 的正弦不为正"), std::string::npos);
}

}  // namespace
}  // namespace morvalen
