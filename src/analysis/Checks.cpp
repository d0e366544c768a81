#include "analysis/Checks.h"

#include <algorithm>
#include <cmath>

#include "adjust/AngleConversions.h"
#include "analysis/LinearisedConditions.h"
#include "i18n/Language.h"

namespace morvalen::analysis {
namespace {

// (((b(a) + b(b)) + b(c)) + b(d) − 180) × 3600 seconds of arc.
double triangleClosureOf(const AngleArray& angles, const std::array<int, 4>& k) {
    const auto b = [&](int i) { return angles[static_cast<std::size_t>(k[static_cast<std::size_t>(i)])]; };
    return ((((b(0) + b(1)) + b(2)) + b(3)) - 180) * secondsPerDegree;
}

// The triangle limit: the grade's largest closure, or twice the mean square error of a sum of three angles.
double triangleLimit(const CheckStandard& standard) {
    if (standard.grade) return standard.grade->triangleClosureLimit;
    return 2 * std::sqrt(3.0) * standard.sigma;
}

void testAngles(const SurveyState& state, const AngleArray& observed, const AngleArray& poleCoefficients,
                Checks& checks) {
    const AngleVector redundancy = redundancyNumbers(conditionMatrix(poleCoefficients));
    const double sigma = checks.standard.sigma;
    for (std::size_t k = 1; k <= 8; ++k) {
        AngleTest& test = checks.angles[k - 1];
        test.angle = static_cast<int>(k);
        test.residual = (state.adjustedAngles.at(k).numericValue().value() - observed[k]) * secondsPerDegree;
        test.redundancy = redundancy(static_cast<Eigen::Index>(k - 1));
        test.standardized = standardizedResidual(test.residual, test.redundancy, sigma);
        test.minimalDetectableBlunder = minimalDetectableBlunder(test.redundancy, sigma);
        checks.largestStandardized = std::max(checks.largestStandardized, std::abs(test.standardized));
    }
    if (!(checks.largestStandardized > criticalStandardizedResidual)) return;
    for (const AngleTest& test : checks.angles) {
        const double gap = checks.largestStandardized - std::abs(test.standardized);
        if (gap <= equalStandardizedTolerance * checks.largestStandardized) checks.suspects.push_back(test.angle);
    }
}

}  // namespace

std::optional<Checks> checkComputation(const RunRecord& record, const CheckStandard& standard) {
    const SurveyState& state = record.state;
    const AdjustmentSteps& adjustment = record.steps.adjustment;
    if (!state.computationComplete || !adjustment.firstGroup || !adjustment.pole) return std::nullopt;
    Checks checks;
    checks.standard = standard;
    const double sigma = standard.sigma;
    // The angles as the run converted them, and the pole coefficients as the adjustment formed them at the angles
    // after the distribution of the triangle closures.
    const AngleArray& observed = adjustment.firstGroup->observedAngles;
    const AngleArray& poleCoefficients = adjustment.pole->coefficients;

    // The two independent triangles with the closures the adjustment formed and showed, the two overlapping ones
    // from the observed angles.
    const std::array<std::array<int, 4>, 4> triangles = {{{1, 2, 3, 4}, {5, 6, 7, 8}, {1, 2, 7, 8}, {3, 4, 5, 6}}};
    for (std::size_t t = 0; t < 4; ++t) {
        TriangleCheck& triangle = checks.triangles[t];
        triangle.angles = triangles[t];
        triangle.closure = t < 2 ? static_cast<double>(state.closures.at(t + 1)) : triangleClosureOf(observed, triangles[t]);
        triangle.limit = triangleLimit(standard);
        triangle.pass = std::abs(triangle.closure) <= triangle.limit;
    }

    double squareSum = 0;
    for (std::size_t k = 1; k <= 8; ++k) squareSum += poleCoefficients[k] * poleCoefficients[k];
    checks.pole.closure = state.closures.at(4);
    checks.pole.limit = 2 * sigma * std::sqrt(squareSum);
    checks.pole.pass = std::abs(checks.pole.closure) <= checks.pole.limit;

    checks.angleError.value = state.mb;
    checks.angleError.limit = sigma;
    checks.angleError.pass = checks.angleError.value <= checks.angleError.limit;

    const double w1 = checks.triangles[0].closure, w2 = checks.triangles[1].closure;
    checks.ferrero.triangles = 2;
    checks.ferrero.value = std::sqrt((w1 * w1 + w2 * w2) / (3 * checks.ferrero.triangles));

    checks.weakestSide.denominator = state.relativeErrorDenominator;
    if (standard.grade) {
        checks.weakestSide.limit = standard.grade->weakestSideDenominator;
        checks.weakestSide.pass = checks.weakestSide.denominator >= *checks.weakestSide.limit;
    }

    testAngles(state, observed, poleCoefficients, checks);

    checks.pass = checks.pole.pass && checks.angleError.pass && checks.weakestSide.pass.value_or(true) &&
                  checks.suspects.empty() &&
                  std::all_of(checks.triangles.begin(), checks.triangles.end(),
                              [](const TriangleCheck& triangle) { return triangle.pass; });
    return checks;
}

std::string_view nothingToCheck(const SurveyState& state) {
    if (state.adjustedAngles.empty()) return i18n::translate("还没有完成的计算：请先用 计 算 完成一次平差，再作检核。");
    return i18n::translate("最近一次计算已中止，没有完成的平差可以检核：请改正数据后重新计算。");
}

}  // namespace morvalen::analysis
