// The checks of a completed computation: its closures against the limits of a survey grade, the precision figures
// against the grade's, and every angle tested for a blunder (data snooping with the w-test).
//
// The checks read the record of the run that the compute command left and change nothing in it; they judge, they never
// correct.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "analysis/GradeTable.h"
#include "command/RunRecord.h"
#include "entry/SurveyState.h"

namespace morvalen::analysis {

// A closure against its limit: passes when its size does not exceed the limit.
struct TriangleCheck {
    std::array<int, 4> angles{};  // the numbers k of the angles b(k) that close the triangle
    double closure = 0;           // seconds of arc, observed minus 180°
    double limit = 0;             // seconds of arc
    bool pass = false;
};

struct PoleCheck {
    double closure = 0;  // w(4), units of the sixth log decimal
    double limit = 0;    // 2 σ √Σc(k)², the same units
    bool pass = false;
};

struct AngleErrorCheck {
    double value = 0;  // mb of the adjustment, seconds of arc
    double limit = 0;  // the grade's mβ (or the own σ), seconds of arc
    bool pass = false;
};

// Ferrero's mβ = √([ww] / 3n) from the n independent triangles. Indicative only: the standards use it for networks of
// twenty triangles or more, and a quadrilateral has two.
struct FerreroEstimate {
    double value = 0;  // seconds of arc
    int triangles = 2;
};

struct WeakestSideCheck {
    double denominator = 0;             // m of the weakest side's relative error 1/m
    std::optional<double> limit;        // T of the grade's 1/T; none for an own σ
    std::optional<bool> pass;           // m ≥ T; none for an own σ
};

// One angle in the w-test.
struct AngleTest {
    int angle = 0;                    // k of b(k)
    double residual = 0;              // v = adjusted − observed, seconds of arc
    double redundancy = 0;            // r, the diagonal element of Bᵀ(BBᵀ)⁻¹B
    double standardized = 0;          // w = v / (σ √r)
    double minimalDetectableBlunder = 0;  // ∇₀ = 4.13 σ / √r, seconds of arc
};

struct Checks {
    CheckStandard standard;
    std::array<TriangleCheck, 4> triangles{};  // b1–b4, b5–b8, b1 b2 b7 b8, b3–b6
    PoleCheck pole;
    AngleErrorCheck angleError;
    FerreroEstimate ferrero;
    WeakestSideCheck weakestSide;
    std::array<AngleTest, 8> angles{};
    double largestStandardized = 0;  // the largest |w|
    // When the largest |w| exceeds the critical value: the angle it belongs to and every angle with the same |w|,
    // which the four conditions cannot tell apart; otherwise empty. Angle numbers k, ascending.
    std::vector<int> suspects;
    bool pass = false;  // every check that applies passes and no angle is suspect (Ferrero's figure aside)
};

// The checks of the computation the record holds, from the angles, closures and pole coefficients the run formed;
// none when no computation ran to its end (never computed, or the last one stopped).
std::optional<Checks> checkComputation(const RunRecord& record, const CheckStandard& standard);

// Why there is nothing to check, for a state that checkComputation gives nothing for.
std::string_view nothingToCheck(const SurveyState& state);

// Angles whose |w| equals the largest within this share of it belong to the same suspect group.
inline constexpr double equalStandardizedTolerance = 1e-9;

}  // namespace morvalen::analysis
