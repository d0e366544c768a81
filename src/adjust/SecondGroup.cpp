#include "adjust/SecondGroup.h"

#include <string>

#include "adjust/AngleConversions.h"

namespace morvalen {

void fillConditionRows(AdjustmentWork& work, const CheckedStep& step) {
    auto& table = work.secondGroupCoefficients;
    table[1] = {0, +0.5, +0.5, -0.5, -0.5, -0.5, -0.5, +0.5, +0.5};
    const AngleArray& c = work.poleCoefficients;
    const double mean1 = step.finite((((c[1] + c[3]) + c[2]) + c[4]) / 4, "极条件系数的平均值");
    for (int k = 1; k <= 4; ++k) table[2][k] = step.finite(c[k] - mean1, "极条件系数");
    const double mean2 = step.finite((((c[5] + c[7]) + c[6]) + c[8]) / 4, "极条件系数的平均值");
    for (int k = 5; k <= 8; ++k) table[2][k] = step.finite(c[k] - mean2, "极条件系数");
}

void formNormalEquations(const AdjustmentWork& work, NormalMatrix& normal, const CheckedStep& step) {
    const auto& table = work.secondGroupCoefficients;
    for (int i = 1; i <= 3; ++i) {
        for (int j = i; j <= 3; ++j) {
            double sum = 0;
            for (int k = 1; k <= 8; ++k) sum = sum + table[i][k] * table[j][k];
            normal[i][j] = step.finite(sum, [i, j] {
                return i18n::withArguments(i18n::translate("法方程系数 N(%1,%2)"), {std::to_string(i), std::to_string(j)});
            });
        }
    }
}

void formDeterminant(AdjustmentWork& work, const NormalMatrix& normal, const CheckedStep& step) {
    const double n11 = normal[1][1], n12 = normal[1][2], n22 = normal[2][2];
    work.determinant = step.finite(n11 * n22 - n12 * n12, "法方程行列式");
}

void correlatesFromDeterminant(AdjustmentWork& work, const NormalMatrix& normal, float w3, float w4,
                               const CheckedStep& step) {
    const double n11 = normal[1][1], n12 = normal[1][2], n22 = normal[2][2];
    if (work.determinant == 0) step.stop(i18n::translate("法方程行列式为零（两个条件的系数成比例），联系数的除数为零"));
    const double closure3 = w3;
    const double closure4 = w4;
    work.correlate1 = step.divide(closure4 * n12 - closure3 * n22, work.determinant, "联系数 k1");
    work.correlate2 = step.divide(closure3 * n12 - closure4 * n11, work.determinant, "联系数 k2");
}

void solveCorrelates(AdjustmentWork& work, const NormalMatrix& normal, float w3, float w4, const CheckedStep& step) {
    formDeterminant(work, normal, step);
    correlatesFromDeterminant(work, normal, w3, w4, step);
}

void applySecondGroupCorrections(AdjustmentWork& work, const CheckedStep& step) {
    const auto& table = work.secondGroupCoefficients;
    work.secondGroupSquareSum = 0;
    for (int k = 1; k <= 8; ++k) {
        const auto name = [k] { return "b(" + std::to_string(k) + ")"; };
        const double correction = work.correlate1 * table[1][k] + work.correlate2 * table[2][k];
        work.corrections[k] = step.finite(correction, [&] { return i18n::withArguments(i18n::translate("%1 的改正数"), {name()}); });
        work.angles[k] = step.finite(work.angles[k] + work.corrections[k] / secondsPerDegree, name);
        work.secondGroupSquareSum =
            step.finite(work.secondGroupSquareSum + work.corrections[k] * work.corrections[k], "改正数平方和");
    }
}

}  // namespace morvalen
