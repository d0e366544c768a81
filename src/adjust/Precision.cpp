#include "adjust/Precision.h"

#include <cmath>

namespace morvalen {

void computeRouteStrengths(AdjustmentWork& work, const CheckedStep& step) {
    const AngleArray& c = work.poleCoefficients;
    work.routeStrength1 = step.finite(
        ((((c[7] * c[7] + c[2] * c[2]) - c[7] * c[2]) + c[1] * c[1]) + c[4] * c[4]) - c[1] * c[4], "路线强度 R1");
    work.routeStrength2 = step.finite(
        ((((c[3] * c[3] + c[6] * c[6]) - c[3] * c[6]) + c[5] * c[5]) + c[8] * c[8]) - c[5] * c[8], "路线强度 R2");
}

WeightFunction chooseWeightFunction(RunCase kind, const AdjustmentWork& work) {
    switch (kind) {
    case RunCase::azimuth: return WeightFunction::azimuthCase;
    case RunCase::knownSide:
        return work.routeStrength1 < work.routeStrength2 ? WeightFunction::knownSideRoute2
                                                         : WeightFunction::knownSideRoute1;
    case RunCase::mixed: break;
    }
    return WeightFunction::none;
}

void fillWeightFunctionRow(AdjustmentWork& work, WeightFunction weightFunction, const CheckedStep& step) {
    const AngleArray& c = work.poleCoefficients;
    AngleArray f{};
    double mean1 = 0;
    double mean2 = 0;
    switch (weightFunction) {
    case WeightFunction::azimuthCase:
        f = {0, c[1], 0, c[3], c[4], 0, c[6], 0, 0};
        mean1 = ((c[1] + c[3]) + c[4]) / 4;
        mean2 = c[6] / 4;
        break;
    case WeightFunction::knownSideRoute1:
        f = {0, c[1], c[2], 0, c[4], 0, 0, c[7], 0};
        mean1 = ((c[1] + c[2]) + c[4]) / 4;
        mean2 = c[7] / 4;
        break;
    case WeightFunction::knownSideRoute2:
        f = {0, 0, 0, -c[3], 0, -c[5], -c[6], 0, -c[8]};
        mean1 = (-c[3]) / 4;
        mean2 = (((-c[6]) - c[8]) - c[5]) / 4;
        break;
    case WeightFunction::none: return;
    }
    step.finite(mean1, "权函数系数的平均值");
    step.finite(mean2, "权函数系数的平均值");
    auto& row = work.secondGroupCoefficients[3];
    for (int k = 1; k <= 4; ++k) row[k] = step.finite(f[k] - mean1, "权函数系数");
    for (int k = 5; k <= 8; ++k) row[k] = step.finite(f[k] - mean2, "权函数系数");
}

double reciprocalWeight(AdjustmentWork& work, const NormalMatrix& normal, const CheckedStep& step) {
    const double n11 = normal[1][1], n12 = normal[1][2], n13 = normal[1][3];
    const double n22 = normal[2][2], n23 = normal[2][3], n33 = normal[3][3];
    work.q1 = step.divide(n12 * n23 - n13 * n22, work.determinant, "q1");
    work.q2 = step.divide(n12 * n13 - n11 * n23, work.determinant, "q2");
    return step.finite((n33 + work.q1 * n13) + work.q2 * n23, "最弱边权倒数 1/Plgs");
}

float meanSquareErrorOfAngle(const AdjustmentWork& work, const CheckedStep& step) {
    const double squareSum = step.finite(work.firstGroupSquareSum + work.secondGroupSquareSum, "改正数平方和");
    return step.single(step.squareRoot(squareSum / 4, "改正数平方和"), "测角中误差 mb");
}

float logSideError(float mb, double invPlgs, const CheckedStep& step) {
    if (invPlgs < 0) {
        step.stop(i18n::withArguments(i18n::translate("最弱边权倒数 1/Plgs 为负数（%1），不能开平方"),
                                      {std::to_string(invPlgs)}));
    }
    return step.single(static_cast<double>(mb) * std::sqrt(invPlgs), "最弱边对数中误差 mlogs");
}

float relativeErrorDenominatorOf(float mlgs, const char* reasonWhenZero, const CheckedStep& step) {
    if (mlgs == 0) step.stop(reasonWhenZero);
    const double quotient = step.divide(relativeErrorNumerator, static_cast<double>(mlgs), "最弱边相对中误差");
    const float denominator = step.single(std::trunc(quotient), "最弱边相对中误差 1/m");
    // An error of the logarithm larger than 434290 units is a side known to less than itself: 1/0 is no result.
    if (denominator == 0) {
        step.stop(i18n::withArguments(
            i18n::translate("最弱边对数中误差 mlgs = %1 单位，大于 434290：相对中误差 1/m 的 m 为零，观测角与四边形不符"),
            {std::to_string(static_cast<long long>(std::llround(mlgs)))}));
    }
    return denominator;
}

}  // namespace morvalen
