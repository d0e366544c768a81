#include "report/ReportModel.h"

#include <string>
#include <utility>

#include "adjust/AngleConversions.h"
#include "form/FieldText.h"
#include "i18n/Language.h"
#include "report/PageWriter.h"

namespace morvalen::report {
namespace {

using i18n::translate;
using i18n::withArguments;

// Tab columns of the report besides those of every page: the heading's second line, the two value columns of the
// start data and of the angle table, and the y column of the coordinate table.
constexpr int caseColumn = 33;
constexpr int valueColumn = 30;
constexpr int eastingColumn = 49;
constexpr int observedTitleColumn = 35;
constexpr int adjustedTitleColumn = 55;
constexpr int adjustedColumn = 50;
constexpr int coordinateEastingColumn = 53;

// An index as a printed number: a blank, the digits and a blank, so that the first angle reads b( 1 )=.
std::string indexText(int index) { return " " + std::to_string(index) + " "; }

// A result rounded half to even at its last decimal, after the blank that separates it from its label.
std::string rounded(double value, int decimals) { return " " + roundedFixed(value, decimals); }

// An adjusted angle in decimal degrees packed to dd.mmss without carry, rounded to a tenth of a second.
std::string packedAdjustedAngle(const EntryValue& adjusted) {
    const auto degrees = adjusted.numericValue();
    if (!degrees) return " " + adjusted.typedText();
    return rounded(toDms(*degrees), 5);
}

void writeHeading(const SurveyState& state, RunCase kind, LineWriter& out) {
    out.fontForNextLine(headingPoints);
    out.line().tab(headingColumn).text("--- Morvalen ---");
    // Only the heading is measured in the larger size.
    out.fontForNextLine(bodyPoints);
    if (kind == RunCase::knownSide) {
        out.line().tab(caseColumn).text(translate("(由已知边S(ab)推算)"));
    } else if (kind == RunCase::azimuth && state.startSideNumber >= 1 && state.startSideNumber <= 6) {
        out.line().tab(caseColumn).text(
            withArguments(translate("(由外方位及起始边S(%1)推算)"), {std::to_string(state.startSideNumber)}));
    }
    out.line();
}

void writeStartData(const SurveyState& state, RunCase kind, LineWriter& out) {
    out.line().tab(sectionColumn).text(translate("起始点座标 :"));
    out.line()
        .tab(valueColumn).text("xa=").text(" " + state.xa.display(Pattern::threeDecimals))
        .tab(eastingColumn).text("ya=").text(" " + state.ya.display(Pattern::threeDecimalsBare));
    if (kind == RunCase::knownSide) {
        out.line()
            .tab(valueColumn).text("xb=").text(" " + state.xb.display(Pattern::threeDecimals))
            .tab(eastingColumn).text("yb=").text(" " + state.yb.display(Pattern::threeDecimalsBare));
    } else if (kind == RunCase::azimuth) {
        const std::string dms = translate("( 度,分,秒 )");
        out.line();
        out.line().tab(labelColumn).text(translate("外方位角 : Ta="))
            .text(" " + state.Ta.display(Pattern::fiveDecimals) + dms);
        out.line().tab(labelColumn).text(translate("外方位角 : Qa="))
            .text(" " + state.Qa.display(Pattern::fiveDecimals) + dms);
        out.line()
            .tab(labelColumn).text(withArguments(translate("起算边长 : S(%1)="), {std::to_string(state.startSideNumber)}))
            .text(" " + state.startSideLength.display(Pattern::fiveDecimals));
    }
}

void writeAngles(const SurveyState& state, LineWriter& out) {
    out.line();
    out.line().tab(observedTitleColumn).text(translate("观测角 :"))
        .tab(adjustedTitleColumn).text(translate("平差角 :"));
    for (int i = 1; i <= 8; ++i) {
        const auto k = static_cast<std::size_t>(i);
        out.line()
            .tab(valueColumn).text("b(").text(indexText(i)).text(")=")
            .text(" " + state.observedAngles.at(k).display(Pattern::fiveDecimals))
            .tab(adjustedColumn).text("b(").text(indexText(i)).text(")=")
            .text(packedAdjustedAngle(state.adjustedAngles.at(k)));
    }
}

void writeClosures(const SurveyState& state, LineWriter& out) {
    const auto& w = state.closures;
    out.line();
    out.line().tab(sectionColumn).text(translate("第一组条件方程式闭合差 :"));
    for (int i = 1; i <= 2; ++i) {
        out.line()
            .tab(labelColumn).text(translate("独立三角形条件  w(")).text(indexText(i)).text(")=")
            .text(rounded(w.at(static_cast<std::size_t>(i)), 2) + translate(" 秒"));
    }
    out.line();
    out.line().tab(sectionColumn).text(translate("第二组条件方程式闭合差 :"));
    out.line().tab(labelColumn).text(translate("重叠三角形条件  w(")).text(indexText(3)).text(")=")
        .text(rounded(w.at(3), 2) + translate(" 秒"));
    out.line()
        .tab(labelColumn).text(translate("  四边形极条件  w(")).text(indexText(4)).text(")=")
        .text(rounded(w.at(4), 2) + translate(" 单位(对数第六位)"));
}

void writeCoordinates(const SurveyState& state, LineWriter& out) {
    out.line();
    out.line().tab(sectionColumn).text(translate("平差结果 :"));
    for (int i = 0; i <= state.unknownPointCount + 1; ++i) {
        const auto k = static_cast<std::size_t>(i);
        out.line()
            .tab(labelColumn).text(state.pointNames.at(k) + " :")
            .tab(valueColumn).text("x(").text(indexText(i)).text(")=").text(rounded(state.pointX.at(k), 3))
            .tab(coordinateEastingColumn).text("y(").text(indexText(i)).text(")=").text(rounded(state.pointY.at(k), 3));
    }
}

void writePrecision(const SurveyState& state, LineWriter& out) {
    out.line();
    out.line().tab(sectionColumn).text(translate("精度评定 :"));
    out.line().tab(labelColumn).text(translate("        测角中误差 : mb="))
        .text(rounded(state.mb, 2) + translate(" 秒"));
    out.line();
    out.line().tab(labelColumn).text(translate("      最弱边权倒数 : 1/Plgs=")).text(rounded(state.invPlgs, 5));
    out.line().tab(labelColumn).text(translate("   最弱边对数中误差 :   mlgs="))
        .text(rounded(state.mlgs, 2) + translate(" 单位(对数第六位)"));
    out.line().tab(labelColumn).text(translate("   最弱边相对中误差 :    1/m= 1/") +
                                     generalForm(state.relativeErrorDenominator));
    out.line().tab(labelColumn).text("");
}

}  // namespace

std::vector<Line> reportLines(const SurveyState& state) {
    LineWriter out;
    const RunCase kind = runCase(state);
    writeHeading(state, kind, out);
    writeStartData(state, kind, out);
    writeAngles(state, out);
    writeClosures(state, out);
    writeCoordinates(state, out);
    writePrecision(state, out);
    return out.take();
}

bool printingAllowed(const SurveyState& state) { return state.computationComplete; }

}  // namespace morvalen::report
