// The window's face as one definition: names unique, the title spaced by characters, the diagram's labels for each
// value of the table in both cases.
#include <gtest/gtest.h>

#include <set>

#include "entry/ObservationChecks.h"
#include "form/ObservationColumns.h"
#include "form/WindowFace.h"

namespace {

using namespace morvalen;

TEST(WindowFace, EveryControlIsDeclaredOnceAndTheTitleIsSpacedByCharacters) {
    std::set<std::string> names;
    std::size_t count = 0;
    const auto add = [&](const Control& control) {
        names.insert(form::objectName(control));
        ++count;
    };
    for (const auto& label : form::faceLabels()) add(label.control);
    for (const auto& field : form::faceFields()) add(field.control);
    for (const auto& line : form::faceLines()) add(line.control);
    for (const auto& button : form::faceButtons()) add(button.control);
    EXPECT_EQ(names.size(), count);
    EXPECT_EQ(count, 86u + 39u + 27u + 3u);
    EXPECT_EQ(form::spacedTitle("Morvalen"), "M o r v a l e n");
    EXPECT_EQ(form::spacedTitle("计算"), "计 算");
}

TEST(WindowFace, TheDiagramLightsWhereAValueBelongs) {
    struct Case {
        EnteredValue value;
        const char* xb;
        const char* startSide;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {EnteredValue::xa, "1010", "", {"Label42", "Label60", "Label62"}},
        {EnteredValue::nameClosing, "1010", "", {"Label43"}},
        {EnteredValue::nameClosing, "0", "", {"Label46"}},
        {EnteredValue::startSideLength, "0", "3", {"Label65"}},
        {EnteredValue::startSideNumber, "0", "2.5", {}},
        {EnteredValue::startSideNumber, "0", "7", {}},
        {EnteredValue::b8, "0", "", {"Label57"}},
    };
    for (const Case& each : cases) {
        Observations observations;
        observations.xb = each.xb;
        observations.yb = "0";
        observations.startSideNumber = each.startSide;
        std::vector<std::string> lit;
        for (const Control& label : diagramLabels(observations, each.value)) lit.push_back(form::objectName(label));
        EXPECT_EQ(lit, each.labels) << form::observationColumns()[static_cast<std::size_t>(each.value)].key;
    }
}

}  // namespace
