#include "adjust/AdjustmentRun.h"

#include <array>

#include "adjust/FirstGroup.h"
#include "adjust/Precision.h"
#include "adjust/SecondGroup.h"
#include "entry/RunStopped.h"
#include "form/FieldText.h"
#include "i18n/Language.h"

namespace morvalen {
namespace {

void storeAngles(SurveyState& state, const AngleArray& angles) {
    for (int k = 1; k <= 8; ++k) state.adjustedAngles[static_cast<std::size_t>(k)].setNumber(angles[k]);
}

const char* reasonForZeroLogSideError(RunCase kind, float mb) {
    if (kind == RunCase::mixed) {
        return i18n::translate("B 点的两个座标中恰有一个为零（既不是已知边情况也不是外方位角情况），没有最弱边的推算路线，"
                               "1/Plgs = 0，mlogs = 0，不能计算最弱边相对中误差");
    }
    if (mb == 0) {
        return i18n::translate("所有闭合差与改正数均为零，mb = 0，mlogs = 0，不能计算最弱边相对中误差");
    }
    return i18n::translate("最弱边权倒数 1/Plgs 为零，mlogs = 0，不能计算最弱边相对中误差");
}

std::array<std::array<double, 4>, 4> normalMatrixOf(const NormalMatrix& normal) {
    std::array<std::array<double, 4>, 4> copy{};
    for (std::size_t i = 1; i <= 3; ++i) {
        for (std::size_t j = 1; j <= 3; ++j) copy[i][j] = normal[i][j];
    }
    return copy;
}

}  // namespace

void computeAdjustment(SurveyState& state, AdjustmentSteps& steps) {
    steps = AdjustmentSteps{};
    AdjustmentWork work;
    work.radiansPerDegree = state.radiansPerDegree;
    for (int k = 1; k <= 8; ++k) work.angles[k] = state.adjustedAngles[static_cast<std::size_t>(k)].numericValue().value();
    auto& w = state.closures;
    FirstGroupSteps firstGroup;
    firstGroup.observedAngles = work.angles;

    firstGroup.angleSums[0] = triangleAngleSum(work.angles, 1);
    w[1] = triangleClosureOfSum(firstGroup.angleSums[0], CheckedStep("三角形闭合差 w1"));
    steps.lastResult = AdjustmentResult::w1;
    firstGroup.angleSums[1] = triangleAngleSum(work.angles, 5);
    w[2] = triangleClosureOfSum(firstGroup.angleSums[1], CheckedStep("三角形闭合差 w2"));
    steps.lastResult = AdjustmentResult::w2;

    const auto distribution = CheckedStep("第一组改正数分配");
    firstGroup.shares[0] = distributeTriangleClosure(work.angles, 1, w[1], distribution);
    firstGroup.shares[1] = distributeTriangleClosure(work.angles, 5, w[2], distribution);
    storeAngles(state, work.angles);
    firstGroup.angles = work.angles;
    steps.firstGroup = firstGroup;

    w[3] = overlappingTriangleClosure(work.angles, CheckedStep("二对角闭合差 wa"));
    steps.lastResult = AdjustmentResult::w3;
    work.firstGroupSquareSum = firstGroupSquareSum(w[1], w[2]);
    steps.firstGroupSquareSum = work.firstGroupSquareSum;

    w[4] = poleClosure(work, CheckedStep("极条件闭合差 wb"));
    steps.lastResult = AdjustmentResult::w4;
    steps.pole = PoleSteps{work.poleCoefficients, {work.oddLogSineSum, work.evenLogSineSum}};

    const auto weakestSide = CheckedStep("最弱边权倒数 1/Plgs");
    computeRouteStrengths(work, weakestSide);
    steps.routeStrengths = {work.routeStrength1, work.routeStrength2};
    fillConditionRows(work, CheckedStep("第二组条件方程式"));
    const RunCase kind = runCase(state);
    const WeightFunction weightFunction = chooseWeightFunction(kind, work);
    fillWeightFunctionRow(work, weightFunction, weakestSide);
    steps.weightFunction = weightFunction;
    steps.coefficientRows = work.secondGroupCoefficients;

    const auto normalEquations = CheckedStep("第二组法方程与联系数");
    formNormalEquations(work, state.normalMatrix, normalEquations);
    steps.normalMatrix = normalMatrixOf(state.normalMatrix);
    formDeterminant(work, state.normalMatrix, normalEquations);
    steps.determinant = work.determinant;
    correlatesFromDeterminant(work, state.normalMatrix, w[3], w[4], normalEquations);
    steps.correlates = {work.correlate1, work.correlate2};

    state.invPlgs = reciprocalWeight(work, state.normalMatrix, weakestSide);
    steps.lastResult = AdjustmentResult::invPlgs;
    steps.reciprocalWeight = ReciprocalWeightSteps{{work.q1, work.q2}};

    applySecondGroupCorrections(work, CheckedStep("第二组改正数与平差角"));
    storeAngles(state, work.angles);
    steps.corrections = CorrectionSteps{work.corrections, work.secondGroupSquareSum, work.angles};
    steps.afterAdjustment = checkAfterAdjustment(steps, work.radiansPerDegree);

    state.mb = meanSquareErrorOfAngle(work, CheckedStep("测角中误差 mb"));
    steps.lastResult = AdjustmentResult::mb;
    state.mlgs = logSideError(state.mb, state.invPlgs, CheckedStep("最弱边对数中误差 mlogs"));
    steps.lastResult = AdjustmentResult::mlgs;
    state.relativeErrorDenominator = relativeErrorDenominatorOf(
        state.mlgs, reasonForZeroLogSideError(kind, state.mb), CheckedStep("最弱边相对中误差 1/m"));
    steps.lastResult = AdjustmentResult::relativeErrorDenominator;
}

void showAdjustmentResults(const AdjustmentResults& results, WindowFields& fields) {
    if (!fields.showsTexts()) return;
    const auto show = [&](const auto& value, const Control& field, auto text) {
        if (value) fields.setText(field, text(*value));
    };
    show(results.w1, form::w1, secondsText);
    show(results.w2, form::w2, secondsText);
    show(results.w3, form::w3, secondsText);
    show(results.w4, form::w4, logUnitsText);
    show(results.invPlgs, form::reciprocalWeight, reciprocalWeightText);
    show(results.mb, form::mb, secondsText);
    show(results.mlgs, form::mlgs, logUnitsText);
    show(results.relativeErrorDenominator, form::relativeError, relativeErrorText);
}

}  // namespace morvalen
