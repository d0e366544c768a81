// The texts of the checks, shared by every view of them (the page of the report, the terminal, the window).
#pragma once

#include <string>
#include <string_view>

#include "analysis/Checks.h"
#include "i18n/Language.h"

namespace morvalen::analysis {

// The Chinese of the texts below; they are shown through i18n::translate.
inline constexpr std::string_view passedText = i18n::catalogued("合格");
inline constexpr std::string_view failedText = i18n::catalogued("超限");
// The mark of the angle a blunder is suspected in (the largest |w| above the critical value); other angles may also
// exceed it, through the blunder's share in their residuals.
inline constexpr std::string_view suspectText = i18n::catalogued("可疑");

// 合格 or 超限, in the language of the interface.
std::string_view verdictText(bool pass);

// "GB 50026-2020 工程测量标准 四等", or "自定测角中误差" for an own σ.
std::string standardText(const CheckStandard& standard);

// "b1+b2+b7+b8": the angles that close a triangle.
std::string triangleText(const TriangleCheck& triangle);

// "b( 3 )": an angle as the report numbers it.
std::string angleText(int k);

// The suspects as a list ("b( 3 )、b( 4 )"), or "无".
std::string suspectsText(const Checks& checks);

// The checks that fail, named shortly and joined ("三角形闭合差、粗差"), empty when all pass.
std::string failedChecksText(const Checks& checks);

// A value rounded to its decimals with ties to even, at least one integer digit, no minus sign on a zero.
std::string decimalText(double value, int decimals);

// Explains a suspect group of more than one angle.
inline constexpr std::string_view indistinguishableNote = i18n::catalogued("（四个条件方程不能区分这几个角）");

}  // namespace morvalen::analysis
