#include "report/AnalysisPage.h"

#include <iterator>
#include <string>

#include "analysis/ChecksText.h"
#include "i18n/Language.h"
#include "report/ChecksPage.h"
#include "report/PageWriter.h"
#include "report/PrecisionPage.h"

namespace morvalen::report {
namespace {

using i18n::translate;
using i18n::translateCaption;

// Tab columns of the page besides those of every page: the value, limit and verdict columns; the columns of the
// angle table.
constexpr int valueColumn = 50;
constexpr int limitColumn = 64;
constexpr int verdictColumn = 78;
constexpr int residualColumn = 32;
constexpr int redundancyColumn = 46;
constexpr int standardizedColumn = 62;
constexpr int blunderColumn = 78;
constexpr int suspectColumn = 86;
constexpr int listColumn = 40;

// A figure of the page: one blank before it, as the report sets its figures apart from the column.
std::string figure(const std::string& text) { return " " + text; }

class AnalysisPageWriter : public PageWriter {
public:
    // A check's row: label, value, limit and verdict.
    void check(std::string label, const CheckRow& row) {
        line().tab(labelColumn).text(std::move(label)).tab(valueColumn).text(figure(row.value));
        tab(limitColumn).text(figure(row.limit)).tab(verdictColumn).text(row.verdict);
    }
};

void writeStandard(const ChecksPage& page, AnalysisPageWriter& out) {
    out.line().tab(headingColumn).text(translate("--- 检核与精度分析 ---"));
    out.line();
    out.line().tab(sectionColumn).text(translate("检核标准 :")).tab(listColumn).text(page.standard);
    out.line().tab(sectionColumn).text(translate("测角中误差 σ=")).tab(listColumn).text(page.sigma);
}

void writeClosures(const ChecksPage& page, AnalysisPageWriter& out) {
    out.line();
    out.line().tab(sectionColumn).text(translate("条件方程式闭合差 :")).tab(valueColumn).text(translate("闭合差"))
        .tab(limitColumn).text(translate("限差")).tab(verdictColumn).text(translate("检核"));
    for (std::size_t t = 0; t < page.triangles.size(); ++t) {
        out.check(withValue(translate("三角形 %1"), page.triangleNames[t]), page.triangles[t]);
    }
    out.check(translate("四边形极条件 w( 4 )"), page.pole);
}

void writePrecision(const ChecksPage& page, AnalysisPageWriter& out) {
    out.line();
    out.line().tab(sectionColumn).text(translate("精度评定 :"));
    out.check(translateCaption("测角中误差 mb"), page.angleError);
    out.line().tab(labelColumn).text(translate("菲列罗公式 mβ")).tab(valueColumn).text(figure(page.ferreroValue))
        .tab(limitColumn)
        .text(withValue(translate("(%1 个三角形，仅供参考)"), std::to_string(page.ferreroTriangles)));
    out.check(translateCaption("最弱边相对中误差 1/m"), page.weakestSide);
}

void writeAngleTests(const ChecksPage& page, AnalysisPageWriter& out) {
    out.line();
    out.line().tab(sectionColumn).text(withValue(translate("观测角粗差检验 (w 检验，临界值 %1，α0=0.1%，β0=80%) :"),
                                                 page.criticalValue));
    out.line().tab(labelColumn).text(translate("角")).tab(residualColumn).text(translate("改正数 v(秒)"))
        .tab(redundancyColumn).text(translate("多余观测分量 r"))
        .tab(standardizedColumn).text(translate("标准化改正数 w"))
        .tab(blunderColumn).text(translate("∇0(秒)"));
    for (const AngleTestRow& test : page.angles) {
        out.line().tab(labelColumn).text(test.angle)
            .tab(residualColumn).text(figure(test.residual))
            .tab(redundancyColumn).text(figure(test.redundancy))
            .tab(standardizedColumn).text(figure(test.standardized))
            .tab(blunderColumn).text(figure(test.minimalDetectableBlunder));
        if (test.suspect) out.tab(suspectColumn).text(translate(analysis::suspectText.data()));
    }
    out.line().tab(labelColumn).text(translate("最大 |w|"))
        .tab(standardizedColumn).text(figure(page.largestStandardized));
    out.line();
    out.line().tab(sectionColumn).text(translate("粗差可疑观测 :")).tab(listColumn).text(page.suspects);
}

}  // namespace

std::vector<Line> analysisPageLines(const analysis::Checks& checks) {
    const ChecksPage page = checksPage(checks);
    AnalysisPageWriter out;
    writeStandard(page, out);
    writeClosures(page, out);
    writePrecision(page, out);
    writeAngleTests(page, out);
    out.line();
    out.line().tab(sectionColumn).text(translate("检核结论 :")).tab(listColumn).text(page.verdict);
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
