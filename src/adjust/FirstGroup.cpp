#include "adjust/FirstGroup.h"

#include <cmath>
#include <string>

#include "adjust/AngleConversions.h"
#include "form/FieldText.h"
#include "i18n/Language.h"

namespace morvalen {
namespace {

std::string angleName(int k) { return "b(" + std::to_string(k) + ")"; }

// The stops of the pole condition, kept out of line: a run that goes through never forms their messages.
[[noreturn, gnu::cold, gnu::noinline]] void stopOnZeroTangent(const AdjustmentWork& work, int k,
                                                             const CheckedStep& step) {
    step.stop(i18n::withArguments(i18n::translate("%1 的正切为零（角值 %2°），极条件系数的除数为零"),
                                  {angleName(k), roundedFixed(work.angles[k], 6)}));
}

[[noreturn, gnu::cold, gnu::noinline]] void stopOnSineNotPositive(const AdjustmentWork& work, int k,
                                                                 const CheckedStep& step) {
    step.stop(i18n::withArguments(i18n::translate("%1 的正弦不为正（第一组改正后角值 %2°），不能取对数"),
                                  {angleName(k), roundedFixed(work.angles[k], 6)}));
}

double checkedPoleCoefficient(const AdjustmentWork& work, int k, const CheckedStep& step) {
    const double tangent = std::tan(toRadians(work.angles[k], work.radiansPerDegree));
    if (tangent == 0) stopOnZeroTangent(work, k, step);
    const double coefficient = (k % 2 == 1 ? poleCoefficientNumerator : -poleCoefficientNumerator) / tangent;
    return step.finite(coefficient, [k] { return i18n::withArguments(i18n::translate("%1 的极条件系数"), {angleName(k)}); });
}

// The natural log of the sine of b(k), divided by ln 10: the common log without the table's 10.
double commonLogOfSine(const AdjustmentWork& work, int k, const CheckedStep& step) {
    const double sine = std::sin(toRadians(work.angles[k], work.radiansPerDegree));
    if (!(sine > 0)) stopOnSineNotPositive(work, k, step);
    return commonLogOf(sine);
}

}  // namespace

double commonLogOf(double sine) { return std::log(sine) / naturalLogOfTen; }

double triangleAngleSum(const AngleArray& angles, int first) {
    return ((angles[first] + angles[first + 1]) + angles[first + 2]) + angles[first + 3];
}

float triangleClosureOfSum(double angleSum, const CheckedStep& step) {
    return step.single((angleSum - 180) * secondsPerDegree, "三角形闭合差");
}

float triangleClosure(const AngleArray& angles, int first, const CheckedStep& step) {
    return triangleClosureOfSum(triangleAngleSum(angles, first), step);
}

float distributeTriangleClosure(AngleArray& angles, int first, float closure, const CheckedStep& step) {
    const float share = step.divideSingle(closure, 4.0f, "闭合差的分配");
    for (int i = first; i < first + 4; ++i) {
        const float shareInDegrees = share / 3600.0f;
        angles[i] = step.finite(angles[i] - shareInDegrees, [i] { return angleName(i); });
    }
    return share;
}

double overlappingAngleDifference(const AngleArray& angles) {
    return ((angles[1] + angles[2]) - angles[5]) - angles[6];
}

float overlappingTriangleClosure(const AngleArray& angles, const CheckedStep& step) {
    return step.single(overlappingAngleDifference(angles) * secondsPerDegree, "重叠三角形闭合差");
}

double firstGroupSquareSum(float w1, float w2) {
    const double first = w1;
    const double second = w2;
    return (second * second + first * first) / 4;
}

float poleClosure(AdjustmentWork& work, const CheckedStep& step) {
    work.oddLogSineSum = 0;
    work.evenLogSineSum = 0;
    for (int i = 1; i <= 4; ++i) {
        const int odd = 2 * i - 1;
        const int even = 2 * i;
        work.poleCoefficients[odd] = checkedPoleCoefficient(work, odd, step);
        work.poleCoefficients[even] = checkedPoleCoefficient(work, even, step);
        work.oddLogSineSum = (work.oddLogSineSum + commonLogOfSine(work, odd, step)) + 10;
        work.evenLogSineSum = (work.evenLogSineSum + commonLogOfSine(work, even, step)) + 10;
    }
    return step.single((work.oddLogSineSum - work.evenLogSineSum) * logUnitsPerLogUnit, "极条件闭合差");
}

}  // namespace morvalen
