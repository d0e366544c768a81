#include "document/RunOutput.h"

#include <utility>

#include "entry/Utf8.h"
#include "report/ReportModel.h"
#include "report/TextReport.h"
#include "i18n/Language.h"

namespace morvalen::document {
namespace {

// The captions of the fields as the window labels them.
const std::vector<std::pair<Control, const char*>>& labelledFields() {
    using namespace form;
    static const std::vector<std::pair<Control, const char*>> fields = {
        {xa, i18n::catalogued("已知点 A 纵座标 Xa")},        {ya, i18n::catalogued("已知点 A 横座标 Ya")},
        {xb, i18n::catalogued("已知点 B 纵座标 Xb")},        {yb, i18n::catalogued("已知点 B 横座标 Yb")},
        {startSideLength, i18n::catalogued("起算边长 S")},   {externalAzimuth, i18n::catalogued("起算点 A 外方位角 Ta")},
        {orientationAngle, i18n::catalogued("A 点定向角 Qa")}, {startNote, i18n::catalogued("起始数据说明")},
        {w1, i18n::catalogued("w1 三角形闭合差")},           {w2, i18n::catalogued("w2 三角形闭合差")},
        {w3, i18n::catalogued("wa 二对角闭合差")},           {w4, i18n::catalogued("wb 极条件闭合差")},
        {mb, i18n::catalogued("mb 单位权测角中误差")},       {reciprocalWeight, i18n::catalogued("1/Plgs 最弱边权倒数")},
        {mlgs, i18n::catalogued("mlogs 最弱边对数中误差")}, {relativeError, i18n::catalogued("1/m 最弱边相对中误差")}};
    return fields;
}

}  // namespace

void printFieldListing(const FieldModel& fieldModel, std::ostream& out) {
    // A name is shown with its control characters escaped, on one line.
    const struct {
        const FieldModel& model;
        std::string text(const Control& field) const { return escapedControls(model.text(field)); }
        std::string caption(const Control& label) const { return escapedControls(model.caption(label)); }
    } fields{fieldModel};
    out << "\n== " << i18n::translate("窗口字段") << " ==\n";
    for (const auto& [field, caption] : labelledFields()) {
        out << i18n::translate(caption) << " [" << field.name << "]: " << fields.text(field) << '\n';
    }
    for (int k = 0; k < form::angleCount; ++k) {
        const Control angle = form::observedAngle(k);
        out << i18n::withArguments(i18n::translate("观测角 B(%1)"), {std::to_string(k + 1)}) << " ["
            << form::shownName(angle) << "]: " << fields.text(angle) << '\n';
    }
    out << "\n" << i18n::translate("（平差结果）") << "\n";
    for (int r = 0; r < form::tableRows; ++r) {
        out << "N(" << r << ")" << fields.text(form::stationName(r)) << "  X(" << r << ")"
            << fields.text(form::stationX(r)) << "  " << fields.caption(form::yCaption(r))
            << fields.text(form::stationY(r)) << '\n';
    }
}

nlohmann::ordered_json fieldsJson(const FieldModel& fields) {
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    for (const auto& [field, size] : form::textFields) {
        const std::string name(field.name);
        if (size == 1) {
            json[name] = fields.text(field);
            continue;
        }
        json[name] = nlohmann::ordered_json::array();
        for (int i = 0; i < size; ++i) json[name].push_back(fields.text({field.name, i}));
    }
    return json;
}

nlohmann::ordered_json captionsJson(const FieldModel& fields) {
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    json[form::shownName(form::yCaption(0))] = fields.caption(form::yCaption(0));
    return json;
}

nlohmann::ordered_json stopJson(const std::optional<RunStopped>& stop) {
    if (!stop) return nullptr;
    return {{"step", stop->step()}, {"cause", stop->cause()}, {"message", stop->what()}};
}

nlohmann::ordered_json reportJson(const SurveyState& state) {
    if (!report::printingAllowed(state)) return nullptr;
    nlohmann::ordered_json lines = nlohmann::ordered_json::array();
    for (const report::Line& line : report::reportLines(state)) {
        nlohmann::ordered_json items = nlohmann::ordered_json::array();
        for (const report::Item& item : line) {
            if (const auto* tab = std::get_if<report::TabStop>(&item)) items.push_back({{"tab", tab->column}});
            else if (const auto* size = std::get_if<report::FontSize>(&item)) items.push_back({{"font", size->points}});
            else items.push_back({{"text", std::get<report::Text>(item).text}});
        }
        lines.push_back(std::move(items));
    }
    return lines;
}

void printReportText(const SurveyState& state, std::ostream& out) {
    if (!report::printingAllowed(state)) return;
    out << "\n== " << i18n::translate("报表") << " ==\n" << report::renderText(report::reportLines(state));
}

}  // namespace morvalen::document
