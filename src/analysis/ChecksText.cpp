#include "analysis/ChecksText.h"

#include <algorithm>

#include "form/FieldText.h"

namespace morvalen::analysis {

std::string standardText(const CheckStandard& standard) {
    if (!standard.grade) return "自定测角中误差";
    return std::string(standard.grade->standard) + " " + std::string(standard.grade->name);
}

std::string triangleText(const TriangleCheck& triangle) {
    std::string text;
    for (const int k : triangle.angles) text += (text.empty() ? "b" : "+b") + std::to_string(k);
    return text;
}

std::string angleText(int k) { return "b( " + std::to_string(k) + " )"; }

std::string suspectsText(const Checks& checks) {
    if (checks.suspects.empty()) return "无";
    std::string text;
    for (const int k : checks.suspects) text += (text.empty() ? "" : "、") + angleText(k);
    return text;
}

std::string failedChecksText(const Checks& checks) {
    std::string text;
    const auto add = [&](bool failed, std::string_view name) {
        if (failed) text += (text.empty() ? "" : "、") + std::string(name);
    };
    add(std::any_of(checks.triangles.begin(), checks.triangles.end(), [](const TriangleCheck& t) { return !t.pass; }),
        "三角形闭合差");
    add(!checks.pole.pass, "极条件闭合差");
    add(!checks.angleError.pass, "测角中误差");
    add(!checks.weakestSide.pass.value_or(true), "最弱边相对中误差");
    add(!checks.suspects.empty(), "粗差");
    return text;
}

std::string decimalText(double value, int decimals) { return roundedFixed(value, decimals); }

}  // namespace morvalen::analysis
