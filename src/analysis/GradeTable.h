// The survey grades a braced quadrilateral is checked against, as the standards tabulate them for triangulation.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace morvalen::analysis {

// One grade of a standard's table of the main technical requirements of a triangulation network.
struct Grade {
    std::string_view standard;            // the standard that tabulates the grade
    std::string_view name;                // the grade as the command line and the menu name it
    double angleError = 0;                // 测角中误差 mβ, seconds of arc
    double triangleClosureLimit = 0;      // 三角形最大闭合差, seconds of arc
    double weakestSideDenominator = 0;    // 最弱边边长相对中误差 1/T: the T
};

inline constexpr std::string_view engineeringSurveyStandard = "GB 50026-2020 工程测量标准";
inline constexpr std::string_view nationalTriangulationStandard = "GB/T 17942-2000 国家三角测量规范";

// Every grade, the engineering survey grades (二等 … 二级) first, then the national ones (国家一等 … 国家四等).
const std::vector<Grade>& grades();

// The grade of that name, or null.
const Grade* findGrade(std::string_view name);

// What the checks hold the computation against: a grade of a table, or an a-priori mean square error of an angle
// chosen by the surveyor for any other survey standard (no grade, no limit for the weakest side).
struct CheckStandard {
    const Grade* grade = nullptr;
    double sigma = 0;  // a-priori mean square error of one angle, seconds of arc

    static CheckStandard ofGrade(const Grade& grade) { return {&grade, grade.angleError}; }
    static CheckStandard ofSigma(double sigmaSeconds) { return {nullptr, sigmaSeconds}; }
};

}  // namespace morvalen::analysis
