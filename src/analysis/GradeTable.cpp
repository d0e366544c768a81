#include "analysis/GradeTable.h"

namespace morvalen::analysis {

const std::vector<Grade>& grades() {
    // mβ″; triangle closure″; weakest side 1/T. GB 50026-2020, triangulation networks (三角形网), and
    // GB/T 17942-2000, the national orders; the standards' own tables, one row a grade.
    static const std::vector<Grade> table = {
        {engineeringSurveyStandard, "二等", 1.0, 3.5, 120000},
        {engineeringSurveyStandard, "三等", 1.8, 7.0, 70000},
        {engineeringSurveyStandard, "四等", 2.5, 9.0, 40000},
        {engineeringSurveyStandard, "一级", 5.0, 15.0, 20000},
        {engineeringSurveyStandard, "二级", 10.0, 30.0, 10000},
        {nationalTriangulationStandard, "国家一等", 0.7, 2.5, 150000},
        {nationalTriangulationStandard, "国家二等", 1.0, 3.5, 150000},
        {nationalTriangulationStandard, "国家三等", 1.8, 7.0, 80000},
        {nationalTriangulationStandard, "国家四等", 2.5, 9.0, 40000},
    };
    return table;
}

const Grade* findGrade(std::string_view name) {
    for (const Grade& grade : grades()) {
        if (grade.name == name) return &grade;
    }
    return nullptr;
}

}  // namespace morvalen::analysis
