#include "cli/RunOutput.h"

#include <utility>

#include "report/ReportModel.h"
#include "report/TextReport.h"

namespace morvalen::cli {
namespace {

// The captions of the fields as the window labels them.
const std::vector<std::pair<std::string, std::string>>& labelledFields() {
    static const std::vector<std::pair<std::string, std::string>> fields = {
        {"Text1", "已知点 A 纵座标 Xa"}, {"Text2", "已知点 A 横座标 Ya"}, {"Text3", "已知点 B 纵座标 Xb"},
        {"Text4", "已知点 B 横座标 Yb"}, {"Text19", "起算边长 S"},        {"Text5", "起算点 A 外方位角 Ta"},
        {"Text6", "A 点定向角 Qa"},      {"Text20", "起始数据说明"},       {"Text15", "w1 三角形闭合差"},
        {"Text16", "w2 三角形闭合差"},   {"Text17", "wa 二对角闭合差"},    {"Text18", "wb 极条件闭合差"},
        {"Text8", "mb 单位权测角中误差"}, {"Text9", "1/Plgs 最弱边权倒数"}, {"Text10", "mlogs 最弱边对数中误差"},
        {"Text11", "1/m 最弱边相对中误差"}};
    return fields;
}

}  // namespace

void printFieldListing(const FieldModel& fields, std::ostream& out) {
    out << "\n== 窗口字段 ==\n";
    for (const auto& [name, caption] : labelledFields()) {
        out << caption << " [" << name << "]: " << fields.text({name}) << '\n';
    }
    for (int k = 0; k < 8; ++k) {
        out << "观测角 B(" << k + 1 << ") [Text7(" << k << ")]: " << fields.text({"Text7", k}) << '\n';
    }
    out << "\n（平差结果）\n";
    for (int r = 0; r <= 4; ++r) {
        out << "N(" << r << ")" << fields.text({"Text12", r}) << "  X(" << r << ")" << fields.text({"Text13", r})
            << "  " << fields.caption({"Label18", r}) << fields.text({"Text14", r}) << '\n';
    }
}

nlohmann::ordered_json fieldsJson(const FieldModel& fields) {
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    for (int number = 1; number <= 20; ++number) {
        const std::string name = "Text" + std::to_string(number);
        const auto array = FieldModel::fieldArrays().find(name);
        if (array == FieldModel::fieldArrays().end()) {
            json[name] = fields.text({name});
            continue;
        }
        json[name] = nlohmann::ordered_json::array();
        for (int i = 0; i < array->second; ++i) json[name].push_back(fields.text({name, i}));
    }
    return json;
}

nlohmann::ordered_json captionsJson(const FieldModel& fields) {
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    json["Label18(0)"] = fields.caption({"Label18", 0});
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
    out << "\n== 报表 ==\n" << report::renderText(report::reportLines(state));
}

}  // namespace morvalen::cli
