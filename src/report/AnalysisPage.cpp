#include "report/AnalysisPage.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "analysis/ChecksText.h"
#include "analysis/LinearisedConditions.h"
#include "form/FieldText.h"
#include "i18n/Language.h"
#include "report/PageWriter.h"
#include "report/PrecisionPage.h"

namespace morvalen::report {
namespace {

using analysis::decimalText;
using analysis::verdictText;
using i18n::translate;
using i18n::withArguments;

// Tab columns of the page: the heading, the section titles, their labels, and the value, limit and verdict columns;
// the columns of the angle table.
constexpr int headingColumn = 26;
constexpr int sectionColumn = 22;
constexpr int labelColumn = 24;
constexpr int valueColumn = 50;
constexpr int limitColumn = 64;
constexpr int verdictColumn = 78;
constexpr int residualColumn = 32;
constexpr int redundancyColumn = 46;
constexpr int standardizedColumn = 62;
constexpr int blunderColumn = 78;
constexpr int suspectColumn = 86;
constexpr int listColumn = 40;

std::string seconds(double value) { return " " + decimalText(value, 2) + translate(" 秒"); }
std::string logUnits(double value) { return " " + decimalText(value, 2) + translate(" 单位"); }

class AnalysisPageWriter : public PageWriter {
public:
    // A check's row: label, value, limit and verdict.
    void check(std::string label, std::string value, std::string limit, std::string verdict) {
        line().tab(labelColumn).text(std::move(label)).tab(valueColumn).text(std::move(value));
        tab(limitColumn).text(std::move(limit)).tab(verdictColumn).text(std::move(verdict));
    }
};

void writeStandard(const analysis::Checks& checks, AnalysisPageWriter& out) {
    out.line().tab(headingColumn).text(translate("--- 检核与精度分析 ---"));
    out.line();
    out.line().tab(sectionColumn).text(translate("检核标准 :"))
        .tab(listColumn).text(analysis::standardText(checks.standard));
    out.line().tab(sectionColumn).text(translate("测角中误差 σ="))
        .tab(listColumn).text(seconds(checks.standard.sigma).substr(1));
}

void writeClosures(const analysis::Checks& checks, AnalysisPageWriter& out) {
    out.line();
    out.line().tab(sectionColumn).text(translate("条件方程式闭合差 :")).tab(valueColumn).text(translate("闭合差"))
        .tab(limitColumn).text(translate("限差")).tab(verdictColumn).text(translate("检核"));
    for (const analysis::TriangleCheck& triangle : checks.triangles) {
        out.check(withArguments(translate("三角形 %1"), {analysis::triangleText(triangle)}), seconds(triangle.closure),
                  seconds(triangle.limit), std::string(verdictText(triangle.pass)));
    }
    out.check(translate("四边形极条件 w( 4 )"), logUnits(checks.pole.closure), logUnits(checks.pole.limit),
              std::string(verdictText(checks.pole.pass)));
}

void writePrecision(const analysis::Checks& checks, AnalysisPageWriter& out) {
    out.line();
    out.line().tab(sectionColumn).text(translate("精度评定 :"));
    out.check(translate("测角中误差 mb"), seconds(checks.angleError.value), seconds(checks.angleError.limit),
              std::string(verdictText(checks.angleError.pass)));
    out.line().tab(labelColumn).text(translate("菲列罗公式 mβ")).tab(valueColumn).text(seconds(checks.ferrero.value))
        .tab(limitColumn).text(withArguments(translate("(%1 个三角形，仅供参考)"), {std::to_string(checks.ferrero.triangles)}));
    const analysis::WeakestSideCheck& side = checks.weakestSide;
    out.check(translate("最弱边相对中误差 1/m"), " 1/" + generalForm(static_cast<float>(side.denominator)),
              side.limit ? " 1/" + generalForm(static_cast<float>(*side.limit)) : std::string(translate(" 无限差")),
              side.pass ? std::string(verdictText(*side.pass)) : std::string());
}

void writeAngleTests(const analysis::Checks& checks, AnalysisPageWriter& out) {
    out.line();
    out.line().tab(sectionColumn).text(translate("观测角粗差检验 (w 检验，临界值 3.29，α0=0.1%，β0=80%) :"));
    out.line().tab(labelColumn).text(translate("角")).tab(residualColumn).text(translate("改正数 v(秒)"))
        .tab(redundancyColumn).text(translate("多余观测分量 r")).tab(standardizedColumn).text(translate("标准化改正数 w"))
        .tab(blunderColumn).text(translate("∇0(秒)"));
    for (const analysis::AngleTest& test : checks.angles) {
        const bool suspect =
            std::find(checks.suspects.begin(), checks.suspects.end(), test.angle) != checks.suspects.end();
        out.line().tab(labelColumn).text(analysis::angleText(test.angle))
            .tab(residualColumn).text(" " + decimalText(test.residual, 2))
            .tab(redundancyColumn).text(" " + decimalText(test.redundancy, 3))
            .tab(standardizedColumn).text(" " + decimalText(test.standardized, 2))
            .tab(blunderColumn).text(" " + decimalText(test.minimalDetectableBlunder, 2));
        if (suspect) out.tab(suspectColumn).text(std::string(analysis::suspectText));
    }
    out.line().tab(labelColumn).text(translate("最大 |w|"))
        .tab(standardizedColumn).text(" " + decimalText(checks.largestStandardized, 2));
    out.line();
    out.line().tab(sectionColumn).text(translate("粗差可疑观测 :")).tab(listColumn).text(analysis::suspectsText(checks) +
        (checks.suspects.size() > 1 ? std::string(analysis::indistinguishableNote) : std::string()));
}

}  // namespace

std::vector<Line> analysisPageLines(const analysis::Checks& checks) {
    AnalysisPageWriter out;
    writeStandard(checks, out);
    writeClosures(checks, out);
    writePrecision(checks, out);
    writeAngleTests(checks, out);
    out.line();
    const std::string failed = analysis::failedChecksText(checks);
    out.line().tab(sectionColumn).text(translate("检核结论 :")).tab(listColumn)
        .text(failed.empty() ? std::string(verdictText(checks.pass))
                             : withArguments(translate("%1（%2）"), {verdictText(checks.pass), failed}));
    return out.take();
}

std::vector<Line> analysisPageLines(const analysis::Checks& checks,
                                    const std::optional<analysis::NetworkPrecision>& precision) {
    std::vector<Line> lines = analysisPageLines(checks);
    if (precision) {
        std::vector<Line> stations = precisionPageLines(*precision);
        lines.insert(lines.end(), std::make_move_iterator(stations.begin()), std::make_move_iterator(stations.end()));
    }
    return lines;
}

}  // namespace morvalen::report
