// The survey grades a braced quadrilateral is checked against, as the standards tabulate them for triangulation.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "i18n/Language.h"

namespace morvalen::analysis {

// One grade of a standard's table of the main technical requirements of a triangulation network.
struct Grade {
    std::string_view standard;            // the standard that tabulates the grade
    std::string_view name;                // the grade as the command line names it; shown through i18n::translate
    double angleError = 0;                // 测角中误差 mβ, seconds of arc
    double triangleClosureLimit = 0;      // 三角形最大闭合差, seconds of arc
    double weakestSideDenominator = 0;    // 最弱边边长相对中误差 1/T: the T
};

inline constexpr std::string_view engineeringSurveyStandard = i18n::catalogued("GB 50026-2020 工程测量标准");
inline constexpr std::string_view nationalTriangulationStandard = i18n::catalogued("GB/T 17942-2000 国家三角测量规范");

// Every grade, the engineering survey grades (二等 … 二级) first, then the national ones (国家一等 … 国家四等).
const std::vector<Grade>& grades();

// The grade of that name, or null.
const Grade* findGrade(std::string_view name);

// One row of the standard's table of the technical requirements of horizontal angles observed by the direction
// method (水平角方向观测法的技术要求), for an instrument class and a range of grades.
struct DirectionMethodLimits {
    std::string_view instrument;              // the class: the σ of one direction in one round, "0.5", "1", "2", "6"
    std::string_view grades;                  // 四等及以上 or 一级及以下
    double closureLimit = 0;                  // 半测回归零差, seconds of arc
    std::optional<double> twoCSpreadLimit;    // 一测回内 2C 互差, seconds of arc; none for the 6″ class
    double roundSpreadLimit = 0;              // 同一方向值各测回较差, seconds of arc
};

inline constexpr std::string_view directionMethodStandard = i18n::catalogued("GB 50026-2020 工程测量标准 水平角方向观测法的技术要求");

// Every row, 四等及以上 first (0.5″, 1″, 2″), then 一级及以下 (2″, 6″).
const std::vector<DirectionMethodLimits>& directionMethodLimits();

// The limits of an instrument class: the row of 四等及以上 where the table has one (0.5″, 1″, 2″), otherwise the row
// of 一级及以下 (6″); null for a class the table does not hold.
const DirectionMethodLimits* findDirectionMethodLimits(std::string_view instrument);

struct Grade;
// The limits of an instrument class for a grade: the row of 四等及以上 for 四等 and the grades above it (the national
// grades among them), the row of 一级及以下 for 一级 and 二级; a class the table has only above (0.5″, 1″) keeps its
// stricter row. Null when the table holds no row (a 6″ instrument for 四等 and above) or no such class.
const DirectionMethodLimits* findDirectionMethodLimits(std::string_view instrument, const Grade& grade);

// What the checks hold the computation against: a grade of a table, or an a-priori mean square error of an angle
// chosen by the surveyor for any other survey standard (no grade, no limit for the weakest side).
struct CheckStandard {
    const Grade* grade = nullptr;
    double sigma = 0;  // a-priori mean square error of one angle, seconds of arc

    static CheckStandard ofGrade(const Grade& grade) { return {&grade, grade.angleError}; }
    static CheckStandard ofSigma(double sigmaSeconds) { return {nullptr, sigmaSeconds}; }
};

}  // namespace morvalen::analysis
