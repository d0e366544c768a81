#include "adjust/AdjustmentRun.h"

#include <array>

#include "adjust/FirstGroup.h"
#include "adjust/Precision.h"
#include "adjust/SecondGroup.h"
#include "entry/RunStopped.h"
#include "form/FieldText.h"

namespace morvalen {
namespace {

void storeAngles(SurveyState& state, const AngleArray& angles) {
    for (int k = 1; k <= 8; ++k) state.adjustedAngles[static_cast<std::size_t>(k)].setNumber(angles[k]);
}

const char* reasonForZeroLogSideError(RunCase kind, float mb) {
    if (kind == RunCase::mixed) {
        return "B 点的两个座标中恰有一个为零（既不是已知边情况也不是外方位角情况），没有最弱边的推算路线，"
               "1/Plgs = 0，mlogs = 0，不能计算最弱边相对中误差";
    }
    if (mb == 0) {
        return "所有闭合差与改正数均为零，mb = 0，mlogs = 0，不能计算最弱边相对中误差";
    }
    return "最弱边权倒数 1/Plgs 为零，mlogs = 0，不能计算最弱边相对中误差";
}

std::array<std::array<double, 4>, 4> normalMatrixOf(const NormalMatrix& normal) {
    std::array<std::array<double, 4>, 4> copy{};
    for (std::size_t i = 1; i <= 3; ++i) {
        for (std::size_t j = 1; j <= 3; ++j) copy[i][j] = normal[i][j];
    }
    return copy;
}

}  // namespace

void computeAdjustment(SurveyState& state, int& resultsFormed, AdjustmentSteps& steps) {
    resultsFormed = 0;
    steps = AdjustmentSteps{};
    AdjustmentWork work;
    work.radiansPerDegree = state.radiansPerDegree;
    for (int k = 1; k <= 8; ++k) work.angles[k] = state.adjustedAngles[static_cast<std::size_t>(k)].numericValue().value();
    auto& w = state.closures;
    FirstGroupSteps firstGroup;
    firstGroup.observedAngles = work.angles;

    firstGroup.angleSums[0] = triangleAngleSum(work.angles, 1);
    w[1] = triangleClosureOfSum(firstGroup.angleSums[0], CheckedStep("三角形闭合差 w1"));
    ++resultsFormed;
    firstGroup.angleSums[1] = triangleAngleSum(work.angles, 5);
    w[2] = triangleClosureOfSum(firstGroup.angleSums[1], CheckedStep("三角形闭合差 w2"));
    ++resultsFormed;

    const CheckedStep distribution("第一组改正数分配");
    firstGroup.shares[0] = distributeTriangleClosure(work.angles, 1, w[1], distribution);
    firstGroup.shares[1] = distributeTriangleClosure(work.angles, 5, w[2], distribution);
    storeAngles(state, work.angles);
    firstGroup.closures = {w[1], w[2]};
    firstGroup.angles = work.angles;
    steps.firstGroup = firstGroup;

    w[3] = overlappingTriangleClosure(work.angles, CheckedStep("二对角闭合差 wa"));
    ++resultsFormed;
    steps.overlappingClosure = w[3];
    work.firstGroupSquareSum = firstGroupSquareSum(w[1], w[2]);
    steps.firstGroupSquareSum = work.firstGroupSquareSum;

    w[4] = poleClosure(work, CheckedStep("极条件闭合差 wb"));
    ++resultsFormed;
    steps.pole = PoleSteps{work.poleCoefficients, {work.oddLogSineSum, work.evenLogSineSum}, w[4]};

    const CheckedStep weakestSide("最弱边权倒数 1/Plgs");
    computeRouteStrengths(work, weakestSide);
    steps.routeStrengths = {work.routeStrength1, work.routeStrength2};
    fillConditionRows(work, CheckedStep("第二组条件方程式"));
    const RunCase kind = runCase(state);
    const WeightFunction weightFunction = chooseWeightFunction(kind, work);
    fillWeightFunctionRow(work, weightFunction, weakestSide);
    steps.weightFunction = weightFunction;
    steps.coefficientRows = work.secondGroupCoefficients;

    const CheckedStep normalEquations("第二组法方程与联系数");
    formNormalEquations(work, state.normalMatrix, normalEquations);
    steps.normalMatrix = normalMatrixOf(state.normalMatrix);
    formDeterminant(work, state.normalMatrix, normalEquations);
    steps.determinant = work.determinant;
    correlatesFromDeterminant(work, state.normalMatrix, w[3], w[4], normalEquations);
    steps.correlates = {work.correlate1, work.correlate2};

    state.invPlgs = reciprocalWeight(work, state.normalMatrix, weakestSide);
    ++resultsFormed;
    steps.reciprocalWeight = ReciprocalWeightSteps{{work.q1, work.q2}, state.invPlgs};

    applySecondGroupCorrections(work, CheckedStep("第二组改正数与平差角"));
    storeAngles(state, work.angles);
    steps.corrections = CorrectionSteps{work.corrections, work.secondGroupSquareSum, work.angles};
    steps.afterAdjustment = checkAfterAdjustment(steps, work.radiansPerDegree);

    state.mb = meanSquareErrorOfAngle(work, CheckedStep("测角中误差 mb"));
    ++resultsFormed;
    steps.mb = state.mb;
    state.mlgs = logSideError(state.mb, state.invPlgs, CheckedStep("最弱边对数中误差 mlogs"));
    ++resultsFormed;
    steps.mlgs = state.mlgs;
    state.relativeErrorDenominator = relativeErrorDenominatorOf(
        state.mlgs, reasonForZeroLogSideError(kind, state.mb), CheckedStep("最弱边相对中误差 1/m"));
    ++resultsFormed;
    steps.relativeErrorDenominator = state.relativeErrorDenominator;
}

void computeAdjustment(SurveyState& state, int& resultsFormed) {
    AdjustmentSteps steps;
    computeAdjustment(state, resultsFormed, steps);
}

void showAdjustmentResults(const SurveyState& state, int resultsFormed, WindowFields& fields) {
    const auto& w = state.closures;
    const auto show = [&](int result, const Control& field, auto text) {
        if (result < resultsFormed && fields.showsTexts()) fields.setText(field, text());
    };
    show(0, form::w1, [&] { return secondsText(w[1]); });
    show(1, form::w2, [&] { return secondsText(w[2]); });
    show(2, form::wa, [&] { return secondsText(w[3]); });
    show(3, form::wb, [&] { return logUnitsText(w[4]); });
    show(4, form::reciprocalWeight, [&] { return reciprocalWeightText(state.invPlgs); });
    show(5, form::mb, [&] { return secondsText(state.mb); });
    show(6, form::mlogs, [&] { return logUnitsText(state.mlgs); });
    show(7, form::relativeError, [&] { return relativeErrorText(state.relativeErrorDenominator); });
}

void runAdjustment(SurveyState& state, WindowFields& fields, AdjustmentSteps& steps) {
    int resultsFormed = 0;
    try {
        computeAdjustment(state, resultsFormed, steps);
    } catch (const RunStopped&) {
        steps.resultsFormed = resultsFormed;
        showAdjustmentResults(state, resultsFormed, fields);
        throw;
    }
    steps.resultsFormed = resultsFormed;
    showAdjustmentResults(state, resultsFormed, fields);
}

void runAdjustment(SurveyState& state, WindowFields& fields) {
    AdjustmentSteps steps;
    runAdjustment(state, fields, steps);
}

}  // namespace morvalen
