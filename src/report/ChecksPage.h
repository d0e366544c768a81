// The page of the checks as texts, built once from the checks and rendered by every view of them: the page
// 检核与精度分析 after the report and the window of the checks. Each view lays the texts out in its own way (the
// page at tab columns with a blank before each figure, the window in tables) and keeps its own captions.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "analysis/Checks.h"

namespace morvalen::report {

// A check with its figure, its limit and the verdict.
struct CheckRow {
    std::string value;    // "1.23 秒", "0.45 单位", "1/45000"
    std::string limit;    // "2.00 秒", "1/20000", "无限差"; empty where there is none
    std::string verdict;  // 合格 or 超限; empty where nothing is judged
    bool pass = true;     // false: the figure exceeds its limit (the views mark it)
};

// One angle in the w-test: b(k), v, r, w and ∇₀ as texts.
struct AngleTestRow {
    std::string angle;       // "b( 3 )"
    std::string residual;    // v, seconds of arc to two decimals
    std::string redundancy;  // r to three decimals
    std::string standardized;               // w to two decimals
    std::string minimalDetectableBlunder;  // ∇₀, seconds of arc to two decimals
    bool suspect = false;    // the angle is one of the suspects (marked 可疑)
};

struct ChecksPage {
    std::string standard;  // "GB 50026-2020 工程测量标准 四等", or "自定测角中误差"
    std::string sigma;     // σ: "2.50 秒"
    std::array<std::string, 4> triangleNames;  // "b1+b2+b3+b4" …
    std::array<CheckRow, 4> triangles;
    CheckRow pole;         // w(4) against 2 σ √Σc(k)², sixth-decimal log units
    CheckRow angleError;   // mb against the grade's mβ or σ
    std::string ferreroValue;  // Ferrero's mβ: "1.80 秒", indicative only
    int ferreroTriangles = 2;
    CheckRow weakestSide;  // 1/m against the grade's 1/T; no limit and no verdict for an own σ
    std::string criticalValue;  // the critical value of the w-test: "3.29"
    std::array<AngleTestRow, 8> angles;
    std::string largestStandardized;  // the largest |w| to two decimals
    std::string suspects;  // "b( 3 )、b( 4 )（四个条件方程不能区分这几个角）", or "无"
    bool noSuspects = true;
    std::string verdict;   // "合格", or "超限（三角形闭合差、粗差）"
    bool pass = true;
};

ChecksPage checksPage(const analysis::Checks& checks);

// The sentence with its place "%1" filled by the value: a sentence stays whole where a figure goes into it.
std::string withValue(std::string_view sentence, std::string_view value);

}  // namespace morvalen::report
