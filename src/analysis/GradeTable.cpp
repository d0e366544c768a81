#include "analysis/GradeTable.h"

#include "i18n/Language.h"

namespace morvalen::analysis {

const std::vector<Grade>& grades() {
    // mβ″; triangle closure″; weakest side 1/T. GB 50026-2020, triangulation networks (三角形网), and
    // GB/T 17942-2000, the national orders; the standards' own tables, one row a grade.
    static const std::vector<Grade> table = {
        {engineeringSurveyStandard, i18n::catalogued("二等"), 1.0, 3.5, 120000},
        {engineeringSurveyStandard, i18n::catalogued("三等"), 1.8, 7.0, 70000},
        {engineeringSurveyStandard, i18n::catalogued("四等"), 2.5, 9.0, 40000},
        {engineeringSurveyStandard, i18n::catalogued("一级"), 5.0, 15.0, 20000},
        {engineeringSurveyStandard, i18n::catalogued("二级"), 10.0, 30.0, 10000},
        {nationalTriangulationStandard, i18n::catalogued("国家一等"), 0.7, 2.5, 150000},
        {nationalTriangulationStandard, i18n::catalogued("国家二等"), 1.0, 3.5, 150000},
        {nationalTriangulationStandard, i18n::catalogued("国家三等"), 1.8, 7.0, 80000},
        {nationalTriangulationStandard, i18n::catalogued("国家四等"), 2.5, 9.0, 40000},
    };
    return table;
}

const Grade* findGrade(std::string_view name) {
    for (const Grade& grade : grades()) {
        if (grade.name == name) return &grade;
    }
    return nullptr;
}


const std::vector<DirectionMethodLimits>& directionMethodLimits() {
    // 半测回归零差″; 一测回内 2C 互差″; 同一方向值各测回较差″. GB 50026-2020, the direction method's table of
    // technical requirements, one row an instrument class within a range of grades.
    static const std::vector<DirectionMethodLimits> table = {
        {"0.5", i18n::catalogued("四等及以上"), 3, 5.0, 3},
        {"1", i18n::catalogued("四等及以上"), 6, 9.0, 6},
        {"2", i18n::catalogued("四等及以上"), 8, 13.0, 9},
        {"2", i18n::catalogued("一级及以下"), 12, 18.0, 12},
        {"6", i18n::catalogued("一级及以下"), 18, std::nullopt, 24},
    };
    return table;
}

const DirectionMethodLimits* findDirectionMethodLimits(std::string_view instrument) {
    for (const DirectionMethodLimits& limits : directionMethodLimits()) {
        if (limits.instrument == instrument) return &limits;
    }
    return nullptr;
}

const DirectionMethodLimits* findDirectionMethodLimits(std::string_view instrument, const Grade& grade) {
    const bool lower = grade.standard == engineeringSurveyStandard && (grade.name == "一级" || grade.name == "二级");
    const std::string_view range = lower ? "一级及以下" : "四等及以上";
    const DirectionMethodLimits* ofClass = nullptr;
    for (const DirectionMethodLimits& limits : directionMethodLimits()) {
        if (limits.instrument != instrument) continue;
        if (limits.grades == range) return &limits;
        if (!ofClass) ofClass = &limits;
    }
    return lower ? ofClass : nullptr;
}

}  // namespace morvalen::analysis
