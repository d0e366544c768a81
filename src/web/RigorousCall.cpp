#include "web/RigorousCall.h"

#include <string>

#include "analysis/Analysis.h"
#include "command/RunRecord.h"
#include "document/ChecksOutput.h"
#include "fieldbook/FieldBookAngles.h"
#include "fieldbook/FieldBookFile.h"
#include "files/AtomicFile.h"
#include "i18n/Language.h"
#include "report/BothEllipsesDrawing.h"
#include "report/RigorousPage.h"
#include "report/TextReport.h"
#include "rigorous/RigorousNetwork.h"
#include "web/ObservationsPrompt.h"

namespace morvalen::web {

nlohmann::ordered_json rigorousAdjustment(const nlohmann::ordered_json& request) {
    using nlohmann::ordered_json;
    const std::string path = request.at("path");
    document::CheckOptions checks;
    checks.gradeName = request.value("grade", "");
    // A 2″ instrument, its limits in the row of the grade checked against where the table has one, as the terminal.
    const std::optional<analysis::CheckStandard> standard = checks.standard();
    const analysis::DirectionMethodLimits* limits =
        standard && standard->grade ? analysis::findDirectionMethodLimits("2", *standard->grade) : nullptr;
    if (!limits) limits = analysis::findDirectionMethodLimits("2");
    try {
        fieldbook::FieldBookAngles book(fieldbook::readFieldBook(files::pathOf(path)), *limits);
        Observations observations = observationsOf(request.at("observations"));
        for (std::size_t k = 0; k < observations.angles.size(); ++k) observations.angles[k] = book.angle(observations, k);
        const RunRecord record = computeRun(observations);
        if (record.stop) return {{"problem", i18n::withArguments(i18n::translate("计算中止 — %1"), {record.stop->what()})}};
        // By default a direction's σ that of the instrument class of the limits' row, as the terminal takes it.
        rigorous::ObservationSigmas sigmas = rigorous::defaultSigmas(*book.used());
        sigmas.directionSeconds = request.value("sigma_direction", sigmas.directionSeconds);
        sigmas.distanceMillimetres = request.value("distance_sigma_mm", sigmas.distanceMillimetres);
        sigmas.distancePpm = request.value("distance_sigma_ppm", sigmas.distancePpm);
        const rigorous::RigorousRun run = rigorous::rigorousRun(record.state, *book.used(), sigmas);
        const rigorous::RigorousAdjustment& adjustment = run.adjustment;
        // Both sets of station ellipses, as the checks window and the PDF draw them; the rigorous set alone where no
        // standard gives the classical one its σ.
        const std::optional<analysis::NetworkPrecision> classical = analysis::analyse(record, standard).precision;
        const report::PlotDrawing plot = report::bothEllipsesDrawing(run, classical ? &*classical : nullptr, 640, 560);
        return {{"sigma0", adjustment.sigma0 ? ordered_json(*adjustment.sigma0) : ordered_json(nullptr)},
                {"dof", adjustment.dof},
                {"global_test", adjustment.globalTest ? ordered_json(adjustment.globalTest->passes) : ordered_json(nullptr)},
                {"listing", report::renderText(report::rigorousPageLines(run))},
                {"plot_svg", report::svgDocument(plot)}};
    } catch (const fieldbook::FieldBookError& reason) {
        return {{"problem", i18n::withArguments(i18n::translate("观测手簿 %1 无法归算：%2"),
                                                {files::shownPath(files::pathOf(path)), reason.what()})}};
    } catch (const RunStopped& reason) {
        return {{"problem", reason.what()}};
    } catch (const rigorous::RigorousError& reason) {
        return {{"problem", i18n::withArguments(i18n::translate("严密平差没有进行：%1"), {reason.what()})}};
    }
}

}  // namespace morvalen::web
