#include "adjust/AdjustmentRun.h"

#include "adjust/FirstGroup.h"
#include "adjust/Precision.h"
#include "adjust/ResultText.h"
#include "adjust/SecondGroup.h"
#include "coords/CoordinateComputation.h"

namespace morvalen {
namespace {

void storeAngles(SurveyState& state, const AngleArray& angles) {
    for (int k = 1; k <= 8; ++k) state.adjustedAngles[static_cast<std::size_t>(k)] = EntryValue::number(angles[k]);
}

std::string reasonForZeroLogSideError(RunCase kind, float mb) {
    if (kind == RunCase::mixed) {
        return "B 点的两个座标中恰有一个为零（既不是已知边情况也不是外方位角情况），没有最弱边的推算路线，"
               "1/Plgs = 0，mlogs = 0，不能计算最弱边相对中误差";
    }
    if (mb == 0) {
        return "所有闭合差与改正数均为零，mb = 0，mlogs = 0，不能计算最弱边相对中误差";
    }
    return "最弱边权倒数 1/Plgs 为零，mlogs = 0，不能计算最弱边相对中误差";
}

}  // namespace

void runAdjustment(SurveyState& state, WindowFields& fields) {
    AdjustmentWork work;
    work.radiansPerDegree = state.radiansPerDegree;
    for (int k = 1; k <= 8; ++k) work.angles[k] = state.adjustedAngles[static_cast<std::size_t>(k)].numericValue().value();
    auto& w = state.closures;

    w[1] = triangleClosure(work.angles, 1, CheckedStep("三角形闭合差 w1"));
    fields.setText({"Text15"}, secondsText(w[1]));
    w[2] = triangleClosure(work.angles, 5, CheckedStep("三角形闭合差 w2"));
    fields.setText({"Text16"}, secondsText(w[2]));

    const CheckedStep distribution("第一组改正数分配");
    distributeTriangleClosure(work.angles, 1, w[1], distribution);
    distributeTriangleClosure(work.angles, 5, w[2], distribution);
    storeAngles(state, work.angles);

    w[3] = overlappingTriangleClosure(work.angles, CheckedStep("二对角闭合差 wa"));
    fields.setText({"Text17"}, secondsText(w[3]));
    work.firstGroupSquareSum = firstGroupSquareSum(w[1], w[2]);

    w[4] = poleClosure(work, CheckedStep("极条件闭合差 wb"));
    fields.setText({"Text18"}, logUnitsText(w[4]));

    const CheckedStep weakestSide("最弱边权倒数 1/Plgs");
    computeRouteStrengths(work, weakestSide);
    fillConditionRows(work, CheckedStep("第二组条件方程式"));
    const RunCase kind = runCase(state);
    fillWeightFunctionRow(work, chooseWeightFunction(kind, work), weakestSide);

    const CheckedStep normalEquations("第二组法方程与联系数");
    formNormalEquations(work, state.normalMatrix, normalEquations);
    solveCorrelates(work, state.normalMatrix, w[3], w[4], normalEquations);

    state.invPlgs = reciprocalWeight(work, state.normalMatrix, weakestSide);
    fields.setText({"Text9"}, reciprocalWeightText(state.invPlgs));

    applySecondGroupCorrections(work, CheckedStep("第二组改正数与平差角"));
    storeAngles(state, work.angles);

    state.mb = meanSquareErrorOfAngle(work, CheckedStep("测角中误差 mb"));
    fields.setText({"Text8"}, secondsText(state.mb));
    state.mlgs = logSideError(state.mb, state.invPlgs, CheckedStep("最弱边对数中误差 mlogs"));
    fields.setText({"Text10"}, logUnitsText(state.mlgs));
    state.relativeErrorDenominator = relativeErrorDenominatorOf(
        state.mlgs, reasonForZeroLogSideError(kind, state.mb), CheckedStep("最弱边相对中误差 1/m"));
    fields.setText({"Text11"}, relativeErrorText(state.relativeErrorDenominator));
}

void handOverToCoordinates(SurveyState& state, OrientationCopies& copies, WindowFields& fields) {
    switch (runCase(state)) {
    case RunCase::azimuth: Cm1(state, copies.Ta, copies.Qa, fields); break;
    case RunCase::knownSide: cm2(state, fields); break;
    case RunCase::mixed: break;
    }
}

void runComputeCommand(SurveyState& state, Prompt& asker, WindowFields& fields) {
    prepareState(state);
    OrientationCopies copies;
    enterObservations(state, copies, asker, fields);
    runAdjustment(state, fields);
    handOverToCoordinates(state, copies, fields);
    state.computationComplete = true;
}

}  // namespace morvalen
