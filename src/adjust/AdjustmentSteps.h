// The computation of one adjustment as the textbook lays it out: every value the run forms, recorded as it forms it.
//
// The record is filled stage by stage while the run goes; a stage that the run did not reach stays empty (nullopt),
// so that after a stop the record holds what the run reached and nothing after it. The values are the run's own
// (single precision where the run stores single), never formed a second time elsewhere. Only the checks after the
// adjustment are formed here, from the final adjusted angles, by the run's own closure formulas.
#pragma once

#include <array>
#include <optional>

#include "adjust/AdjustmentWork.h"
#include "adjust/Precision.h"
#include "entry/SurveyState.h"

namespace morvalen {

// The first group: the two independent triangles b(1)..b(4) and b(5)..b(8).
struct FirstGroupSteps {
    AngleArray observedAngles{};        // decimal degrees, as the run read them
    std::array<double, 2> angleSums{};  // degrees: b(1) + … + b(4), b(5) + … + b(8), as observed
    std::array<float, 2> shares{};      // w / 4 seconds (single); each angle of the triangle receives −share
    AngleArray angles{};                // decimal degrees after the first group
};

// The pole condition formed from the angles after the first group.
struct PoleSteps {
    AngleArray coefficients{};            // c(1)..c(8), sixth-decimal units per second of arc
    std::array<double, 2> logSineSums{};  // S1 (odd angles), S2 (even angles), each 40 + four common logs
};

struct ReciprocalWeightSteps {
    std::array<double, 2> q{};  // q1, q2
};

// The results of the adjustment that the window shows, in the order the run forms them: w(1), w(2), w(3), w(4),
// 1/Plgs, mb, mlgs, m.
enum class AdjustmentResult { none, w1, w2, w3, w4, invPlgs, mb, mlgs, relativeErrorDenominator };

// Those results as the window shows them, each once the run has formed it: a view of the survey state's own values
// (single precision where the state stores a single), made by `adjustmentResults` only.
struct AdjustmentResults {
    std::optional<float> w1, w2;   // seconds of arc: the two independent triangles
    std::optional<float> w3;       // seconds of arc: the overlapping triangle (shown as wa)
    std::optional<float> w4;       // units of the sixth log decimal: the pole condition (shown as wb)
    std::optional<double> invPlgs;  // reciprocal weight of the log of the weakest side
    std::optional<float> mb;        // seconds of arc: mean square error of one angle
    std::optional<float> mlgs;      // units of the sixth log decimal: error of the log of the weakest side
    std::optional<float> relativeErrorDenominator;  // m of the relative error 1/m of the weakest side

    // True once the second group's corrections have been applied: the adjusted angles exist.
    bool anglesAdjusted() const { return mb.has_value(); }
};

struct CorrectionSteps {
    AngleArray corrections{};  // v(1)..v(8), seconds of arc
    double squareSum = 0;      // [vv] of the second group, square seconds
    AngleArray angles{};       // the final adjusted angles, decimal degrees
};

// The checks a student makes: the adjusted angles put back into the four conditions, and the sums of the
// corrections against −w. Index 0..3: the two triangles, the overlapping triangle (seconds), the pole condition
// (sixth-decimal units). A closure that cannot be formed (an adjusted angle whose sine is not positive) is NaN.
struct AfterAdjustmentSteps {
    std::array<double, 4> closures{};
    // Triangles: the total corrections −share + v(k) of the four angles; overlapping triangle: v(1) + v(2) − v(5)
    // − v(6); pole condition: Σ c(k) v(k). Each equals −w of its condition up to rounding.
    std::array<double, 4> correctionSums{};
};

struct AdjustmentSteps {
    AdjustmentResult lastResult = AdjustmentResult::none;  // the last of the results the run has formed
    std::optional<FirstGroupSteps> firstGroup;
    std::optional<double> firstGroupSquareSum;
    std::optional<PoleSteps> pole;
    std::optional<std::array<double, 2>> routeStrengths;  // R1, R2
    std::optional<WeightFunction> weightFunction;
    // Rows 1..3 of the second-group coefficients (row 0 unused), once the weight function has filled row 3.
    std::optional<std::array<AngleArray, 4>> coefficientRows;
    std::optional<std::array<std::array<double, 4>, 4>> normalMatrix;  // N(1..3, 1..3), the lower triangle zero
    std::optional<double> determinant;
    std::optional<std::array<double, 2>> correlates;  // k1, k2
    std::optional<ReciprocalWeightSteps> reciprocalWeight;
    std::optional<CorrectionSteps> corrections;
    std::optional<AfterAdjustmentSteps> afterAdjustment;
};

// The results the run has formed, from the values the survey state holds.
AdjustmentResults adjustmentResults(const SurveyState& state, const AdjustmentSteps& steps);

// The closures of the four conditions and the correction sums for the final adjusted angles. Never stops the run.
AfterAdjustmentSteps checkAfterAdjustment(const AdjustmentSteps& steps, double radiansPerDegree);

}  // namespace morvalen
