#include "analysis/ChecksText.h"

#include <algorithm>

#include "form/FieldText.h"
#include "i18n/Language.h"

namespace morvalen::analysis {

using i18n::translate;

std::string_view verdictText(bool pass) { return translate(pass ? passedText.data() : failedText.data()); }

std::string standardText(const CheckStandard& standard) {
    if (!standard.grade) return translate("自定测角中误差");
    return i18n::withArguments(translate("%1 %2"),
                               {translate(standard.grade->standard.data()), translate(standard.grade->name.data())});
}

std::string triangleText(const TriangleCheck& triangle) {
    std::string text;
    for (const int k : triangle.angles) text += (text.empty() ? "b" : "+b") + std::to_string(k);
    return text;
}

std::string angleText(int k) { return "b( " + std::to_string(k) + " )"; }

std::string suspectsText(const Checks& checks) {
    if (checks.suspects.empty()) return translate("无");
    std::string text;
    for (const int k : checks.suspects) text += (text.empty() ? "" : translate("、")) + angleText(k);
    return text;
}

std::string failedChecksText(const Checks& checks) {
    std::string text;
    const auto add = [&](bool failed, std::string_view name) {
        if (failed) text += (text.empty() ? "" : translate("、")) + std::string(translate(name.data()));
    };
    add(std::any_of(checks.triangles.begin(), checks.triangles.end(), [](const TriangleCheck& t) { return !t.pass; }),
        i18n::catalogued("三角形闭合差"));
    add(!checks.pole.pass, i18n::catalogued("极条件闭合差"));
    add(!checks.angleError.pass, i18n::catalogued("测角中误差"));
    add(!checks.weakestSide.pass.value_or(true), i18n::catalogued("最弱边相对中误差"));
    add(!checks.suspects.empty(), i18n::catalogued("粗差"));
    return text;
}

std::string decimalText(double value, int decimals) { return roundedFixed(value, decimals); }

}  // namespace morvalen::analysis
