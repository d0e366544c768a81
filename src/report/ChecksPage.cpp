#include "report/ChecksPage.h"

#include <algorithm>

#include "analysis/ChecksText.h"
#include "analysis/LinearisedConditions.h"
#include "form/FieldText.h"
#include "i18n/Language.h"

namespace morvalen::report {
namespace {

using analysis::decimalText;
using i18n::translate;

std::string seconds(double value) { return decimalText(value, 2) + translate(" 秒"); }
std::string logUnits(double value) { return decimalText(value, 2) + translate(" 单位"); }
// 1/m in the general form of the single-precision figure, as the report prints 1/m.
std::string reciprocal(double denominator) { return "1/" + generalForm(static_cast<float>(denominator)); }

CheckRow judged(std::string value, std::string limit, bool pass) {
    return {std::move(value), std::move(limit), std::string(analysis::verdictText(pass)), pass};
}

}  // namespace

std::string withValue(std::string_view sentence, std::string_view value) {
    std::string filled(sentence);
    const std::size_t place = filled.find("%1");
    if (place != std::string::npos) filled.replace(place, 2, value);
    return filled;
}

ChecksPage checksPage(const analysis::Checks& checks) {
    ChecksPage page;
    page.standard = analysis::standardText(checks.standard);
    page.sigma = seconds(checks.standard.sigma);
    for (std::size_t t = 0; t < checks.triangles.size(); ++t) {
        const analysis::TriangleCheck& triangle = checks.triangles[t];
        page.triangleNames[t] = analysis::triangleText(triangle);
        page.triangles[t] = judged(seconds(triangle.closure), seconds(triangle.limit), triangle.pass);
    }
    page.pole = judged(logUnits(checks.pole.closure), logUnits(checks.pole.limit), checks.pole.pass);
    page.angleError = judged(seconds(checks.angleError.value), seconds(checks.angleError.limit),
                             checks.angleError.pass);
    page.ferreroValue = seconds(checks.ferrero.value);
    page.ferreroTriangles = checks.ferrero.triangles;
    const analysis::WeakestSideCheck& side = checks.weakestSide;
    page.weakestSide = {reciprocal(side.denominator),
                        side.limit ? reciprocal(*side.limit) : std::string(translate("无限差")),
                        side.pass ? std::string(analysis::verdictText(*side.pass)) : std::string(),
                        side.pass.value_or(true)};
    page.criticalValue = decimalText(analysis::criticalStandardizedResidual, 2);
    for (std::size_t k = 0; k < checks.angles.size(); ++k) {
        const analysis::AngleTest& test = checks.angles[k];
        page.angles[k] = {analysis::angleText(test.angle), decimalText(test.residual, 2),
                          decimalText(test.redundancy, 3), decimalText(test.standardized, 2),
                          decimalText(test.minimalDetectableBlunder, 2),
                          std::find(checks.suspects.begin(), checks.suspects.end(), test.angle) !=
                              checks.suspects.end()};
    }
    page.largestStandardized = decimalText(checks.largestStandardized, 2);
    page.suspects = analysis::suspectsText(checks) +
                    (checks.suspects.size() > 1 ? std::string(analysis::indistinguishableNote) : std::string());
    page.noSuspects = checks.suspects.empty();
    const std::string failed = analysis::failedChecksText(checks);
    const std::string_view verdict = analysis::verdictText(checks.pass);
    page.verdict = failed.empty() ? std::string(verdict) : i18n::withArguments(translate("%1（%2）"), {verdict, failed});
    page.pass = checks.pass;
    return page;
}

}  // namespace morvalen::report
