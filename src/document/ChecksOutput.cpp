#include "document/ChecksOutput.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "i18n/Language.h"
#include "report/AnalysisPage.h"
#include "report/TextReport.h"

namespace morvalen::document {
namespace {

using Json = nlohmann::ordered_json;

template <class T>
Json orNull(const std::optional<T>& value) {
    return value ? Json(*value) : Json(nullptr);
}

}  // namespace

std::string gradeOptionName(const analysis::Grade& grade) {
    std::string name = i18n::translate(grade.name.data());
    std::replace(name.begin(), name.end(), ' ', '-');
    return name;
}

const analysis::Grade* gradeNamed(const std::string& text) {
    if (const analysis::Grade* grade = analysis::findGrade(text)) return grade;
    const auto& all = analysis::grades();
    const auto found = std::find_if(all.begin(), all.end(), [&](const auto& grade) { return gradeOptionName(grade) == text; });
    return found == all.end() ? nullptr : &*found;
}

std::optional<analysis::CheckStandard> CheckOptions::standard() const {
    if (const analysis::Grade* grade = gradeNamed(gradeName)) return analysis::CheckStandard::ofGrade(*grade);
    if (sigmaSeconds > 0) return analysis::CheckStandard::ofSigma(sigmaSeconds);
    return std::nullopt;
}

Json checksJson(const std::optional<analysis::Checks>& checks) {
    if (!checks) return nullptr;
    const analysis::CheckStandard& standard = checks->standard;
    Json json;
    json["standard"] = standard.grade ? Json(std::string(i18n::translate(standard.grade->standard.data()))) : Json(nullptr);
    json["grade"] = standard.grade ? Json(gradeOptionName(*standard.grade)) : Json(nullptr);
    json["sigma"] = standard.sigma;
    json["triangles"] = Json::array();
    for (const analysis::TriangleCheck& triangle : checks->triangles) {
        json["triangles"].push_back({{"angles", triangle.angles},
                                     {"closure", triangle.closure},
                                     {"limit", triangle.limit},
                                     {"pass", triangle.pass}});
    }
    json["pole"] = {{"closure", checks->pole.closure}, {"limit", checks->pole.limit}, {"pass", checks->pole.pass}};
    json["mb"] = {{"value", checks->angleError.value},
                  {"limit", checks->angleError.limit},
                  {"pass", checks->angleError.pass}};
    json["ferrero"] = {{"value", checks->ferrero.value}, {"triangles", checks->ferrero.triangles}};
    json["weakest_side"] = {{"denominator", checks->weakestSide.denominator},
                            {"limit", orNull(checks->weakestSide.limit)},
                            {"pass", orNull(checks->weakestSide.pass)}};
    json["angles"] = Json::array();
    for (const analysis::AngleTest& test : checks->angles) {
        json["angles"].push_back({{"angle", test.angle},
                                  {"residual", test.residual},
                                  {"redundancy", test.redundancy},
                                  {"standardized", test.standardized},
                                  {"mdb", test.minimalDetectableBlunder}});
    }
    json["suspects"] = checks->suspects;
    json["pass"] = checks->pass;
    return json;
}

Json precisionJson(const std::optional<analysis::NetworkPrecision>& precision) {
    if (!precision) return nullptr;
    Json json;
    json["sigma"] = precision->sigma;
    json["points"] = Json::array();
    for (const analysis::StationPrecision& station : precision->stations) {
        if (station.fixed) continue;
        json["points"].push_back({{"row", station.row},
                                  {"name", station.name},
                                  {"mx_mm", station.mx},
                                  {"my_mm", station.my},
                                  {"mp_mm", station.mp},
                                  {"a_mm", station.ellipse.a},
                                  {"b_mm", station.ellipse.b},
                                  {"phi_deg", station.ellipse.phiDegrees}});
    }
    json["sides"] = Json::array();
    for (const analysis::SidePrecision& side : precision->sides) {
        json["sides"].push_back({{"side", side.side},
                                 {"length", side.length},
                                 {"relative_error_denominator", orNull(side.relativeErrorDenominator)},
                                 {"azimuth_error", side.azimuthError}});
    }
    json["relative"] = Json::array();
    for (const analysis::RelativePrecision& pair : precision->relative) {
        json["relative"].push_back(
            {{"from", pair.from},
             {"to", pair.to},
             {"names", {precision->stations[static_cast<std::size_t>(pair.from)].name,
                        precision->stations[static_cast<std::size_t>(pair.to)].name}},
             {"distance_m", pair.distance},
             {"sigma_distance_mm", pair.distanceError},
             {"relative_error_denominator", orNull(pair.relativeErrorDenominator)},
             {"sigma_azimuth_sec", pair.azimuthError},
             {"a_mm", pair.ellipse.a},
             {"b_mm", pair.ellipse.b},
             {"phi_deg", pair.ellipse.phiDegrees}});
    }
    return json;
}

void printChecksText(const SurveyState& state, const std::optional<analysis::Checks>& checks,
                     const std::optional<analysis::NetworkPrecision>& precision, std::ostream& out) {
    out << "\n== " << i18n::translate("检核") << " ==\n";
    if (!checks) {
        out << analysis::nothingToCheck(state) << '\n';
        return;
    }
    out << report::renderText(report::analysisPageLines(*checks, precision));
}

}  // namespace morvalen::document
