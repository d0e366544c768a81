#include "web/FaceJson.h"

#include <string>

#include "entry/ObservationChecks.h"
#include "form/ObservationColumns.h"
#include "form/WindowFace.h"
#include "i18n/Language.h"

namespace morvalen::web {
namespace {

using nlohmann::ordered_json;

ordered_json box(const form::Box& twips) { return {twips.left, twips.top, twips.width, twips.height}; }

std::string colour(const form::Colour& colour) {
    return "rgb(" + std::to_string(colour.red) + "," + std::to_string(colour.green) + "," + std::to_string(colour.blue) +
           ")";
}

const char* fontName(form::FontRole role) {
    switch (role) {
    case form::FontRole::window: return "window";
    case form::FontRole::title: return "title";
    case form::FontRole::sansLarge: return "sansLarge";
    case form::FontRole::sansMedium: return "sansMedium";
    case form::FontRole::sansSmall: return "sansSmall";
    case form::FontRole::arialMedium: return "arialMedium";
    }
    return "window";
}

std::string shown(const form::FaceLabel& label) {
    switch (label.kind) {
    case form::TextKind::translated: return i18n::translate(label.text.c_str());
    case form::TextKind::caption: return i18n::translateCaption(label.text.c_str());
    case form::TextKind::plain: break;
    }
    return label.text;
}

const char* command(const Control& button) {
    if (button == form::computeButton) return "compute";
    if (button == form::exitButton) return "exit";
    return "print";
}

ordered_json layoutJson() {
    ordered_json labels = ordered_json::array();
    for (const form::FaceLabel& label : form::faceLabels()) {
        labels.push_back({{"name", form::objectName(label.control)}, {"text", shown(label)}, {"box", box(label.twips)},
                          {"font", fontName(label.font)}});
    }
    ordered_json fields = ordered_json::array();
    for (const form::FaceField& field : form::faceFields()) {
        fields.push_back({{"name", form::objectName(field.control)}, {"box", box(field.twips)}});
    }
    ordered_json lines = ordered_json::array();
    for (const form::FaceLine& line : form::faceLines()) {
        const form::Segment& ends = line.twips;
        lines.push_back({{"name", form::objectName(line.control)}, {"points", {ends.x1, ends.y1, ends.x2, ends.y2}},
                         {"colour", colour(line.colour)}, {"width", line.widthPixels}});
    }
    ordered_json buttons = ordered_json::array();
    for (const form::FaceButton& button : form::faceButtons()) {
        buttons.push_back({{"name", form::objectName(button.control)}, {"command", command(button.control)},
                           {"text", i18n::translate(button.text.c_str())}, {"box", box(button.twips)},
                           {"colour", colour(button.colour)}});
    }
    return {{"extent", {form::layoutWidthTwips, form::layoutHeightTwips}}, {"colour", colour(form::windowColour)},
            {"labels", labels}, {"fields", fields}, {"lines", lines}, {"buttons", buttons}};
}

}  // namespace

ordered_json faceJson() {
    ordered_json face = layoutJson();
    ordered_json columns = ordered_json::array();
    for (const form::ObservationColumn& column : form::observationColumns()) {
        columns.push_back({{"key", std::string(column.key)}, {"caption", i18n::translateCaption(column.caption)},
                           {"group", i18n::translate(column.group)},
                           {"azimuth_only", column.need == form::CaseNeed::azimuthOnly}});
    }
    face["columns"] = columns;
    ordered_json cases = ordered_json::object();
    for (const RunCase kind : {RunCase::knownSide, RunCase::azimuth, RunCase::mixed}) {
        cases[caseKey(kind)] = i18n::withArguments(i18n::translate("情形：%1"), {caseInWords(kind)});
    }
    face["cases"] = cases;
    return face;
}

ordered_json diagramLabelsJson(const Observations& observations) {
    ordered_json lit = ordered_json::object();
    for (std::size_t k = 0; k < enteredValueCount; ++k) {
        ordered_json names = ordered_json::array();
        const auto value = static_cast<EnteredValue>(k);
        for (const Control& label : diagramLabels(observations, value)) names.push_back(form::objectName(label));
        lit[std::string(form::observationColumns()[k].key)] = names;
    }
    return lit;
}

}  // namespace morvalen::web
