#include "adjust/AdjustmentSteps.h"

#include <cmath>
#include <limits>

#include "adjust/AngleConversions.h"
#include "adjust/FirstGroup.h"

namespace morvalen {
namespace {

// (S1 − S2) × 10^6 of the angles, the log sines summed as the pole condition of the run sums them.
double poleClosureOf(const AngleArray& angles, double radiansPerDegree) {
    double oddSum = 0;
    double evenSum = 0;
    for (int i = 1; i <= 4; ++i) {
        oddSum = (oddSum + commonLogOf(std::sin(toRadians(angles[2 * i - 1], radiansPerDegree)))) + 10;
        evenSum = (evenSum + commonLogOf(std::sin(toRadians(angles[2 * i], radiansPerDegree)))) + 10;
    }
    const double closure = (oddSum - evenSum) * logUnitsPerLogUnit;
    return std::isfinite(closure) ? closure : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

AfterAdjustmentSteps checkAfterAdjustment(const AdjustmentSteps& steps, double radiansPerDegree) {
    AfterAdjustmentSteps check;
    const AngleArray& b = steps.corrections->angles;
    check.closures[0] = (triangleAngleSum(b, 1) - 180) * secondsPerDegree;
    check.closures[1] = (triangleAngleSum(b, 5) - 180) * secondsPerDegree;
    check.closures[2] = overlappingAngleDifference(b) * secondsPerDegree;
    check.closures[3] = poleClosureOf(b, radiansPerDegree);

    const AngleArray& v = steps.corrections->corrections;
    const auto& shares = steps.firstGroup->shares;
    for (int t = 0; t < 2; ++t) {
        const double share = shares[static_cast<std::size_t>(t)];
        double sum = 0;
        for (int k = 4 * t + 1; k <= 4 * t + 4; ++k) sum += -share + v[k];
        check.correctionSums[static_cast<std::size_t>(t)] = sum;
    }
    check.correctionSums[2] = ((v[1] + v[2]) - v[5]) - v[6];
    double poleSum = 0;
    for (int k = 1; k <= 8; ++k) poleSum += steps.pole->coefficients[k] * v[k];
    check.correctionSums[3] = poleSum;
    return check;
}

}  // namespace morvalen

namespace morvalen {

AdjustmentResults adjustmentResults(const SurveyState& state, const AdjustmentSteps& steps) {
    const auto formed = [&](AdjustmentResult result, auto value) {
        return steps.lastResult >= result ? std::optional(value) : std::nullopt;
    };
    const auto closure = [&](std::size_t k) { return state.closures.size() > k ? state.closures[k] : 0.0f; };
    AdjustmentResults results;
    results.w1 = formed(AdjustmentResult::w1, closure(1));
    results.w2 = formed(AdjustmentResult::w2, closure(2));
    results.w3 = formed(AdjustmentResult::w3, closure(3));
    results.w4 = formed(AdjustmentResult::w4, closure(4));
    results.invPlgs = formed(AdjustmentResult::invPlgs, state.invPlgs);
    results.mb = formed(AdjustmentResult::mb, state.mb);
    results.mlgs = formed(AdjustmentResult::mlgs, state.mlgs);
    results.relativeErrorDenominator = formed(AdjustmentResult::relativeErrorDenominator, state.relativeErrorDenominator);
    return results;
}

}  // namespace morvalen
