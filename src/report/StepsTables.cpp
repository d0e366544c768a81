#include "report/StepsTables.h"

#include <cmath>

#include "form/FieldText.h"
#include "i18n/Language.h"

namespace morvalen::report {
namespace {

using Row = std::vector<std::string>;
using i18n::translate;
using i18n::withArguments;

constexpr int coefficientDecimals = 2;  // c, a, b, f
constexpr int secondDecimals = 2;       // corrections and closures

std::string fixed(double value, int decimals) { return std::isfinite(value) ? roundedFixed(value, decimals) : "—"; }
std::string angleName(int k) { return "b(" + std::to_string(k) + ")"; }

StepsTable table(std::string title, Row heads, std::vector<Alignment> alignments) {
    StepsTable made;
    made.title = std::move(title);
    made.heads = std::move(heads);
    made.alignments = std::move(alignments);
    return made;
}

// 表 1: the two independent triangles, their sums, closures and the share −w/4 of every angle.
StepsTable firstGroupTable(const FirstGroupSteps& first, const AdjustmentResults& results) {
    using enum Alignment;
    StepsTable made = table(translate("表 1  第一组：两个独立三角形的图形条件"),
                            {translate("三角形"), translate("角号"), translate("观测角值"),
                             translate("第一组改正 −w/4（″）"), translate("第一组改正后角值")},
                            {centre, centre, right, right, right});
    for (int t = 0; t < 2; ++t) {
        const auto at = static_cast<std::size_t>(t);
        for (int k = 4 * t + 1; k <= 4 * t + 4; ++k) {
            made.rows.push_back({k == 4 * t + 1 ? (t == 0 ? "1-2-3" : "3-4-1") : "", angleName(k),
                                 sexagesimalText(first.observedAngles[k]), fixed(-first.shares[at], secondDecimals),
                                 sexagesimalText(first.angles[k])});
        }
        made.rows.push_back({"", "Σ", sexagesimalText(first.angleSums[at]),
                             fixed(-4 * static_cast<double>(first.shares[at]), secondDecimals), ""});
    }
    made.notes.push_back(withArguments(translate("w(1) = Σb(1…4) − 180° = %1″，w(2) = Σb(5…8) − 180° = %2″"),
                                       {fixed(*results.w1, secondDecimals),
                                        fixed(*results.w2, secondDecimals)}));
    made.notes.push_back(withArguments(translate("每角改正 −w/4：三角形 1 为 %1″，三角形 2 为 %2″（按计算保存的约 7 位有效数字）"),
                                       {fixed(-first.shares[0], secondDecimals),
                                        fixed(-first.shares[1], secondDecimals)}));
    return made;
}

// 表 2: the pole coefficients and the rows of the second group, the corrections and the adjusted angles.
StepsTable secondGroupTable(const AdjustmentSteps& steps, const AdjustmentResults& results) {
    using enum Alignment;
    StepsTable made = table(translate("表 2  第二组：条件方程系数（减去三角形平均值）与改正数"),
                            {translate("角号"), "c", "a", "b", "f", translate("v（″）"), translate("−w/4 + v（″）"),
                             translate("平差后角值")},
                            {centre, right, right, right, right, right, right, right});
    const auto& rows = *steps.coefficientRows;
    for (int k = 1; k <= 8; ++k) {
        Row row{angleName(k), fixed(steps.pole->coefficients[k], coefficientDecimals),
                fixed(rows[1][k], coefficientDecimals), fixed(rows[2][k], coefficientDecimals),
                fixed(rows[3][k], coefficientDecimals), "", "", ""};
        if (steps.corrections) {
            const double share = steps.firstGroup->shares[k <= 4 ? 0 : 1];
            row[5] = fixed(steps.corrections->corrections[k], secondDecimals);
            row[6] = fixed(-share + steps.corrections->corrections[k], secondDecimals);
            row[7] = sexagesimalText(steps.corrections->angles[k]);
        }
        made.rows.push_back(row);
    }
    made.notes.push_back(translate("c：极条件系数 ±2.1055 / tan b(k)；a：重叠三角形条件，b：极条件，f：权函数（各减去其三角形的"
                                   "平均值）；v = k1·a + k2·b"));
    made.notes.push_back(withArguments(translate("w(3) = b(1) + b(2) − b(5) − b(6) = %1″（第一组改正后）"),
                                       {fixed(*results.w3, secondDecimals)}));
    made.notes.push_back(withArguments(translate("S1 = Σ lg sin b(奇) = %1，S2 = Σ lg sin b(偶) = %2（各含 4 × 10）"),
                                       {fixed(steps.pole->logSineSums[0], 8), fixed(steps.pole->logSineSums[1], 8)}));
    made.notes.push_back(withArguments(translate("w(4) = (S1 − S2) × 1000000 = %1 单位"),
                                       {fixed(*results.w4, secondDecimals)}));
    return made;
}

std::string routeText(WeightFunction route) {
    switch (route) {
    case WeightFunction::azimuthCase: return translate("外方位角情况：S(3) 由起算边 S(1) 经三角形 1-2-3、2-3-4 推算");
    case WeightFunction::knownSideRoute1: return translate("路线 1：S(2) 由已知边 S(4) 经三角形 1-2-4、1-2-3 推算");
    case WeightFunction::knownSideRoute2: return translate("路线 2：S(2) 由已知边 S(4) 经三角形 1-3-4、2-3-4 推算");
    case WeightFunction::none: break;
    }
    return translate("无推算路线（B 点的两个座标中恰有一个为零）");
}

// 表 3: the normal equations with the weight function, the correlates and the reduction of the weight.
StepsTable normalTable(const AdjustmentSteps& steps, const AdjustmentResults& results) {
    using enum Alignment;
    StepsTable made =
        table(translate("表 3  法方程（含权函数）"), {"", "a", "b", "f", "w"}, {centre, right, right, right, right});
    const auto& n = *steps.normalMatrix;
    const char* const names[] = {"", "a", "b", "f"};
    const std::string closures[] = {"", fixed(*results.w3, secondDecimals),
                                    fixed(*results.w4, secondDecimals), ""};
    for (std::size_t i = 1; i <= 3; ++i) {
        Row row{names[i]};
        for (std::size_t j = 1; j <= 3; ++j) row.push_back(j >= i ? fixed(n[i][j], 4) : "");
        row.push_back(closures[i]);
        made.rows.push_back(row);
    }
    if (steps.determinant) {
        made.notes.push_back("det = [aa][bb] − [ab]² = " + fixed(*steps.determinant, 4));
    }
    if (steps.correlates) {
        made.notes.push_back(
            withArguments(translate("k1 = ([ab]w(4) − [bb]w(3)) / det = %1，k2 = ([ab]w(3) − [aa]w(4)) / det = %2"),
                          {fixed((*steps.correlates)[0], 6), fixed((*steps.correlates)[1], 6)}));
    }
    return made;
}

// 表 4: the adjusted angles put back into the four conditions.
StepsTable checkTable(const AdjustmentSteps& steps, const AdjustmentResults& results) {
    using enum Alignment;
    StepsTable made = table(translate("表 4  检核：平差后的条件闭合差"),
                            {translate("条件"), translate("闭合差 w"), "−w", translate("Σ改正"), translate("平差后闭合差")},
                            {left, right, right, right, right});
    const AfterAdjustmentSteps& after = *steps.afterAdjustment;
    const double closures[] = {*results.w1, *results.w2, *results.w3, *results.w4};
    const char* const names[] = {translate("三角形 1-2-3（″）"), translate("三角形 3-4-1（″）"),
                                 translate("重叠三角形 b(1)+b(2)−b(5)−b(6)（″）"), translate("极条件 Σc·v（单位）")};
    for (std::size_t i = 0; i < 4; ++i) {
        made.rows.push_back({names[i], fixed(closures[i], secondDecimals), fixed(-closures[i], secondDecimals),
                             fixed(after.correctionSums[i], secondDecimals), fixed(after.closures[i], secondDecimals)});
    }
    made.notes.push_back(translate("三角形的 Σ改正 含第一组改正 −w/4 与第二组改正 v；另两个条件为第二组改正 v 之和"));
    return made;
}

// 表 5: the precision of the adjustment and of the weakest side.
StepsTable precisionTable(const AdjustmentSteps& steps, const AdjustmentResults& results) {
    using enum Alignment;
    StepsTable made = table(translate("表 5  精度评定与最弱边"), {translate("量"), translate("算式"), translate("数值")},
                            {left, left, right});
    if (steps.routeStrengths) {
        made.rows.push_back({"R1", translate("路线 1 的图形强度（角 7、2，1、4）"), fixed((*steps.routeStrengths)[0], 2)});
        made.rows.push_back({"R2", translate("路线 2 的图形强度（角 3、6，5、8）"), fixed((*steps.routeStrengths)[1], 2)});
    }
    if (steps.weightFunction) made.rows.push_back({translate("推算路线"), routeText(*steps.weightFunction), ""});
    if (steps.firstGroupSquareSum) {
        made.rows.push_back({"[vv]₁", "(w(1)² + w(2)²) / 4", fixed(*steps.firstGroupSquareSum, 4)});
    }
    if (steps.corrections) made.rows.push_back({"[vv]₂", "Σ v(k)²", fixed(steps.corrections->squareSum, 4)});
    if (steps.reciprocalWeight) {
        const auto& weight = *steps.reciprocalWeight;
        made.rows.push_back({"q1", "([ab][bf] − [af][bb]) / det", fixed(weight.q[0], 6)});
        made.rows.push_back({"q2", "([ab][af] − [aa][bf]) / det", fixed(weight.q[1], 6)});
        made.rows.push_back({"1/Plgs", "[ff] + q1[af] + q2[bf]", fixed(*results.invPlgs, 5)});
    }
    if (results.mb) made.rows.push_back({"mb", translate("√(([vv]₁ + [vv]₂) / 4)（″）"), fixed(*results.mb, 2)});
    if (results.mlgs) made.rows.push_back({"mlgs", translate("mb · √(1/Plgs)（单位）"), fixed(*results.mlgs, 2)});
    if (results.relativeErrorDenominator) {
        made.rows.push_back(
            {"1/m", translate("m = 434290 / mlgs（舍去小数部分）"), "1/" + generalForm(*results.relativeErrorDenominator)});
    }
    return made;
}

}  // namespace

std::string sexagesimalText(double degrees, int secondDecimals) {
    if (!std::isfinite(degrees)) return "—";
    double scale = 1;
    for (int i = 0; i < secondDecimals; ++i) scale *= 10;
    // Rounded once, in units of the last second decimal; ties to even in the default rounding mode.
    const double units = std::nearbyint(std::abs(degrees) * 3600 * scale);
    const double perMinute = 60 * scale;
    const double wholeMinutes = std::floor(units / perMinute);
    const double secondUnits = units - wholeMinutes * perMinute;
    const double wholeDegrees = std::floor(wholeMinutes / 60);
    const double minutes = wholeMinutes - wholeDegrees * 60;
    std::string seconds = roundedFixed(secondUnits / scale, secondDecimals);
    if (secondUnits < 10 * scale) seconds = "0" + seconds;
    const std::string minuteText = (minutes < 10 ? "0" : "") + roundedFixed(minutes, 0);
    const bool negative = degrees < 0 && units > 0;
    return (negative ? "-" : "") + roundedFixed(wholeDegrees, 0) + "°" + minuteText + "′" + seconds + "″";
}

StepsDocument stepsDocument(const SurveyState& state, const ComputationSteps& steps) {
    StepsDocument document;
    document.title = translate(stepsTitle);
    const AdjustmentSteps& adjustment = steps.adjustment;
    const AdjustmentResults results = adjustmentResults(state, adjustment);
    if (adjustment.firstGroup) {
        document.sections.push_back({translate("一、第一组平差"), {firstGroupTable(*adjustment.firstGroup, results)}});
    }
    if (adjustment.pole && adjustment.coefficientRows) {
        StepsSection second{translate("二、第二组平差（重叠三角形条件与极条件）"), {secondGroupTable(adjustment, results)}};
        if (adjustment.normalMatrix) second.tables.push_back(normalTable(adjustment, results));
        document.sections.push_back(second);
    }
    if (adjustment.afterAdjustment) {
        document.sections.push_back({translate("三、检核"), {checkTable(adjustment, results)}});
    }
    if (adjustment.routeStrengths) {
        document.sections.push_back({translate("四、精度评定"), {precisionTable(adjustment, results)}});
    }
    if (steps.coordinatesCalled) addCoordinateSections(document, state, steps.coordinates);
    if (!steps.stopMessage.empty()) {
        document.stopNote = withArguments(translate("计算中止 — %1。此后的各步没有进行。"), {steps.stopMessage});
    }
    return document;
}

}  // namespace morvalen::report
