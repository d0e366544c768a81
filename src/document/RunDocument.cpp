#include "document/RunDocument.h"

#include "adjust/AngleConversions.h"
#include "document/ChecksOutput.h"
#include "document/RunOutput.h"
#include "document/StepsOutput.h"
#include "form/FieldText.h"

namespace morvalen::document {
namespace {

using nlohmann::ordered_json;

ordered_json single(const std::optional<float>& value) {
    return value ? ordered_json(shortestDecimal(*value)) : ordered_json(nullptr);
}

// The stations of the coordinate table once the run has computed them: A as entered, then the computed ones.
ordered_json stationsJson(const RunRecord& record) {
    ordered_json stations = ordered_json::array();
    if (!record.completed() || !record.steps.coordinatesCalled) return stations;
    const SurveyState& state = record.state;
    const int last = record.runCase() == RunCase::azimuth ? state.upperBound4 : state.upperBound3;
    for (int row = 0; row <= last; ++row) {
        const auto at = static_cast<std::size_t>(row);
        stations.push_back({{"row", row}, {"name", state.pointNames[at]}, {"x", state.pointX[at]}, {"y", state.pointY[at]}});
    }
    return stations;
}

}  // namespace

ordered_json resultJson(const RunRecord& record) {
    const AdjustmentResults results = record.results();
    ordered_json result;
    result["case"] = caseKey(record.runCase());
    result["w1"] = single(results.w1);
    result["w2"] = single(results.w2);
    result["w3"] = single(results.w3);
    result["w4"] = single(results.w4);
    result["mb"] = single(results.mb);
    result["inv_plgs"] = results.invPlgs ? ordered_json(*results.invPlgs) : ordered_json(nullptr);
    result["mlgs"] = single(results.mlgs);
    result["relative_error_denominator"] = single(results.relativeErrorDenominator);
    ordered_json angles = nullptr;
    if (results.anglesAdjusted()) {
        angles = ordered_json::array();
        for (std::size_t k = 1; k <= 8; ++k) {
            const double degrees = *record.state.adjustedAngles[k].numericValue();
            angles.push_back({{"degrees", degrees}, {"dms", roundedFixed(toDms(degrees), 5)}});
        }
    }
    result["adjusted_angles"] = angles;
    result["stations"] = stationsJson(record);
    result["stop"] = stopJson(record.stop);
    return result;
}

ordered_json runDocument(const std::vector<std::string>& prompts, const FieldModel& fields, const RunRecord& record,
                         const analysis::Analysis& analysed, const DocumentOptions& options) {
    ordered_json document;
    document["prompts"] = prompts;
    document["fields"] = fieldsJson(fields);
    document["captions"] = captionsJson(fields);
    document["stopped"] = stopJson(record.stop);
    document["report"] = reportJson(record.state);
    if (options.steps) document["steps"] = stepsJson(record.steps);
    if (options.checks) {
        document["checks"] = checksJson(analysed.checks);
        document["precision"] = precisionJson(analysed.precision);
    }
    document["result"] = resultJson(record);
    return document;
}

}  // namespace morvalen::document
